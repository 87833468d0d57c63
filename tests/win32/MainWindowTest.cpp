// The main window with the real controls: captions, help texts, Browse, focus, Enter, Compile into real
// folders, errors shown in the KORVA box, the About box's keys, and the program's windows going at its end.
#include "ProgramWindows.h"
#include "WinTestSupport.h"
#include "app/About.h"
#include "app/RUririzizu.h"
#include "fakes/FakeFileKinds.h"
#include "fakes/FakeNameConversion.h"
#include "fakes/FakePrompts.h"
#include "fakes/FakeProfileStore.h"
#include "fakes/FakeShell.h"
#include "platform/win32/Handles.h"
#include "platform/win32/Win32FileWriter.h"
#include "support/DropFiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

namespace korva {
namespace {

using fakes::FakePrompts;
using fakes::FakeShell;
using test::TempDir;

std::string ClassOf(HWND hwnd) {
    char name[64] = {};
    ::GetClassNameA(hwnd, name, sizeof name);
    return name;
}

void Press(HWND control) {
    ::SendMessageA(control, BM_CLICK, 0, 0);
    test::PumpMessages();
}

// A key as the user types it, through the same dispatch as the program's loops.
void Key(HWND target, WPARAM key) {
    ::PostMessageA(target, WM_KEYDOWN, key, 0);
    ::PostMessageA(target, WM_KEYUP, key, 0xC0000000);
    test::PumpMessages();
}

// Files dropped on a window as the shell drops them.
void DropOn(HWND window, const std::vector<std::wstring>& files) {
    const std::vector<char> data = test::DropFilesData(files);
    HGLOBAL drop = ::GlobalAlloc(GMEM_MOVEABLE, data.size());
    std::memcpy(::GlobalLock(drop), data.data(), data.size());
    ::GlobalUnlock(drop);
    ::SendMessageW(window, WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0); // the window releases it
    test::PumpMessages();
}

class MainWindowTest : public ::testing::Test {
protected:
    MainWindowTest()
        : form({prompts, shell, files, kinds, Configured(settings), names}, nullptr), about(prompts, nullptr) {
        form.SetAboutBox(about);
        form.Dirs.HLPath = "C:\\Games\\HL\\";
        form.Dirs.ToolsPath = tools.Path();
        form.Dirs.MapsPath = "C:\\Maps\\";
        form.MapPath = "C:\\Maps\\castle.map";
        form.Show();
        test::PumpMessages();
    }
    ~MainWindowTest() override {
        form.Destroy();
        about.Destroy();
    }

    std::string Script() { return test::ReadFile(tools / "KORVA.BAT"); }

    static fakes::FakeProfileStore& Configured(fakes::FakeProfileStore& store) {
        store.Write("", "Folders", "GameDir", "C:\\Games\\HL\\");
        return store;
    }

