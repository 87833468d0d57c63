// The configuration dialog with the real controls, opened from the main window's Configuration button
// and driven by messages: the folders handed over and back, OK, Cancel and their keys, manual
// configuration, the browse buttons and their stored folders, the reset on closing, and a search that
// keeps only its way out usable and is stopped by Esc.
#include "WinTestSupport.h"
#include "app/RUririzizu.h"
#include "config/Config.h"
#include "config/Select.h"
#include "fakes/FakeFileKinds.h"
#include "fakes/FakeNameConversion.h"
#include "fakes/FakePrompts.h"
#include "fakes/FakeProfileStore.h"
#include "fakes/FakeRegistry.h"
#include "fakes/FakeShell.h"
#include "platform/win32/MessageLoop.h"
#include "platform/win32/Win32Cursor.h"
#include "platform/win32/Win32FileWriter.h"
#include "tests/fakes/FakeFolderSystem.h"

#include <gtest/gtest.h>

#include <cstring>

namespace korva {
namespace {

using fakes::FakePrompts;

void Press(HWND control) {
    ::SendMessageA(control, BM_CLICK, 0, 0);
    test::PumpMessages();
}

void PostKey(HWND target, WPARAM key) {
    ::PostMessageA(target, WM_KEYDOWN, key, 0);
    ::PostMessageA(target, WM_KEYUP, key, 0xC0000000);
}

// Characters as typed into the control.
void Type(HWND target, const std::string& text) {
    for (char c : text)
        ::SendMessageA(target, WM_CHAR, static_cast<unsigned char>(c), 0);
}

// Characters as typed on a keyboard that has them, read by the program's message loop.
void TypeWide(HWND target, const std::wstring& text) {
    for (wchar_t c : text)
        ::PostMessageW(target, WM_CHAR, c, 1);
    test::PumpMessages();
}

// Text as the user pastes it: put on the clipboard in UTF-16 by the window owner, then pasted.
void Paste(HWND owner, HWND target, const std::wstring& text) {
    const size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, bytes);
    std::memcpy(::GlobalLock(block), text.c_str(), bytes);
    ::GlobalUnlock(block);
    ASSERT_TRUE(::OpenClipboard(owner));
    ::EmptyClipboard();
    ::SetClipboardData(CF_UNICODETEXT, block); // the clipboard owns it now
    ::CloseClipboard();
    ::SendMessageW(target, WM_PASTE, 0, 0);
}

TfrmConfig* openDialog = nullptr;

void CALLBACK CloseOpenDialog(HWND, UINT, UINT_PTR, DWORD) {
    if (openDialog && openDialog->Modal()) {
        ADD_FAILURE() << "the dialog did not close";
        openDialog->SetModalResult(mrNone - 1);
    }
}

class ConfigDialogTest : public ::testing::Test {
protected:
    ConfigDialogTest()
        : main({prompts, shell, files, kinds, Configured(settings), names}, nullptr),
          config({prompts, disks, pump, registry, cursor, names}, nullptr), select(prompts, names, nullptr) {
        main.SetConfigDialog(config);
        config.SetChooser(select);
        main.Dirs.HLPath = "C:\\Games\\HL\\";
        main.Dirs.ToolsPath = "C:\\Tools\\";
        main.Dirs.MapsPath = "C:\\Maps\\";
        main.Show();
        test::PumpMessages();
    }
    ~ConfigDialogTest() override {
        main.Destroy();
        config.Destroy();
        select.Destroy();
    }

    static fakes::FakeProfileStore& Configured(fakes::FakeProfileStore& store) {
        store.Write("", "Folders", "GameDir", "C:\\Games\\HL\\");
        return store;
    }

