// The location chooser.
#include "config/Select.h"

namespace korva {
namespace {

constexpr const char* kPickText = "Please doubleclick on the location you wish to use";

} // namespace

TfrmSelect::TfrmSelect(Prompts& prompts, const NameConversion& names, HWND owner)
    : ui::Form(prompts, {.className = "TfrmSelect", .caption = "Select folder...", .clientWidth = 309,
                         .clientHeight = 194, .position = ui::FormPosition::ScreenCenter,
                         .border = ui::FormBorder::ToolWindowNoIcons, .font = ui::Pixels(11), .topMost = true,
                         .owner = owner}),
      Label1(*this, "Compile Tools were found in more than one folder.", {4, 6, 300, 14}),
      Label2(*this, kPickText, {4, 21, 300, 14}), lvLocation(*this, kPickText, {2, 40, 305, 150}), names_(names) {
    lvLocation.AddColumn("Path", 301);
    lvLocation.OnDblClick = ui::Handler(this, &TfrmSelect::lvLocationDblClick);
    lvLocation.OnEdited = [this](ui::Component* sender, const std::wstring& text) {
        return lvLocationEdited(sender, text);
    };
    // No default or cancel button: Esc leaves the window open; Enter in the list is a double-click.
    SetTabOrder({&lvLocation});
    Label2.Names(lvLocation);
    SetActiveControl(lvLocation);
}

void TfrmSelect::lvLocationDblClick(ui::Component*) { Close(); }

bool TfrmSelect::lvLocationEdited(ui::Component*, const std::wstring& Text) {
    const CheckedName folder = CheckName(Text, NameKind::Folder, names_);
    if (folder.path)
        return true;
    GetPrompts().Message(MessageKind::Error, RefusalMessage(folder, "tools folder"), MessageButtons::Ok);
    return false;
}

std::optional<std::string> TfrmSelect::Choose(const std::vector<std::string>& folders) {
    // Between showings the list is empty, however a showing ends.
    struct Emptied {
        ui::ListView& list;
        ~Emptied() { list.Clear(); }
    } emptied{lvLocation};
    for (const std::string& folder : folders)
        lvLocation.AddItem(folder);
    GetPrompts().ShowModal(*this); // closed by a double-click; the result says nothing
    const std::optional<std::wstring> caption = lvLocation.SelectedCaption();
    if (!caption)
        return std::nullopt;
    // Every caption passed the rule when it was added or edited. A short name looked up then is looked
    // up again: should the folder have gone meanwhile, nothing is chosen.
    return CheckName(*caption, NameKind::Folder, names_).path;
}

} // namespace korva
