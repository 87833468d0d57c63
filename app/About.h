// The About box: the program's picture, name and version, and a few words about it.
#pragma once

#include "ui/Controls.h"

namespace korva {

class TfrmAbout : public ui::Form {
public:
    // Created hidden; owner is the application window (or none).
    TfrmAbout(Prompts& prompts, HWND owner);

    ui::Button btnClose;
    ui::Picture Image1;
    ui::Memo mmoAbout;
    ui::Memo Memo1;

    // Either memo got the focus (a click): the focus goes back to the Close button.
    void mmoAboutEnter(ui::Component* Sender);
    void btnCloseClick(ui::Component* Sender);
};

} // namespace korva