    // Presses Configuration on the main window. While the dialog is on screen, `during` runs; then
    // `close` posts what closes it, which the dialog's own loop reads. Returns the dialog's result.
    int Configure(const std::function<void()>& during, const std::function<void()>& close) {
        int result = -1;
        prompts.onShowModal = [&](ModalWindow& window) {
            if (&window != static_cast<ModalWindow*>(&config)) {
                ADD_FAILURE() << "another window was shown";
                return static_cast<int>(mrCancel);
            }
            config.Show();
            test::PumpMessages();
            if (during)
                during();
            close();
            // Should the dialog not close as the test expects, it closes after a while instead of
            // leaving the test waiting.
            openDialog = &config;
            const UINT_PTR timer = ::SetTimer(nullptr, 0, 10000, &CloseOpenDialog);
            result = window.RunModal();
            ::KillTimer(nullptr, timer);
            openDialog = nullptr;
            return result;
        };
        Press(main.btnConfig.Handle());
        prompts.onShowModal = nullptr;
        EXPECT_FALSE(config.Visible());
        return result;
    }
    void Ok() { ::PostMessageA(config.btnOK.Handle(), BM_CLICK, 0, 0); }
    void Cancel() { ::PostMessageA(config.btnCancel.Handle(), BM_CLICK, 0, 0); }
    void Esc() { PostKey(::GetFocus(), VK_ESCAPE); }

    std::vector<std::string> MainFolders() const { return {main.Dirs.HLPath, main.Dirs.ToolsPath, main.Dirs.MapsPath}; }
    std::vector<std::string> Edits() const {
        return {config.edHLDir.Text(), config.edToolsDir.Text(), config.edMapsDir.Text()};
    }
    std::vector<ui::Label*> StatusLabels() {
        return {&config.lblSuccesHL,     &config.lblFailHL,     &config.lblSuccesQTools,
                &config.lblFailQTools,   &config.lblSuccesFTools, &config.lblFailFtools,
                &config.lblFToolsSkip,   &config.lblSuccesMaps, &config.lblFailMaps};
    }
    int VisibleLabels() {
        int visible = 0;
        for (ui::Label* label : StatusLabels())
            visible += label->Visible();
        return visible;
    }
    // The six controls of manual configuration and the toggle's caption agree with the state.
    void ExpectManual(bool on) {
        EXPECT_EQ(config.btnChange.Text(), on ? "Disable &Manual config" : "Enable &Manual config");
        for (ui::Control* browse : {&config.btnHLBrowse, &config.btnCTBrowse, &config.btnMapsBrowse})
            EXPECT_EQ(browse->Enabled(), on);
        for (ui::Edit* edit : {&config.edHLDir, &config.edToolsDir, &config.edMapsDir})
            EXPECT_EQ(edit->ReadOnly(), !on);
    }