    FakePrompts prompts;
    FakeShell shell;
    win32::Win32FileWriter files;
    fakes::FakeFileKinds kinds;
    fakes::FakeProfileStore settings;
    fakes::FakeNameConversion names;
    TempDir tools;
    TfrmMain form;
    TfrmAbout about;
};

TEST_F(MainWindowTest, OpensAsTheInstanceTestExpectsWithTheFocusOnBrowse) {
    EXPECT_EQ(ClassOf(form.Handle()), "TfrmMain");
    EXPECT_EQ(::FindWindowA("TfrmMain", "Velmora v1.55"), form.Handle());
    RECT client{};
    ::GetClientRect(form.Handle(), &client);
    EXPECT_EQ(client.right, 435);
    EXPECT_EQ(client.bottom, 453);
    const LONG_PTR style = ::GetWindowLongPtrA(form.Handle(), GWL_STYLE);
    EXPECT_FALSE(style & WS_THICKFRAME);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    EXPECT_TRUE(form.btnBrowse.Focused());
    EXPECT_EQ(form.edFilename.Text(), "castle.map");
    EXPECT_EQ(LOWORD(::SendMessageA(form.Handle(), DM_GETDEFID, 0, 0)), form.btnBrowse.Id()); // focused button
    form.edFilename.SetFocus();
    EXPECT_EQ(LOWORD(::SendMessageA(form.Handle(), DM_GETDEFID, 0, 0)), form.btnCompile.Id());
    for (int i = 0; i < kModeCount; ++i)
        EXPECT_EQ(form.rgComMode.Item(i).Text(), kModeCaptions[i]);
    EXPECT_EQ(form.rgComMode.ItemIndex(), 0);
    EXPECT_FALSE(form.cb_runHL.Checked());
}

TEST_F(MainWindowTest, TabVisitsTheControlsInTheirOrder) {
    const HWND expected[] = {form.edFilename.Handle(), form.rgComMode.Item(0).Handle(), form.cb_runHL.Handle(),
                             form.btnCompile.Handle(), form.btnAbout.Handle(),           form.btnConfig.Handle(),
                             form.btnExit.Handle(),    form.btnBrowse.Handle()};
    HWND at = form.btnBrowse.Handle();
    for (HWND next : expected) {
        at = ::GetNextDlgTabItem(form.Handle(), at, FALSE);
        EXPECT_EQ(at, next);
    }
    // Tab enters the mode group at the selected choice.
    Press(form.rgComMode.Item(3).Handle());
    EXPECT_EQ(::GetNextDlgTabItem(form.Handle(), form.edFilename.Handle(), FALSE), form.rgComMode.Item(3).Handle());
}

TEST_F(MainWindowTest, EachModeShowsExactlyItsThreeHelpLines) {
    EXPECT_EQ(form.mmo_info.Lines(), std::vector<std::string>(kModeHelp[0].begin(), kModeHelp[0].end()));
    for (int mode : {3, 1, 5, 2, 4, 0}) {
        Press(form.rgComMode.Item(mode).Handle());
        EXPECT_EQ(form.rgComMode.ItemIndex(), mode);
        EXPECT_EQ(form.ModeIndex, mode);
        EXPECT_EQ(form.mmo_info.Lines(), std::vector<std::string>(kModeHelp[mode].begin(), kModeHelp[mode].end()));
    }
}

TEST_F(MainWindowTest, StoredModesAreBoundedByTheGroupAndNoModeMeansNoCompile) {
    form.rgComMode.SetItemIndex(9);
    EXPECT_EQ(form.rgComMode.ItemIndex(), 5);
    EXPECT_EQ(form.mmo_info.Lines().front(), kModeHelp[5][0]);

    form.rgComMode.SetItemIndex(-3);
    EXPECT_EQ(form.rgComMode.ItemIndex(), -1);
    EXPECT_TRUE(form.mmo_info.Lines().empty());
    for (int i = 0; i < kModeCount; ++i)
        EXPECT_EQ(::SendMessageA(form.rgComMode.Item(i).Handle(), BM_GETCHECK, 0, 0), BST_UNCHECKED);

    Press(form.btnCompile.Handle());
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].kind, MessageKind::Warning);
    EXPECT_FALSE(test::FileExists(tools / "KORVA.BAT"));
    EXPECT_TRUE(shell.launches.empty());
}

TEST_F(MainWindowTest, BrowseAcceptsAMapAndOffersItAgain) {
    prompts.fileChoices = {L"C:\\Maps\\room.map", std::nullopt};
    Press(form.btnBrowse.Handle());
    EXPECT_EQ(form.MapPath, "C:\\Maps\\room.map");
    EXPECT_EQ(form.edFilename.Text(), "room.map");
    EXPECT_TRUE(form.btnCompile.Focused());
    EXPECT_TRUE(prompts.messages.empty());
    ASSERT_EQ(prompts.openRequests.size(), 1u);
    const OpenFileOptions& shown = prompts.openRequests[0];
    EXPECT_EQ(shown.title, "Select the map to compile");
    EXPECT_EQ(shown.filter, "Map files (*.map)|*.map|All files (*.*)|*.*");
    EXPECT_EQ(shown.filterIndex, 1);
    EXPECT_EQ(shown.initialDir, "C:\\Maps\\");
    EXPECT_EQ(shown.defaultExt, "map");
    EXPECT_TRUE(shown.hideReadOnly && shown.pathMustExist && shown.fileMustExist);

    Press(form.btnBrowse.Handle()); // cancelled: the valid map stays, silently
    EXPECT_EQ(prompts.openRequests[1].fileName, "C:\\Maps\\room.map");
    EXPECT_EQ(form.MapPath, "C:\\Maps\\room.map");
    EXPECT_TRUE(prompts.messages.empty());
    EXPECT_EQ(prompts.beeps, 0);
}

