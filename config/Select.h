// The location chooser: a small top-most window listing the folders in which the compile tools were
// found; the user double-clicks the one to use.
#pragma once

#include "config/Detection.h"
#include "platform/SystemNames.h"
#include "ui/Controls.h"
#include "ui/ListView.h"

namespace korva {

class TfrmSelect : public ui::Form, public FolderChooser {
public:
    // Created hidden; owner is the application window (or none). Modal showings go through prompts; a
    // caption edited in place passes the rule for names with names. Both outlive the window.
    TfrmSelect(Prompts& prompts, const NameConversion& names, HWND owner);

    ui::Label Label1;
    ui::Label Label2;
    ui::ListView lvLocation;

    // Closes the window, whatever row is under the pointer or selected, if any.
    void lvLocationDblClick(ui::Component* Sender);
    // A caption edited in place passes the rule for names, as a typed folder does; one that cannot be
    // used is refused in a box that names it, and the editing starts again with the text as typed.
    bool lvLocationEdited(ui::Component* Sender, const std::wstring& Text);

    // One row per folder in the given order, shown modally; the caption of the row selected when the
    // window closed (as edited in place, through the rule for names), or nothing. The list is empty
    // again afterwards.
    std::optional<std::string> Choose(const std::vector<std::string>& folders) override;

private:
    const NameConversion& names_;
};

} // namespace korva