    FakePrompts prompts;
    fakes::FakeShell shell;
    win32::Win32FileWriter files;
    fakes::FakeFileKinds kinds;
    fakes::FakeProfileStore settings;
    fakes::FakeFolderSystem disks;
    fakes::FakeMessagePump pump;
    fakes::FakeRegistry registry;
    win32::Win32Cursor cursor;
    fakes::FakeNameConversion names; // code page 1252, whatever the system's
    TfrmMain main;
    TfrmConfig config;
    TfrmSelect select;
};

TEST_F(ConfigDialogTest, StartsHiddenLabelsAndManualOffWithTheStatusColoursAndTabOrder) {
    EXPECT_EQ(VisibleLabels(), 0);
    ExpectManual(false);

    // The status marks: white on green, white on red, and "SKIPPED" in the dialog's own colours.
    HDC dc = ::GetDC(config.Handle());
    EXPECT_NE(config.lblSuccesMaps.PaintColors(dc), nullptr);
    EXPECT_EQ(::GetTextColor(dc), RGB(255, 255, 255));
    EXPECT_EQ(::GetBkColor(dc), RGB(0, 128, 0));
    EXPECT_NE(config.lblFailFtools.PaintColors(dc), nullptr);
    EXPECT_EQ(::GetBkColor(dc), RGB(255, 0, 0));
    EXPECT_EQ(config.lblFToolsSkip.PaintColors(dc), nullptr);
    ::ReleaseDC(config.Handle(), dc);
    EXPECT_EQ(config.lblFToolsSkip.Text(), "SKIPPED");

    // Tab order, and Enter presses OK unless another button has the focus.
    config.Show();
    test::PumpMessages();
    EXPECT_TRUE(config.edHLDir.Focused());
    const HWND order[] = {config.edToolsDir.Handle(), config.edMapsDir.Handle(), config.btnOK.Handle(),
                          config.btnCancel.Handle(),  config.btnScan.Handle(),   config.btnChange.Handle(),
                          config.edHLDir.Handle()};
    HWND at = config.edHLDir.Handle();
    for (HWND next : order)
        EXPECT_EQ(at = ::GetNextDlgTabItem(config.Handle(), at, FALSE), next);
    EXPECT_EQ(LOWORD(::SendMessageA(config.Handle(), DM_GETDEFID, 0, 0)), config.btnOK.Id());
    config.Hide();
}

TEST_F(ConfigDialogTest, OpensWithTheMainWindowsFoldersAndOkHandsTheSameTextsBack) {
    main.Dirs.HLPath = "Not Found";
    main.Dirs.ToolsPath = "";
    main.Dirs.MapsPath = "";
    const std::vector<std::string> handed = MainFolders();
    std::vector<std::string> shown;
    EXPECT_EQ(Configure([&] { shown = Edits(); }, [&] { PostKey(config.edMapsDir.Handle(), VK_RETURN); }), mrOk);
    EXPECT_EQ(shown, handed);
    EXPECT_EQ(MainFolders(), handed);
    EXPECT_EQ(main.odFile.Options.initialDir, "");
}

TEST_F(ConfigDialogTest, CancelAndEscChangeNothingAndOkTakesTheEditedTexts) {
    const std::vector<std::string> before = MainFolders();
    const std::string mapPath = main.MapPath;
    const auto editMaps = [&] { config.edMapsDir.SetText("D:\\Levels\\"); };
    EXPECT_EQ(Configure(editMaps, [&] { Cancel(); }), mrCancel);
    EXPECT_EQ(Configure(editMaps, [&] { Esc(); }), mrCancel);
    EXPECT_EQ(MainFolders(), before);

    EXPECT_EQ(Configure(editMaps, [&] { Ok(); }), mrOk);
    EXPECT_EQ(MainFolders(), (std::vector<std::string>{"C:\\Games\\HL\\", "C:\\Tools\\", "D:\\Levels\\"}));
    EXPECT_EQ(main.odFile.Options.initialDir, "D:\\Levels\\");
    EXPECT_EQ(main.MapPath, mapPath);
}

TEST_F(ConfigDialogTest, ManualConfigurationMakesTheEditsWritableAndTypedTextReachesTheMainWindow) {
    Configure(
        [&] {
            Type(config.edToolsDir.Handle(), "X"); // read-only: nothing happens
            EXPECT_EQ(config.edToolsDir.Text(), "C:\\Tools\\");
            Press(config.btnChange.Handle());
            ExpectManual(true);
            Press(config.btnChange.Handle());
            ExpectManual(false);
            Press(config.btnChange.Handle());
            config.edToolsDir.SetText("");
            config.edToolsDir.SetFocus();
            Type(config.edToolsDir.Handle(), "E:\\Typed");
        },
        [&] { Ok(); });
    EXPECT_EQ(main.Dirs.ToolsPath, "E:\\Typed");
    EXPECT_EQ(config.Stored.ToolsPath, ""); // typing stores nothing
}

// Under manual configuration a typed or pasted folder passes the rule for names at OK, as a chosen one
// does. Best fitted, a full-width ampersand became "&" and Omega "O": Compile then ran another folder's
// tools. A text the code page lacks is refused in a box that names the field and the text exactly as
// typed, the dialog staying open with it; an existing folder is taken by its short name; "/" as "\", and
// the edits then show the folders as they are used.
TEST_F(ConfigDialogTest, TypedAndPastedFoldersPassTheRuleForNamesAtOk) {
    names.shortNames[L"D:\\Tools\\\u03A9mega"] = L"OMEGA~1";
    const HWND dialog = config.Handle();
    const struct {
        ui::Edit& edit;
        bool pasted;
        std::wstring typed;
        const char* field;
        std::wstring corrected;
    } refused[] = {
        {config.edHLDir, false, L"D:\\Games\\H\uFF06L\\", "game folder", L"D:/Games/HL"},
        {config.edToolsDir, true, L"D:\\T\uFF5Cools\\", "tools folder", L"D:\\Tools\\\u03A9mega\\"},
        {config.edMapsDir, true, L"D:\\\u03A9nly\\", "maps folder", L"D:\\Levels"},
    };
    size_t next = 0;
    prompts.onMessage = [&](const fakes::ShownMessage& box) {
        ASSERT_LT(next, std::size(refused));
        const auto& row = refused[next++];
        EXPECT_EQ(box.kind, MessageKind::Error);
        EXPECT_EQ(box.wideText.rfind(L"KORVA cannot use \"" + row.typed + L"\" as the " +
                                         std::wstring(row.field, row.field + std::strlen(row.field)) + L": ",
                                     0),
                  0u);
        EXPECT_TRUE(config.Modal());
        EXPECT_TRUE(row.edit.Focused());
        EXPECT_EQ(MainFolders(), (std::vector<std::string>{"C:\\Games\\HL\\", "C:\\Tools\\", "C:\\Maps\\"}));
        ::SetWindowTextW(row.edit.Handle(), row.corrected.c_str());
        Ok();
    };
    const int result = Configure(
        [&] {
            Press(config.btnChange.Handle());
            for (const auto& row : refused) {
                row.edit.SetText("");
                row.edit.SetFocus();
                if (row.pasted)
                    Paste(dialog, row.edit.Handle(), row.typed);
                else
                    TypeWide(row.edit.Handle(), row.typed);
                EXPECT_EQ(row.edit.WideText(), row.typed); // shown as typed
                // Wine's edit keeps UTF-16 whatever the window; an 8-bit one of Windows narrows a paste at once.
                EXPECT_TRUE(::IsWindowUnicode(row.edit.Handle()));
            }
        },
        [&] { Ok(); });
    prompts.onMessage = nullptr;
    EXPECT_EQ(result, mrOk);
    EXPECT_EQ(next, std::size(refused));
    const std::vector<std::string> used{"D:\\Games\\HL", "D:\\Tools\\OMEGA~1\\", "D:\\Levels"};
    EXPECT_EQ(MainFolders(), used);
    EXPECT_EQ(Edits(), used);
}

TEST_F(ConfigDialogTest, BrowseButtonsStoreTheChosenFilesFolder) {
    struct Row {
        ui::SpeedButton& button;
        int filterIndex;
        std::string& stored;
        ui::Edit& edit;
    };
    Row rows[] = {
        {config.btnHLBrowse, 1, config.Stored.HLPath, config.edHLDir},
        {config.btnCTBrowse, 2, config.Stored.ToolsPath, config.edToolsDir},
        {config.btnMapsBrowse, 3, config.Stored.MapsPath, config.edMapsDir},
    };
    config.Show();
    Press(config.btnCTBrowse.Handle()); // disabled while manual configuration is off
    PostKey(config.edToolsDir.Handle(), VK_F4); // F4 in the edit beside presses it
    test::PumpMessages();
    EXPECT_TRUE(prompts.openRequests.empty());
    Press(config.btnChange.Handle());

    for (Row& row : rows) {
        SCOPED_TRACE(row.filterIndex);
        prompts.openRequests.clear();
        config.odFile.SetFileName("left over");
        prompts.fileChoices = {L"C:\\Tools\\QCSG.EXE"};
        PostKey(row.edit.Handle(), VK_F4);
        test::PumpMessages();
        ASSERT_EQ(prompts.openRequests.size(), 1u);
        const OpenFileOptions& shown = prompts.openRequests[0];
        EXPECT_EQ(shown.title, "Select the directory to use...");
        EXPECT_EQ(shown.filter,
                  "Half-Life    (hl.exe)|hl.exe|Compile Tools (qcsg.exe)|qcsg.exe|Game Maps   (*.map)|*.map");
        EXPECT_EQ(shown.filterIndex, row.filterIndex);
        EXPECT_EQ(shown.fileName, "");
        EXPECT_EQ(shown.initialDir, "");
        EXPECT_TRUE(shown.folderOnly);
        EXPECT_EQ(row.stored, "C:\\Tools\\");
        EXPECT_EQ(row.edit.Text(), "C:\\Tools\\");
        EXPECT_FALSE(row.button.Focused());

        // A file whose folder cannot be used: the box names it, and the folder and its edit stay.
        prompts.messages.clear();
        row.edit.SetText("typed");
        prompts.fileChoices = {L"C:\\\u03A9mega\\QCSG.EXE"};
        Press(row.button.Handle());
        ASSERT_EQ(prompts.messages.size(), 1u);
        EXPECT_EQ(prompts.messages[0].kind, MessageKind::Error);
        EXPECT_EQ(prompts.messages[0].wideText.rfind(L"KORVA cannot use \"C:\\\u03A9mega\\QCSG.EXE\": ", 0), 0u);
        EXPECT_EQ(row.stored, "C:\\Tools\\");
        EXPECT_EQ(row.edit.Text(), "typed");
    }
    config.Hide();
}

TEST_F(ConfigDialogTest, ACancelledBrowseShowsTheStoredFolderWhichSurvivesShowings) {
    // Nothing stored yet: the handed-in folder gives way to an empty edit.
    Configure(
        [&] {
            Press(config.btnChange.Handle());
            prompts.fileChoices = {std::nullopt};
            Press(config.btnHLBrowse.Handle());
            EXPECT_EQ(config.edHLDir.Text(), "");
            prompts.fileChoices = {L"D:\\Sierra\\Half-Life\\hl.exe"};
            Press(config.btnHLBrowse.Handle());
        },
        [&] { Cancel(); });
    EXPECT_EQ(main.Dirs.HLPath, "C:\\Games\\HL\\");
    EXPECT_EQ(config.Stored.HLPath, "D:\\Sierra\\Half-Life\\");

    Configure(
        [&] {
            EXPECT_EQ(config.edHLDir.Text(), "C:\\Games\\HL\\");
            Press(config.btnChange.Handle());
            config.edHLDir.SetText("typed");
            prompts.fileChoices = {std::nullopt};
            Press(config.btnHLBrowse.Handle());
            EXPECT_EQ(config.edHLDir.Text(), "D:\\Sierra\\Half-Life\\");
        },
        [&] { Ok(); });
    EXPECT_EQ(main.Dirs.HLPath, "D:\\Sierra\\Half-Life\\");
}

TEST_F(ConfigDialogTest, ClosingHidesTheLabelsAndSwitchesManualConfigurationOff) {
    // No keys: the question comes, and No switches manual configuration on.
    for (const auto& close : std::vector<std::function<void()>>{[&] { Cancel(); }, [&] { Ok(); }, [&] { Esc(); }}) {
        Configure(
            [&] {
                prompts.messageAnswers = {mrNo};
                Press(config.btnScan.Handle());
                EXPECT_EQ(VisibleLabels(), 4);
                EXPECT_TRUE(config.lblFailHL.Visible() && config.lblFToolsSkip.Visible());
                EXPECT_EQ(config.edHLDir.Text(), "Folder not found");
                ExpectManual(true);
                EXPECT_TRUE(config.edToolsDir.Focused());
            },
            close);
        EXPECT_EQ(VisibleLabels(), 0);
        ExpectManual(false);
    }
    // OK took the detection's text as it stood.
    EXPECT_EQ(main.Dirs.HLPath, "Folder not found");
}

TEST_F(ConfigDialogTest, AWrongRegistryValueIsShownInTheErrorBoxAndTheDialogStaysUsable) {
    registry.SetValue(kHalfLifeKey, kDirectoryValue, "C:\\HL");
    registry.SetFailure(kEditorKey, kDirectoryValue, "Invalid data type for 'Directory'");
    Configure(
        [&] {
            Press(config.btnScan.Handle());
            ASSERT_EQ(prompts.messages.size(), 1u);
            EXPECT_EQ(prompts.messages[0].kind, MessageKind::AppError);
            EXPECT_EQ(prompts.messages[0].text, "Invalid data type for 'Directory'"); // "'" sorts before "."
            EXPECT_EQ(VisibleLabels(), 1);
            EXPECT_TRUE(config.lblSuccesHL.Visible());
            EXPECT_EQ(registry.openKeys, 0);
            for (ui::Control* c : {&config.btnScan, &config.btnOK, &config.btnChange})
                EXPECT_TRUE(c->Enabled());
        },
        [&] { Ok(); });
    EXPECT_EQ(main.Dirs.HLPath, "C:\\HL\\");
}

// While the full search runs, only Cancel and Esc are usable. Every way out stops the search, nothing is
// taken from it, and the dialog closes as cancelled: Esc, a close from outside (the taskbar's "Close
// window", or another program), and a quit request, which then stays for the main loop.
TEST_F(ConfigDialogTest, EveryWayOutDuringTheSearchStopsItAndClosesTheDialogAsCancelled) {
    const struct {
        const char* name;
        std::function<void()> leave; // run from within the search, the dialog's messages then handled
    } ways[] = {
        {"Esc", [] { PostKey(::GetFocus(), VK_ESCAPE); }},
        {"close from outside", [&] { ::PostMessageA(config.Handle(), WM_CLOSE, 0, 0); }},
        {"quit request", [] { ::PostQuitMessage(3); }},
    };
    disks.AddDrive('C', dtFixed);
    for (int i = 0; i < 20; ++i)
        disks.AddFile("C:\\Folder" + std::to_string(i) + "\\QCSG.EXE");
    for (const auto& way : ways) {
        SCOPED_TRACE(way.name);
        config.Stored.ToolsPath = "C:\\Before\\";
        prompts.messages.clear();
        prompts.modalShowings = 0;
        pump.quitRequested = false;
        int pumped = 0;
        std::string progress;
        pump.onPump = [&] {
            if (++pumped != 5)
                return;
            EXPECT_FALSE(config.btnScan.Enabled());
            EXPECT_FALSE(config.btnOK.Enabled());
            EXPECT_FALSE(config.btnChange.Enabled());
            EXPECT_TRUE(config.btnCancel.Enabled());
            EXPECT_TRUE(config.btnCancel.Focused()); // Scan had it
            // The folder being searched and the hourglass over every control.
            progress = config.lblSearchDir.Text();
            EXPECT_EQ(cursor.Shape(), CursorShape::Hourglass);
            EXPECT_EQ(::SendMessageA(config.Handle(), WM_SETCURSOR,
                                     reinterpret_cast<WPARAM>(config.edHLDir.Handle()),
                                     MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)),
                      TRUE);
            way.leave();
            pump.quitRequested = !win32::ProcessPendingMessages();
        };
        const int result = Configure(
            [&] {
                config.btnScan.SetFocus();
                ::PostMessageA(config.btnScan.Handle(), BM_CLICK, 0, 0);
            },
            [] {});

        EXPECT_EQ(result, mrCancel);
        EXPECT_EQ(pumped, 6); // the walk ended at once: one more entry in the drive's root
        EXPECT_EQ(progress, "Searching C:\\Folder1");
        EXPECT_EQ(config.lblSearchDir.Text(), "");
        EXPECT_EQ(cursor.Shape(), CursorShape::Default);
        EXPECT_EQ(config.Stored.ToolsPath, "C:\\Before\\");
        EXPECT_EQ(prompts.messages.size(), 1u); // the question only: no chooser, no message after it
        EXPECT_EQ(prompts.modalShowings, 1);
        EXPECT_EQ(main.Dirs.ToolsPath, "C:\\Tools\\");
        for (ui::Control* c : {&config.btnScan, &config.btnOK, &config.btnChange})
            EXPECT_TRUE(c->Enabled());
        EXPECT_EQ(VisibleLabels(), 0);
        MSG quit{};
        EXPECT_EQ(::PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != FALSE, pump.quitRequested);
    }
    pump.onPump = nullptr;
}

// Closed while the question before the full search is open: a Yes given after that starts no search.
TEST_F(ConfigDialogTest, ACloseWhileTheSearchQuestionIsOpenStartsNoSearch) {
    disks.AddDrive('C', dtFixed);
    disks.AddFile("C:\\Tools\\QCSG.EXE");
    config.Stored.ToolsPath = "C:\\Before\\";
    int pumped = 0;
    pump.onPump = [&] { ++pumped; };
    prompts.onMessage = [&](const fakes::ShownMessage&) { ::SendMessageA(config.Handle(), WM_CLOSE, 0, 0); };
    const int result = Configure([&] { ::PostMessageA(config.btnScan.Handle(), BM_CLICK, 0, 0); }, [] {});
    prompts.onMessage = nullptr;
    pump.onPump = nullptr;

    EXPECT_EQ(result, mrCancel);
    EXPECT_EQ(pumped, 0);
    EXPECT_EQ(config.Stored.ToolsPath, "C:\\Before\\");
    EXPECT_EQ(prompts.messages.size(), 1u); // the question only
}

} // namespace
} // namespace korva