TEST_F(MainWindowTest, BrowseRefusesOtherFilesWithABeepThenTheError) {
    const struct {
        std::optional<std::wstring> choice;
        std::string mapPathBefore;
    } cases[] = {
        {L"C:\\Maps\\ROOM.MAP", "C:\\Maps\\castle.map"},
        {L"C:\\maps.old\\room", "C:\\Maps\\castle.map"},
        {std::nullopt, ""},            // cancelled over an empty path
        {std::nullopt, "Not Found"},   // cancelled over the settings' default
        {std::nullopt, "No map selected"},
    };
    for (const auto& c : cases) {
        form.MapPath = c.mapPathBefore;
        prompts.events.clear();
        prompts.messages.clear();
        prompts.fileChoices = {c.choice};
        form.btnAbout.SetFocus();
        Press(form.btnBrowse.Handle());
        EXPECT_EQ(form.MapPath, "No map selected");
        EXPECT_EQ(form.edFilename.Text(), "No map selected");
        EXPECT_TRUE(form.btnCompile.Focused());
        EXPECT_EQ(prompts.events, (std::vector<std::string>{"open", "beep", "message"}));
        ASSERT_EQ(prompts.messages.size(), 1u);
        EXPECT_EQ(prompts.messages[0].kind, MessageKind::Error);
        EXPECT_EQ(prompts.messages[0].text, "Only .map files can be compiled\rTo make a .map file in Worldcraft, "
                                            "select \"export to .map\" from the file menu");
    }
}

// A single file dropped on the window goes where Browse's choice goes: the name rule, the folder and
// device checks, the ".map" test; then it is the map, shown in the file name edit, the focus on Compile.
// A refused drop changes nothing, not even the map path that a refused Browse replaces.
TEST_F(MainWindowTest, ADroppedFileIsTakenAsBrowseTakesItsChoice) {
    kinds.kinds = {{"C:\\Maps\\room.map", FileKind::DiskFile},
                   {"C:\\Maps\\old.map", FileKind::Folder},
                   {"C:\\Maps\\pipe.map", FileKind::Device}};
    const std::string before = "C:\\Maps\\castle.map";
    const struct {
        std::vector<std::wstring> files;
        std::string mapPath;
        const wchar_t* message; // the start of the box's text, or null for none
    } cases[] = {
        {{L"C:\\Maps\\room.map"}, "C:\\Maps\\room.map", nullptr},
        {{L"C:/Maps/room.map"}, "C:\\Maps\\room.map", nullptr},
        {{L"C:\\Maps\\a.map", L"C:\\Maps\\b.map"}, before, L"Drop a single .map file on KORVA"},
        {{L"C:\\Maps\\old.map"}, before, L"KORVA cannot use \"C:\\Maps\\old.map\": it is a folder"},
        {{L"C:\\Maps\\pipe.map"}, before, L"KORVA cannot use \"C:\\Maps\\pipe.map\": it opens as"},
        {{L"C:\\Maps\\COM\u00B9.map"}, before, L"KORVA cannot use \"C:\\Maps\\COM\u00B9.map\": it holds the name"},
        {{L"C:\\Maps\\\u65E5.map"}, before, L"KORVA cannot use \"C:\\Maps\\\u65E5.map\": the name holds"},
        {{L"C:\\Maps\\room.bsp"}, before, L"Only .map files can be compiled"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "case " << (&c - cases));
        form.MapPath = before;
        form.edFilename.SetText("castle.map");
        form.btnAbout.SetFocus();
        prompts.messages.clear();
        DropOn(form.Handle(), c.files);
        EXPECT_EQ(form.MapPath, c.mapPath);
        EXPECT_EQ(form.edFilename.Text(), FileNamePart(c.mapPath, nullptr));
        // What changed the map path moved the focus, as Browse does; a refused drop changed nothing.
        EXPECT_EQ(form.btnCompile.Focused(), form.MapPath != before);
        if (!c.message) {
            EXPECT_TRUE(prompts.messages.empty());
            continue;
        }
        ASSERT_EQ(prompts.messages.size(), 1u);
        const fakes::ShownMessage& box = prompts.messages[0];
        EXPECT_EQ(box.kind, MessageKind::Error);
        const std::wstring text = box.wideText.empty() ? std::wstring(box.text.begin(), box.text.end()) : box.wideText;
        EXPECT_EQ(text.rfind(c.message, 0), 0u);
    }
    EXPECT_EQ(prompts.beeps, 1); // the ".map" refusal's, as Browse's

    // Browse's choice goes through the same checks.
    form.MapPath = before;
    prompts.messages.clear();
    prompts.fileChoices = {L"C:\\Maps\\COM\u00B2.map"};
    Press(form.btnBrowse.Handle());
    EXPECT_EQ(form.MapPath, before);
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].wideText.rfind(L"KORVA cannot use \"C:\\Maps\\COM\u00B2.map\": it holds the name", 0),
              0u);
}

