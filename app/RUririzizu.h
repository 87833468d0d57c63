// The main window: the three steps (choose the map, choose the compile mode, compile), the About,
// Configuration and Exit buttons, and the state the whole program works on: the three folders and the
// map path.
#pragma once

#include "app/CompileModes.h"
#include "platform/FileKinds.h"
#include "platform/FileWriter.h"
#include "platform/Folders.h"
#include "platform/PathText.h"
#include "platform/ProfileStore.h"
#include "platform/Shell.h"
#include "platform/SystemNames.h"
#include "ui/Controls.h"
#include "ui/OpenDialog.h"

#include <string>

namespace korva {

class TfrmAbout;
class TfrmConfig;

// The services the main window uses; they outlive it.
struct MainServices {
    Prompts& prompts;
    Shell& shell;
    FileWriter& files;
    FileKinds& kinds; // what a chosen or dropped map file is
    ProfileStore& profiles; // KORVA.INI, loaded at creation and saved at destruction
    const NameConversion& names; // for the rule for names chosen or dropped, and Compile's checks
    // The system code page's lead-byte test, for cutting paths; null where every byte is one character.
    LeadByteTest leadBytes = nullptr;
    // The program-wide pointer, shown over the window during a search (see FormDesign); or none.
    const Cursor* cursor = nullptr;
};

// The texts of the main window's messages.
inline constexpr const char* kMainCaption = "Velmora v1.55";
inline constexpr const char* kNoMapSelected = "No map selected";
inline constexpr const char* kRefusedMapMessage =
    "Only .map files can be compiled\rTo make a .map file in Worldcraft, select \"export to .map\" from the file "
    "menu";
inline constexpr const char* kDropOneFileMessage =
    "Drop a single .map file on KORVA: it compiles one map at a time.";

class TfrmMain : public ui::Form {
public:
    // Creates the window (hidden) and runs FormCreate. owner is the application window, or none.
    TfrmMain(const MainServices& services, HWND owner);

    ui::Memo mmo_info;
    ui::RadioGroup rgComMode;
    ui::Edit edFilename;
    ui::Label lbl_info1;
    ui::Button btnBrowse;
    ui::Label lbl_info2;
    ui::Label lbl_info3;
    ui::Button btnCompile;
    ui::CheckBox cb_runHL;
    ui::Button btnAbout;
    ui::Button btnConfig;
    ui::OpenDialog odFile;
    ui::Picture image;
    ui::Button btnExit;

    void btnBrowseClick(ui::Component* Sender);
    void mmo_infoEnter(ui::Component* Sender);
    void btnAboutClick(ui::Component* Sender);
    void btnExitClick(ui::Component* Sender);
    void FormCreate(ui::Component* Sender);
    void FormDestroy(ui::Component* Sender);
    void btnConfigClick(ui::Component* Sender);
    void rgComModeClick(ui::Component* Sender);
    void btnCompileClick(ui::Component* Sender);
    void FormShow(ui::Component* Sender);
    // A single .map file dropped on the window is taken as Browse takes a chosen one. Any other drop is
    // refused with a box and changes nothing: several files, a name that cannot be used, a folder or
    // device (see MapFileRefused), or a file that is no .map file, which Browse would replace by "No map
    // selected".
    void FormDropFiles(ui::Component* Sender, const std::vector<std::wstring>& Files);
    // The main window's game, tools and maps folders as they are now.
    Folders UpdateStrL() const;

    // The other windows the buttons open; created after this one.
    void SetAboutBox(TfrmAbout& about) { about_ = &about; }
    void SetConfigDialog(TfrmConfig& config) { config_ = &config; }

    // The state of the run: folders as stored or configured (normally ending in a backslash; what the
    // user typed has passed the rule for names, and nothing tests that a folder exists), the map path,
    // and the selected mode as last seen by rgComModeClick.
    Folders Dirs;
    std::string MapPath;
    int ModeIndex = 0;

    const CompileTables& Tables() const { return tables_; }

private:
    // Whether a file chosen or dropped as the map opens as a folder or as no disk file
    // (MapFileRefusal); such a file is refused with a box and changes nothing.
    bool MapFileRefused(const std::string& path);
    // The ".map" test of the map path: one without it becomes "No map selected" (RefuseMap); then the
    // file name edit shows the map path and the focus moves to Compile.
    void CheckMapPath();
    // The beep and the box that say only .map files can be compiled.
    void RefuseMap();

    MainServices services_;
    CompileTables tables_;
    TfrmAbout* about_ = nullptr;
    TfrmConfig* config_ = nullptr;
};

} // namespace korva
