// The main window.
#include "app/RUririzizu.h"

#include "app/About.h"
#include "app/BatchScript.h"
#include "app/MapPath.h"
#include "app/Settings.h"
#include "config/Config.h"
#include "res/resource.h"

namespace korva {
namespace {

std::vector<std::string> ModeCaptions() { return {kModeCaptions.begin(), kModeCaptions.end()}; }

} // namespace

// A second copy of the program finds this window by its class name and caption.
TfrmMain::TfrmMain(const MainServices& services, HWND owner)
    : ui::Form(services.prompts, {.className = "TfrmMain", .caption = kMainCaption, .clientWidth = 435,
                                  .clientHeight = 453, .left = 200, .top = 108, .border = ui::FormBorder::Single,
                                  .font = ui::Points(8), .owner = owner, .cursor = services.cursor}),
      mmo_info(*this, {9, 364, 417, 81}, true),
      rgComMode(*this, "Compile mode", {9, 86, 240, 186}, ModeCaptions()),
      edFilename(*this, "", {9, 32, 158, 24}),
      lbl_info1(*this, "Step 1: Select the .map file to compile", {9, 10, 240, 18}),
      btnBrowse(*this, "&Browse...", {172, 31, 77, 26}),
      lbl_info2(*this, "Step 2: Select the compile mode to use", {9, 64, 240, 18}),
      lbl_info3(*this, "Step 3: Compile the map", {9, 282, 240, 18}),
      btnCompile(*this, "&Compile", {9, 304, 84, 33}),
      cb_runHL(*this, "Run Half-Life when done", {100, 312, 154, 18}),
      btnAbout(*this, "&About...", {262, 8, 78, 26}),
      btnConfig(*this, "C&onfiguration", {344, 8, 82, 26}),
      odFile(services.prompts, services.names),
      image(*this, IDB_PICTURE, {257, 86, 170, 265}),
      btnExit(*this, "&Exit", {344, 36, 82, 26}),
      services_(services) {
    // The labels, the edit, the mode group, the memo and the main buttons use the 10-point face; the
    // check box and the Configuration button keep the window's 8-point one.
    const HFONT large = MakeFont(ui::Points(10));
    for (ui::Control* c : std::initializer_list<ui::Control*>{&mmo_info, &rgComMode, &edFilename, &lbl_info1,
                                                              &btnBrowse, &lbl_info2, &lbl_info3, &btnCompile,
                                                              &btnAbout, &btnExit})
        c->SetFont(large);

    odFile.Options.title = "Select the map to compile";
    odFile.Options.filter = "Map files (*.map)|*.map|All files (*.*)|*.*";
    odFile.Options.filterIndex = 1;
    odFile.Options.defaultExt = "map";
    odFile.Options.hideReadOnly = true;
    odFile.Options.pathMustExist = true;
    odFile.Options.fileMustExist = true;

    btnBrowse.OnClick = ui::Handler(this, &TfrmMain::btnBrowseClick);
    mmo_info.OnEnter = ui::Handler(this, &TfrmMain::mmo_infoEnter);
    btnAbout.OnClick = ui::Handler(this, &TfrmMain::btnAboutClick);
    btnExit.OnClick = ui::Handler(this, &TfrmMain::btnExitClick);
    btnConfig.OnClick = ui::Handler(this, &TfrmMain::btnConfigClick);
    rgComMode.OnClick = ui::Handler(this, &TfrmMain::rgComModeClick);
    btnCompile.OnClick = ui::Handler(this, &TfrmMain::btnCompileClick);
    OnShow = ui::Handler(this, &TfrmMain::FormShow);
    OnDestroy = ui::Handler(this, &TfrmMain::FormDestroy);
    OnDropFiles = [this](ui::Component* sender, const std::vector<std::wstring>& files) {
        FormDropFiles(sender, files);
    };
    AcceptFiles();

    SetTabOrder({&btnBrowse, &edFilename, &rgComMode, &cb_runHL, &btnCompile, &btnAbout, &btnConfig, &btnExit,
                 &mmo_info});
    lbl_info1.Names(edFilename);
    mmo_info.SetAccessibleName("What the compile mode does");
    SetDefaultButton(btnCompile);
    SetActiveControl(btnBrowse);

    rgComMode.SetItemIndex(0);
    FormCreate(this);
}

void TfrmMain::FormCreate(ui::Component*) {
    const LoadedSettings loaded = LoadSettings(services_.profiles);
    if (!loaded.kept)
        GetPrompts().Message(MessageKind::Error, kSettingsNotKeptMessage, MessageButtons::Ok);
    Dirs = loaded.values.Dirs;
    MapPath = loaded.values.MapPath;
    if (loaded.configured) {
        cb_runHL.SetChecked(loaded.values.RunHL);
        rgComMode.SetItemIndex(loaded.values.ComMode); // bounded by the group; a change runs rgComModeClick
    } else {
        GetPrompts().Message(MessageKind::Information, kConfigureMessage, MessageButtons::Ok);
    }
    tables_ = BuildCompileTables();
}

void TfrmMain::FormDestroy(ui::Component*) {
    SaveSettings(services_.profiles,
                 {Dirs, MapPath, cb_runHL.Checked(), rgComMode.ItemIndex()});
}

void TfrmMain::FormShow(ui::Component*) {
    rgComModeClick(this);
    odFile.SetInitialDir(Dirs.MapsPath);
    edFilename.SetText(FileNamePart(MapPath, services_.leadBytes));
}

void TfrmMain::rgComModeClick(ui::Component*) {
    ModeIndex = rgComMode.ItemIndex();
    mmo_info.Clear();
    if (IsCompileMode(ModeIndex))
        mmo_info.SetLines({kModeHelp[ModeIndex].begin(), kModeHelp[ModeIndex].end()});
}

void TfrmMain::btnBrowseClick(ui::Component*) {
    const ui::OpenFileResult result = odFile.Execute();
    if (result == ui::OpenFileResult::Unusable)
        return; // the dialog said why; the map path stays as it was
    if (result == ui::OpenFileResult::Chosen) {
        if (MapFileRefused(odFile.FileName()))
            return;
        MapPath = odFile.FileName();
    }
    // A cancelled choice is checked too: it keeps a valid map silently, but refuses a path that never was one.
    CheckMapPath();
}

void TfrmMain::FormDropFiles(ui::Component*, const std::vector<std::wstring>& Files) {
    // A drop is easily made by accident: unlike Browse, a refused one keeps the map chosen before.
    if (Files.size() != 1) {
        GetPrompts().Message(MessageKind::Error, kDropOneFileMessage, MessageButtons::Ok);
        return;
    }
    const CheckedName dropped = CheckName(Files[0], NameKind::File, services_.names);
    if (!dropped.path) {
        GetPrompts().Message(MessageKind::Error, RefusalMessage(dropped, ""), MessageButtons::Ok);
        return;
    }
    if (MapFileRefused(*dropped.path))
        return;
    if (!IsMapFile(*dropped.path, services_.leadBytes)) {
        RefuseMap();
        return;
    }
    MapPath = *dropped.path;
    CheckMapPath();
}

bool TfrmMain::MapFileRefused(const std::string& path) {
    const std::optional<std::string> refusal = MapFileRefusal(path, services_.kinds);
    if (refusal)
        GetPrompts().Message(MessageKind::Error, *refusal, MessageButtons::Ok);
    return refusal.has_value();
}

void TfrmMain::CheckMapPath() {
    if (!IsMapFile(MapPath, services_.leadBytes)) {
        MapPath = kNoMapSelected;
        RefuseMap();
    }
    edFilename.SetText(FileNamePart(MapPath, services_.leadBytes));
    btnCompile.SetFocus();
}

void TfrmMain::RefuseMap() {
    GetPrompts().Beep();
    GetPrompts().Message(MessageKind::Error, kRefusedMapMessage, MessageButtons::Ok);
}

void TfrmMain::btnCompileClick(ui::Component*) {
    const CompileRequest request{Dirs, MapPath, rgComMode.ItemIndex(), cb_runHL.Checked(),
                                 services_.leadBytes};
    Compile(request, tables_, services_.files, services_.shell, GetPrompts(), services_.names);
}

Folders TfrmMain::UpdateStrL() const { return Dirs; }

void TfrmMain::btnConfigClick(ui::Component*) {
    if (!config_)
        return;
    config_->GetCurrentDirs(UpdateStrL());
    if (GetPrompts().ShowModal(*config_) != mrOk)
        return;
    // As OK took them: through the rule for names, each as the dialog now shows it.
    Dirs = config_->ChosenDirs();
    odFile.SetInitialDir(Dirs.MapsPath);
}

void TfrmMain::btnAboutClick(ui::Component*) {
    if (about_)
        GetPrompts().ShowModal(*about_);
}

void TfrmMain::btnExitClick(ui::Component*) { Close(); }

void TfrmMain::mmo_infoEnter(ui::Component*) { btnCompile.SetFocus(); }

} // namespace korva
