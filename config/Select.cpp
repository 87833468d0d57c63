// The location chooser.
#include "config/Select.h"

namespace korva {

TfrmSelect::TfrmSelect(Prompts& prompts, HWND owner)
    : ui::Form(prompts, {.className = "TfrmSelect", .caption = "Select folder...", .clientWidth = 309,
                         .clientHeight = 194, .position = ui::FormPosition::ScreenCenter,
                         .border = ui::FormBorder::ToolWindowNoIcons, .font = ui::Pixels(11), .topMost = true,
                         .owner = owner}),
      Label1(*this, "Compile Tools were found in more than one folder.", {4, 6, 300, 14}),
      Label2(*this, "Please doubleclick on the location you wish to use", {4, 21, 300, 14}),
      lvLocation(*this, {2, 40, 305, 150}) {
    lvLocation.AddColumn("Path", 301);
    lvLocation.OnDblClick = ui::Handler(this, &TfrmSelect::lvLocationDblClick);
    // No default or cancel button: Enter and Esc leave the window open.
    SetTabOrder({&lvLocation});
    SetActiveControl(lvLocation);
}

void TfrmSelect::lvLocationDblClick(ui::Component*) { Close(); }

std::optional<std::string> TfrmSelect::Choose(const std::vector<std::string>& folders) {
    // Between showings the list is empty, however a showing ends.
    struct Emptied {
        ui::ListView& list;
        ~Emptied() { list.Clear(); }
    } emptied{lvLocation};
    for (const std::string& folder : folders)
        lvLocation.AddItem(folder);
    GetPrompts().ShowModal(*this); // closed by a double-click; the result says nothing
    return lvLocation.SelectedCaption();
}

} // namespace korva
