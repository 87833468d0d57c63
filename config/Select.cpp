// The location chooser.
#include "config/Select.h"

namespace korva {
namespace {

ui::FormSpec SelectSpec(HWND owner) {
    ui::FormSpec spec;
    spec.className = "TfrmSelect";
    spec.caption = "Select folder...";
    spec.clientWidth = 309;
    spec.clientHeight = 194;
    spec.position = ui::FormPosition::ScreenCenter;
    spec.border = ui::FormBorder::ToolWindowNoIcons;
    spec.fontHeight = -11;
    spec.topMost = true;
    spec.owner = owner;
    return spec;
}

} // namespace

TfrmSelect::TfrmSelect(Prompts& prompts, HWND owner)
    : ui::Form(prompts, SelectSpec(owner)),
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
