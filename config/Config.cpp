// The configuration dialog.
#include "config/Config.h"

#include "platform/PathText.h"
#include "res/resource.h"

namespace korva {
namespace {

constexpr COLORREF clWhite = RGB(255, 255, 255);
constexpr COLORREF clGreen = RGB(0, 128, 0);
constexpr COLORREF clRed = RGB(255, 0, 0);

// The status columns: success left of failure; "SKIPPED" over the success label's place.
constexpr int kSuccessLeft = 330;
constexpr int kFailureLeft = 412;
constexpr int kRowHL = 8, kRowQuickTools = 56, kRowFullTools = 76, kRowMaps = 124;
constexpr int kEditLeft = 296, kBrowseLeft = 462;
constexpr DWORD kFolderEditStyle = ES_AUTOHSCROLL | ES_READONLY | WS_TABSTOP;
constexpr ui::Glyph kFolderGlyph{.size = 16, .normal = IDB_FOLDER, .disabled = IDB_FOLDER_DISABLED,
                                 .normal2x = IDB_FOLDER_2X, .disabled2x = IDB_FOLDER_DISABLED_2X};

} // namespace

TfrmConfig::TfrmConfig(const ConfigServices& services, HWND owner)
    : ui::Form(services.prompts, {.className = "TfrmConfig", .caption = "KORVA Automatic Configuration",
                                  .clientWidth = 495, .clientHeight = 314, .left = 204, .top = 219,
                                  .border = ui::FormBorder::DialogNoIcons, .font = ui::Pixels(13),
                                  .owner = owner, .cursor = &services.cursor}),
      Label1(*this, "Detecting Half-Life directory...", {8, kRowHL, 250, 16}),
      Label2(*this, "Detecting Compile Tools directory...", {8, 36, 250, 16}),
      Label5(*this, "Quick detection routine:", {24, kRowQuickTools, 250, 16}),
      Label9(*this, "Full detection routine (Filefind):", {24, kRowFullTools, 250, 16}),
      Label4(*this, "Detecting default maps directory", {8, 104, 250, 16}),
      Label3(*this, "Quick detection routine...", {24, kRowMaps, 250, 16}),
      Label10(*this, "Found Half-Life in:", {8, 183, 200, 16}),
      edHLDir(*this, "NOT FOUND", {kEditLeft, 180, 161, 21}, kFolderEditStyle, WS_EX_CLIENTEDGE,
              ui::TextForm::Unicode),
      btnHLBrowse(*this, "Choose the Half-Life folder", kFolderGlyph, {kBrowseLeft, 180, 25, 21}),
      Label11(*this, "Found Compile Tools in:", {8, 210, 200, 16}),
      edToolsDir(*this, "NOT FOUND", {kEditLeft, 207, 161, 21}, kFolderEditStyle, WS_EX_CLIENTEDGE,
                 ui::TextForm::Unicode),
      btnCTBrowse(*this, "Choose the Compile Tools folder", kFolderGlyph, {kBrowseLeft, 207, 25, 21}),
      Label12(*this, "Found default maps directory:", {8, 237, 200, 16}),
      edMapsDir(*this, "NOT FOUND", {kEditLeft, 234, 161, 21}, kFolderEditStyle, WS_EX_CLIENTEDGE,
                ui::TextForm::Unicode),
      btnMapsBrowse(*this, "Choose the default maps folder", kFolderGlyph, {kBrowseLeft, 234, 25, 21}),
      btnOK(*this, "&OK", {412, 277, 75, 27}),
      btnCancel(*this, "&Cancel", {330, 277, 75, 27}),
      btnScan(*this, "&Scan", {248, 277, 75, 27}),
      btnChange(*this, kManualOn, {8, 277, 150, 27}),
      sfFileFind(services.folders, services.pump),
      odFile(services.prompts, services.names),
      Bevel1(*this, {0, 168, 495, 2}),
      Bevel2(*this, {0, 264, 495, 2}),
      lblSuccesHL(*this, "SUCCESFUL", {kSuccessLeft, kRowHL, 70, 16}),
      lblFailHL(*this, "FAILED", {kFailureLeft, kRowHL, 70, 16}),
      lblSuccesQTools(*this, "SUCCESFUL", {kSuccessLeft, kRowQuickTools, 70, 16}),
      lblFailQTools(*this, "FAILED", {kFailureLeft, kRowQuickTools, 70, 16}),
      lblSuccesFTools(*this, "SUCCESFUL", {kSuccessLeft, kRowFullTools, 70, 16}),
      lblFailFtools(*this, "FAILED", {kFailureLeft, kRowFullTools, 70, 16}),
      lblFToolsSkip(*this, "SKIPPED", {kSuccessLeft, kRowFullTools, 70, 16}),
      lblSuccesMaps(*this, "SUCCESFUL", {kSuccessLeft, kRowMaps, 70, 16}),
      lblFailMaps(*this, "FAILED", {kFailureLeft, kRowMaps, 70, 16}),
      lblSearchDir(*this, "STATIC", "", {8, 146, 479, 16}, SS_LEFT | SS_NOPREFIX | SS_PATHELLIPSIS),
      detection_({services.registry, sfFileFind, *this, services.prompts, services.cursor, Stored}),
      names_(services.names),
      leadBytes_(services.folders.LeadBytes()) {
    const HFONT editFont = MakeFont(ui::Pixels(11));
    for (ui::Edit* edit : {&edHLDir, &edToolsDir, &edMapsDir})
        edit->SetFont(editFont);

    for (ui::Label* success : {&lblSuccesHL, &lblSuccesQTools, &lblSuccesFTools, &lblSuccesMaps})
        success->SetColors(clWhite, clGreen);
    for (ui::Label* failure : {&lblFailHL, &lblFailQTools, &lblFailFtools, &lblFailMaps})
        failure->SetColors(clWhite, clRed);

    for (ui::SpeedButton* browse : {&btnHLBrowse, &btnCTBrowse, &btnMapsBrowse})
        browse->SetEnabled(false);

    // The scanner's stored settings; the detection sets what each search needs.
    sfFileFind.FileMask = kToolsMask;
    sfFileFind.UpdateList = true;
    sfFileFind.ScanOptions = soSpecifiedDir;
    sfFileFind.ScanDir = "C:\\";
    sfFileFind.Messages = true;
    sfFileFind.DoRecursive = false;

    odFile.Options.title = "Select the directory to use...";
    odFile.Options.filter = kBrowseFilter;
    odFile.Options.folderOnly = true; // the chosen file only points at its folder

    // OK closes the dialog only once the three texts have passed btnOKClick.
    btnOK.OnClick = ui::Handler(this, &TfrmConfig::btnOKClick);
    btnCancel.ModalResult = mrCancel;
    btnScan.OnClick = ui::Handler(this, &TfrmConfig::AutoConfig);
    btnChange.OnClick = ui::Handler(this, &TfrmConfig::btnChangeClick);
    btnCancel.OnClick = ui::Handler(this, &TfrmConfig::btnCancelClick);
    btnHLBrowse.OnClick = ui::Handler(this, &TfrmConfig::btnHLBrowseClick);
    btnCTBrowse.OnClick = ui::Handler(this, &TfrmConfig::btnCTBrowseClick);
    btnMapsBrowse.OnClick = ui::Handler(this, &TfrmConfig::btnMapsBrowseClick);
    OnClose = [this](ui::Component* sender, ui::CloseAction& action) { FormClose(sender, action); };

    SetTabOrder({&edHLDir, &edToolsDir, &edMapsDir, &btnOK, &btnCancel, &btnScan, &btnChange});
    Label10.Names(edHLDir);
    Label11.Names(edToolsDir);
    Label12.Names(edMapsDir);
    edHLDir.SetDropButton(btnHLBrowse);
    edToolsDir.SetDropButton(btnCTBrowse);
    edMapsDir.SetDropButton(btnMapsBrowse);
    SetDefaultButton(btnOK);
    SetCancelButton(btnCancel);
    Reset(this);
}

void TfrmConfig::GetCurrentDirs(const Folders& List) {
    edHLDir.SetText(List.HLPath);
    edToolsDir.SetText(List.ToolsPath);
    edMapsDir.SetText(List.MapsPath);
}

Folders TfrmConfig::ChosenDirs() const { return chosen_; }

void TfrmConfig::btnOKClick(ui::Component*) {
    // What the user typed or pasted passes the rule for names before it leaves the dialog, as a name
    // chosen in a dialog does: as typed where it converts exactly, with the short name of a folder part
    // that does not, or else not at all. Best fitted, a pasted full-width ampersand would be "&", and
    // the folder another one, with other programs in it; a "/" would start a switch in KORVA.BAT.
    const struct {
        ui::Edit& edit;
        const char* field;
        std::string Folders::*folder;
    } rows[] = {{edHLDir, "game folder", &Folders::HLPath},
                {edToolsDir, "tools folder", &Folders::ToolsPath},
                {edMapsDir, "maps folder", &Folders::MapsPath}};
    Folders chosen;
    for (const auto& row : rows) {
        const CheckedName typed = CheckName(row.edit.WideText(), NameKind::Folder, names_);
        if (!typed.path) {
            // The dialog stays open, with the text as typed, for the user to correct.
            row.edit.SetFocus();
            GetPrompts().Message(MessageKind::Error, RefusalMessage(typed, row.field), MessageButtons::Ok);
            return;
        }
        chosen.*row.folder = *typed.path;
    }
    for (const auto& row : rows)
        row.edit.SetText(chosen.*row.folder);
    chosen_ = std::move(chosen);
    SetModalResult(mrOk);
}

void TfrmConfig::AutoConfig(ui::Component*) { detection_.Run(); }

void TfrmConfig::btnCancelClick(ui::Component*) { detection_.Cancel(); }

void TfrmConfig::btnChangeClick(ui::Component*) {
    btnChange.SetText(btnHLBrowse.Enabled() ? kManualOn : kManualOff);
    for (ui::SpeedButton* browse : {&btnHLBrowse, &btnCTBrowse, &btnMapsBrowse})
        browse->SetEnabled(!browse->Enabled());
    for (ui::Edit* edit : {&edHLDir, &edToolsDir, &edMapsDir})
        edit->SetReadOnly(!edit->ReadOnly());
}

void TfrmConfig::Browse(int filterIndex, std::string& stored, ui::Edit& edit) {
    odFile.SetFilterIndex(filterIndex);
    odFile.SetFileName("");
    const ui::OpenFileResult result = odFile.Execute();
    if (result == ui::OpenFileResult::Unusable)
        return; // the dialog said why; the folder and its edit stay as they were
    if (result == ui::OpenFileResult::Chosen)
        stored = FolderPart(odFile.FileName(), leadBytes_);
    // A cancelled choice shows the stored folder too.
    edit.SetText(stored);
}

void TfrmConfig::btnHLBrowseClick(ui::Component*) { Browse(1, Stored.HLPath, edHLDir); }
void TfrmConfig::btnCTBrowseClick(ui::Component*) { Browse(2, Stored.ToolsPath, edToolsDir); }
void TfrmConfig::btnMapsBrowseClick(ui::Component*) { Browse(3, Stored.MapsPath, edMapsDir); }

void TfrmConfig::Reset(ui::Component*) {
    for (ui::Label* label : {&lblSuccesHL, &lblFailHL, &lblSuccesQTools, &lblFailQTools, &lblSuccesFTools,
                             &lblFailFtools, &lblFToolsSkip, &lblSuccesMaps, &lblFailMaps})
        label->SetVisible(false);
    if (ManualConfig())
        btnChangeClick(this);
}

void TfrmConfig::FormClose(ui::Component*, ui::CloseAction&) { Reset(this); }

ui::Label& TfrmConfig::StatusLabelOf(StatusLabel label) {
    switch (label) {
    case StatusLabel::lblSuccesHL: return lblSuccesHL;
    case StatusLabel::lblFailHL: return lblFailHL;
    case StatusLabel::lblSuccesQTools: return lblSuccesQTools;
    case StatusLabel::lblFailQTools: return lblFailQTools;
    case StatusLabel::lblSuccesFTools: return lblSuccesFTools;
    case StatusLabel::lblFailFtools: return lblFailFtools;
    case StatusLabel::lblFToolsSkip: return lblFToolsSkip;
    case StatusLabel::lblSuccesMaps: return lblSuccesMaps;
    case StatusLabel::lblFailMaps: break;
    }
    return lblFailMaps;
}

void TfrmConfig::ShowStatus(StatusLabel label) { StatusLabelOf(label).SetVisible(true); }

void TfrmConfig::ShowFolder(FolderEdit edit, const std::string& text) {
    switch (edit) {
    case FolderEdit::edHLDir: edHLDir.SetText(text); return;
    case FolderEdit::edToolsDir: edToolsDir.SetText(text); return;
    case FolderEdit::edMapsDir: edMapsDir.SetText(text); return;
    }
}

void TfrmConfig::SetSearching(bool searching) {
    ui::Control* const locked[] = {&btnScan, &btnOK, &btnChange};
    if (searching) {
        // A disabled button cannot keep the focus, and without a focus Esc would reach nothing: the way
        // out takes it over.
        focusBeforeSearch_ = nullptr;
        for (ui::Control* c : locked)
            if (c->Focused())
                focusBeforeSearch_ = c;
        if (focusBeforeSearch_)
            btnCancel.SetFocus();
    }
    for (ui::Control* c : locked)
        c->SetEnabled(!searching);
    if (!searching && focusBeforeSearch_) {
        if (btnCancel.Focused())
            focusBeforeSearch_->SetFocus();
        focusBeforeSearch_ = nullptr;
    }
}

void TfrmConfig::ShowSearchFolder(const std::string& folder) {
    lblSearchDir.SetText(folder.empty() ? std::string() : "Searching " + folder);
}

} // namespace korva
