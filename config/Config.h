// The configuration dialog: the three folders the compile front end works with (game, compile tools,
// default maps), the status of the automatic detection behind Scan, manual configuration with a browse
// button beside each folder, and the folders it keeps between showings.
#pragma once

#include "config/Detection.h"
#include "platform/Cursor.h"
#include "platform/FolderSystem.h"
#include "platform/MessagePump.h"
#include "platform/Registry.h"
#include "search/SFolders.h"
#include "ui/Controls.h"
#include "ui/OpenDialog.h"
#include "ui/SpeedButton.h"

#include <string>

namespace korva {

// The services the dialog uses; they outlive it.
struct ConfigServices {
    Prompts& prompts;
    FolderSystem& folders; // for the scanner
    MessagePump& pump;     // keeps the windows alive during a search
    Registry& registry;
    Cursor& cursor;
    const NameConversion& names; // for the rule for names that are typed, pasted or chosen
};

// The texts of the dialog.
inline constexpr const char* kManualOn = "Enable &Manual config";   // caption while manual config is off
inline constexpr const char* kManualOff = "Disable &Manual config"; // caption while it is on
inline constexpr const char* kBrowseFilter =
    "Half-Life    (hl.exe)|hl.exe|Compile Tools (qcsg.exe)|qcsg.exe|Game Maps   (*.map)|*.map";

class TfrmConfig : public ui::Form, private DetectionView {
public:
    // Created hidden; owner is the application window (or none).
    TfrmConfig(const ConfigServices& services, HWND owner);

    ui::Label Label1;
    ui::Label Label2;
    ui::Label Label5;
    ui::Label Label9;
    ui::Label Label4;
    ui::Label Label3;
    ui::Label Label10;
    ui::Edit edHLDir;
    ui::SpeedButton btnHLBrowse;
    ui::Label Label11;
    ui::Edit edToolsDir;
    ui::SpeedButton btnCTBrowse;
    ui::Label Label12;
    ui::Edit edMapsDir;
    ui::SpeedButton btnMapsBrowse;
    ui::Button btnOK;
    ui::Button btnCancel;
    ui::Button btnScan;
    ui::Button btnChange;
    TSearchFolders sfFileFind;
    ui::OpenDialog odFile;
    ui::Bevel Bevel1;
    ui::Bevel Bevel2;
    ui::Label lblSuccesHL;
    ui::Label lblFailHL;
    ui::Label lblSuccesQTools;
    ui::Label lblFailQTools;
    ui::Label lblSuccesFTools;
    ui::Label lblFailFtools;
    ui::Label lblFToolsSkip;
    ui::Label lblSuccesMaps;
    ui::Label lblFailMaps;
    ui::Control lblSearchDir; // the folder the full search is walking

    // Shows the three folders in the edits as they stand. The stored folders do not change.
    void GetCurrentDirs(const Folders& List);
    // What OK handed back to the main window: the three edits' texts as they stood, each through the
    // rule for names (see btnOKClick).
    Folders ChosenDirs() const;

    void AutoConfig(ui::Component* Sender);
    // Takes the three texts through the rule for names and closes the dialog with mrOk, the edits then
    // showing the folders as they will be used ("\" for "/", a short name for a part the code page
    // lacks). A text that cannot be used is refused in a box that names the field and the text as
    // typed, and the dialog stays open with it.
    void btnOKClick(ui::Component* Sender);
    void btnChangeClick(ui::Component* Sender);
    void btnHLBrowseClick(ui::Component* Sender);
    void btnCTBrowseClick(ui::Component* Sender);
    void btnMapsBrowseClick(ui::Component* Sender);
    // Hides the nine status labels and switches manual configuration off if it is on.
    void Reset(ui::Component* Sender);
    void FormClose(ui::Component* Sender, ui::CloseAction& Action);
    // Cancel (or Esc) during a search stops it; the dialog then closes as cancelled.
    void btnCancelClick(ui::Component* Sender);

    // The chooser for several tools folders; created after this dialog.
    void SetChooser(FolderChooser& chooser) { detection_.SetChooser(&chooser); }

    // The folders kept for the whole run, written by the detection and the browse buttons only.
    StoredFolders Stored;

    bool ManualConfig() const override { return btnHLBrowse.Enabled(); }

private:
    void Browse(int filterIndex, std::string& stored, ui::Edit& edit);

    // What the detection sees of the dialog.
    void Reset() override { Reset(this); }
    void ShowStatus(StatusLabel label) override;
    void ShowFolder(FolderEdit edit, const std::string& text) override;
    void ToggleManualConfig() override { btnChangeClick(this); }
    void FocusToolsDir() override { edToolsDir.SetFocus(); }
    void SetSearching(bool searching) override;
    void ShowSearchFolder(const std::string& folder) override;

    ui::Label& StatusLabelOf(StatusLabel label);

    Detection detection_;
    const NameConversion& names_;
    Folders chosen_; // the texts OK took
    LeadByteTest leadBytes_; // the system code page's, for the folder part of a chosen file
    ui::Control* focusBeforeSearch_ = nullptr; // a button disabled by a search while it had the focus
};

} // namespace korva
