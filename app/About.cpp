// The About box.
#include "app/About.h"

#include "res/resource.h"

namespace korva {

TfrmAbout::TfrmAbout(Prompts& prompts, HWND owner)
    : ui::Form(prompts, {.className = "TfrmAbout", .caption = "About KORVA", .clientWidth = 508,
                         .clientHeight = 282, .position = ui::FormPosition::ScreenCenter,
                         .border = ui::FormBorder::Dialog, .font = ui::Points(8),
                         .owner = owner}),
      btnClose(*this, "&Close", {300, 249, 90, 25}),
      Image1(*this, IDB_PICTURE, {8, 8, 170, 265}),
      mmoAbout(*this, {190, 10, 310, 78}, false, ui::Memo::Align::Center),
      Memo1(*this, {190, 96, 310, 146}, false) {
    mmoAbout.SetLines({
        "KORVA",
        "The map compile front end for Half-Life",
        "Written by the KORVA developers",
        "Comments are welcome through the project's page",
        "Version 1.55",
    });
    // Short lines: the memo wraps anything wider, and substitute fonts run wider than the original face.
    Memo1.SetLines({
        "KORVA is for newcomers to level building who",
        "would rather not learn every parameter of",
        "the compile tools yet: pick a map, pick a",
        "mode and press Compile.",
        "",
        "KORVA is free. Copy it and pass it on, as",
        "long as it stays whole and unchanged.",
        "",
        "Comments and suggestions are always welcome.",
        "",
        "Folder search by a small reusable component.",
    });
    btnClose.OnClick = ui::Handler(this, &TfrmAbout::btnCloseClick);
    mmoAbout.OnEnter = ui::Handler(this, &TfrmAbout::mmoAboutEnter);
    Memo1.OnEnter = ui::Handler(this, &TfrmAbout::mmoAboutEnter);
    SetTabOrder({&btnClose, &mmoAbout, &Memo1});
    mmoAbout.SetAccessibleName("Version");
    Memo1.SetAccessibleName("About KORVA");
    SetDefaultButton(btnClose);
    SetCancelButton(btnClose);
    SetActiveControl(btnClose);
}

void TfrmAbout::mmoAboutEnter(ui::Component*) { btnClose.SetFocus(); }

void TfrmAbout::btnCloseClick(ui::Component*) { Close(); }

} // namespace korva