TEST_F(MainWindowTest, AClickIntoTheHelpMovesTheFocusToCompile) {
    ::SendMessageA(form.mmo_info.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    ::SendMessageA(form.mmo_info.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    test::PumpMessages();
    EXPECT_TRUE(form.btnCompile.Focused());
}

TEST_F(MainWindowTest, EnterCompilesAndTheScriptIsWrittenIntoTheToolsFolder) {
    Press(form.rgComMode.Item(1).Handle());
    Press(form.cb_runHL.Handle());
    form.edFilename.SetText("typed.map"); // only ever written by the window: what is typed has no effect
    form.edFilename.SetFocus();
    Key(form.edFilename.Handle(), VK_RETURN);
    EXPECT_EQ(Script(), "QCSG.EXE C:\\Maps\\castle.map\r\n"
                        "QBSP2.EXE C:\\Maps\\castle.map\r\n"
                        "VIS.EXE C:\\Maps\\castle.map\r\n"
                        "QRAD.EXE -smooth 80 -bounce 20 C:\\Maps\\castle.map\r\n"
                        "Copy C:\\Maps\\castle.bsp C:\\Games\\HL\\Valve\\Maps\r\n"
                        "Copy C:\\Maps\\castle.pts C:\\Games\\HL\\Valve\\Maps\r\n"
                        "C:\\Games\\HL\\HL.EXE -Console -Dev +map castle\r\n");
    ASSERT_EQ(shell.launches.size(), 1u);
    EXPECT_EQ(shell.launches[0].folder, tools.Path());

    // A second press replaces the script.
    Press(form.cb_runHL.Handle());
    Press(form.btnCompile.Handle());
    const std::string second = Script();
    EXPECT_EQ(std::count(second.begin(), second.end(), '\n'), 6);
}

TEST_F(MainWindowTest, AMissingToolsFolderShowsIoError103AndTheWindowStaysUsable) {
    form.Dirs.ToolsPath = tools / "missing\\";
    Press(form.btnCompile.Handle());
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].kind, MessageKind::AppError);
    EXPECT_EQ(prompts.messages[0].text, "I/O error 103.");
    EXPECT_TRUE(shell.launches.empty());

    form.Dirs.ToolsPath = tools.Path();
    Press(form.btnCompile.Handle());
    EXPECT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(shell.launches.size(), 1u);
    EXPECT_FALSE(Script().empty());
}

TEST_F(MainWindowTest, ExitClosesTheWindow) {
    Press(form.btnExit.Handle());
    EXPECT_FALSE(form.Visible());
}

class AboutBoxTest : public MainWindowTest {
protected:
    AboutBoxTest() {
        prompts.onShowModal = [](ModalWindow& window) { return window.RunModal(); };
    }
};

TEST_F(AboutBoxTest, EnterAndEscCloseItAndAboutThenContinues) {
    EXPECT_EQ(about.Caption(), "About KORVA");
    RECT client{};
    ::GetClientRect(about.Handle(), &client);
    EXPECT_EQ(client.right, 508);
    EXPECT_EQ(client.bottom, 282);
    EXPECT_EQ(about.mmoAbout.Lines().size(), 5u);
    EXPECT_EQ(about.Memo1.Lines().size(), 11u);

    for (WPARAM key : {VK_RETURN, VK_ESCAPE}) {
        // The keys wait in the queue and are read by the box's own loop.
        ::PostMessageA(about.btnClose.Handle(), WM_KEYDOWN, key, 0);
        Press(form.btnAbout.Handle());
        EXPECT_FALSE(about.Visible());
        EXPECT_FALSE(about.Modal());
    }
    EXPECT_EQ(prompts.modalShowings, 2);
    EXPECT_TRUE(::IsWindowEnabled(form.Handle()));
}

TEST_F(AboutBoxTest, AClickIntoEitherTextMovesTheFocusToClose) {
    about.Show();
    for (ui::Memo* memo : {&about.mmoAbout, &about.Memo1}) {
        about.btnClose.SetFocus();
        memo->SetFocus();
        test::PumpMessages();
        EXPECT_TRUE(about.btnClose.Focused());
    }
    about.Hide();
}

// The program's four windows end as WinMain ends them: each form's window takes its controls' windows
// with it, and no handle is destroyed a second time (by then it may name another window). A control
// whose form lives on destroys its own window.
TEST(ProgramEnd, EveryWindowIsDestroyedOnce) {
    const int failedBefore = win32::failedWindowDestroys;
    HWND control = nullptr;
    {
        test::ProgramWindows program;
        {
            ui::Button alone(program.frmMain, "alone", {0, 0, 10, 10});
            control = alone.Handle();
        }
        EXPECT_FALSE(::IsWindow(control));

        program.frmMain.Destroy();
        program.frmAbout.Destroy();
        program.frmConfig.Destroy();
        program.frmSelect.Destroy();
        program.frmSelect.Destroy(); // a second time does nothing
    }
    EXPECT_EQ(win32::failedWindowDestroys, failedBefore);
}

} // namespace
} // namespace korva
