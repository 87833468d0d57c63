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
    // A file dropped on the window is taken as Browse takes a chosen one; several files at once are
    // refused with a box, and so is a folder (see TakeMapFile).
    void FormDropFiles(ui::Component* Sender, const std::vector<win32::GatedName>& Files);
    // The main window's game, tools and maps folders as they are now.
    Folders UpdateStrL() const;

    // The other windows the buttons open; created after this one.
    void SetAboutBox(TfrmAbout& about) { about_ = &about; }
    void SetConfigDialog(TfrmConfig& config) { config_ = &config; }

    // The state of the run: folders as stored or configured (normally ending in a backslash, never
    // checked), the map path, and the selected mode as last seen by rgComModeClick.
    Folders Dirs;
    std::string MapPath;
    int ModeIndex = 0;

    const CompileTables& Tables() const { return tables_; }

private:
    // What Browse and a drop do with a chosen file, one way for both: a file that cannot be used (a device
    // name, a folder, no disk file: MapFileRefusal) is refused with a box and changes nothing; any other
    // becomes the map path, which then takes the ".map" test (see CheckMapPath).
    void TakeMapFile(const std::string& path);
    // The ".map" test of the map path, refusing it with a beep and the box; then the file name edit
    // shows it and the focus moves to Compile.
    void CheckMapPath();

    MainServices services_;
    CompileTables tables_;
    TfrmAbout* about_ = nullptr;
    TfrmConfig* config_ = nullptr;
};

} // namespace korva
