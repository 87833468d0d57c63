// Scan through the real dialog with the real registry, folders, message pump and cursor: the game's and
// the level editor's entries written into the test prefix's registry (32-bit view), QCSG.EXE placed
// below the editor's folder, and the chooser when it lies in two folders.
#include "ConfigTestSupport.h"
#include "WinTestSupport.h"
#include "config/Config.h"
#include "config/Select.h"
#include "fakes/FakePrompts.h"
#include "platform/win32/Win32Cursor.h"
#include "platform/win32/Win32FolderSystem.h"
#include "platform/win32/Win32MessagePump.h"
#include "platform/win32/Win32Names.h"
#include "platform/win32/Win32Registry.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <set>

namespace korva {
namespace {

using test::TestKey;

constexpr const char* kGameKey = "Software\\Sierra OnLine\\Setup\\HALFLIFE";
constexpr const char* kWcKey = "Software\\Sierra OnLine\\Setup\\WC";

class ConfigScanTest : public ::testing::Test {
protected:
    ConfigScanTest()
        : config({prompts, folders, pump, registry, cursor, win32::SystemNameConversion()}, nullptr),
          select(prompts, win32::SystemNameConversion(), nullptr) {
        config.SetChooser(select);
        game.SetText("Directory", "C:\\Games\\Half-Life");
        editorKey.SetText("Directory", Editor());
        test::MakeDir(Editor() + "\\maps");
        test::WriteFile(Editor() + "\\maps\\castle.map", "{}");
        config.GetCurrentDirs({"C:\\Old\\", "C:\\Old Tools\\", "C:\\Old Maps\\"});
        config.Show();
        test::PumpMessages();
    }
    ~ConfigScanTest() override {
        config.Destroy();
        select.Destroy();
    }

    // The editor's folder as its installer writes it: no trailing backslash.
    std::string Editor() const { return dir / "Worldcraft"; }
    void PlaceTools(const std::string& subfolder) {
        test::MakeDir(Editor() + "\\" + subfolder);
        test::WriteFile(Editor() + "\\" + subfolder + "\\QCSG.EXE", "stand-in");
    }
    void Scan() {
        ::SendMessageA(config.btnScan.Handle(), BM_CLICK, 0, 0);
        test::PumpMessages();
    }
    std::set<std::string> VisibleLabels() {
        std::set<std::string> visible;
        const std::pair<const char*, ui::Label*> labels[] = {
            {"lblSuccesHL", &config.lblSuccesHL},         {"lblFailHL", &config.lblFailHL},
            {"lblSuccesQTools", &config.lblSuccesQTools}, {"lblFailQTools", &config.lblFailQTools},
            {"lblSuccesFTools", &config.lblSuccesFTools}, {"lblFailFtools", &config.lblFailFtools},
            {"lblFToolsSkip", &config.lblFToolsSkip},     {"lblSuccesMaps", &config.lblSuccesMaps},
            {"lblFailMaps", &config.lblFailMaps}};
        for (const auto& [name, label] : labels)
            if (label->Visible())
                visible.insert(name);
        return visible;
    }

    test::TempDir dir;
    TestKey game{kGameKey};
    TestKey editorKey{kWcKey};
    fakes::FakePrompts prompts;
    win32::Win32FolderSystem folders;
    win32::Win32MessagePump pump;
    win32::Win32Registry registry;
    win32::Win32Cursor cursor;
    TfrmConfig config;
    TfrmSelect select;
};

TEST_F(ConfigScanTest, FindsTheToolsBelowTheEditorsFolderNamedInTheRegistry) {
    ASSERT_TRUE(game.Valid() && editorKey.Valid());
    PlaceTools("Tools\\Compile");

    Scan();

    EXPECT_EQ(config.Stored.HLPath, "C:\\Games\\Half-Life\\");
    EXPECT_EQ(config.Stored.WCPath, Editor() + "\\");
    EXPECT_EQ(config.Stored.MapsPath, Editor() + "\\maps\\");
    EXPECT_EQ(config.Stored.ToolsPath, Editor() + "\\Tools\\Compile\\");
    EXPECT_EQ(config.edHLDir.Text(), "C:\\Games\\Half-Life\\");
    EXPECT_EQ(config.edToolsDir.Text(), Editor() + "\\Tools\\Compile\\");
    EXPECT_EQ(config.edMapsDir.Text(), Editor() + "\\maps\\");
    EXPECT_EQ(VisibleLabels(), (std::set<std::string>{"lblSuccesHL", "lblSuccesMaps"}));
    EXPECT_TRUE(prompts.events.empty());
    EXPECT_TRUE(config.btnScan.Enabled());
}

// The row double-clicked is taken; a chooser closed from outside with no row selected is no choice,
// and the tools folder and its edit stay as they were.
TEST_F(ConfigScanTest, ToolsInTwoFoldersAreChosenInTheChooser) {
    PlaceTools("First");
    PlaceTools("Second\\bin");
    for (const bool pick : {true, false}) {
        SCOPED_TRACE(pick ? "double-clicked" : "closed with no row selected");
        std::set<std::string> rows;
        prompts.onShowModal = [&](ModalWindow& window) {
            EXPECT_EQ(&window, static_cast<ModalWindow*>(&select));
            int second = -1;
            for (int i = 0; i < select.lvLocation.Count(); ++i) {
                rows.insert(select.lvLocation.Caption(i));
                if (select.lvLocation.Caption(i).find("Second") != std::string::npos)
                    second = i;
            }
            if (!pick) {
                ::PostMessageA(select.Handle(), WM_CLOSE, 0, 0); // as Alt+F4 would
                return window.RunModal();
            }
            ListView_SetItemState(select.lvLocation.Handle(), second, LVIS_SELECTED | LVIS_FOCUSED,
                                  LVIS_SELECTED | LVIS_FOCUSED);
            RECT r{};
            ListView_GetItemRect(select.lvLocation.Handle(), second, &r, LVIR_LABEL);
            ::PostMessageA(select.lvLocation.Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON,
                           MAKELPARAM(r.left + 5, r.top + 3));
            return window.RunModal();
        };

        Scan();

        const std::string chosen = pick ? Editor() + "\\Second\\bin\\" : "";
        EXPECT_EQ(rows, (std::set<std::string>{Editor() + "\\First\\", Editor() + "\\Second\\bin\\"}));
        EXPECT_EQ(config.Stored.ToolsPath, chosen);
        EXPECT_EQ(config.edToolsDir.Text(), pick ? chosen : "C:\\Old Tools\\");
        EXPECT_EQ(VisibleLabels(), (std::set<std::string>{"lblSuccesHL", "lblSuccesMaps", "lblFToolsSkip"}));
        EXPECT_EQ(select.lvLocation.Count(), 0);
        EXPECT_TRUE(::IsWindowEnabled(config.Handle()));
        config.Stored.ToolsPath.clear();
        config.GetCurrentDirs({"C:\\Old\\", "C:\\Old Tools\\", "C:\\Old Maps\\"});
    }
}

// Names in the editor's folder that the code page lacks: full-width letters that a best fit would read
// as QCSG.EXE are not the tool; a real tool in a folder so named is found through the folder's short name.
TEST_F(ConfigScanTest, NamesTheCodePageLacksAreNeverBestFitted) {
    if (::GetACP() != 1252)
        GTEST_SKIP() << "the names are chosen for code page 1252";
    const std::wstring editor = test::Wide(Editor());
    test::WriteFile(editor + L"\\\uFF31\uFF23\uFF33\uFF27.\uFF25\uFF38\uFF25", "not a tool");
    prompts.messageAnswers = {mrNo};
    Scan();
    EXPECT_EQ(VisibleLabels(),
              (std::set<std::string>{"lblSuccesHL", "lblSuccesMaps", "lblFailQTools", "lblFToolsSkip"}));
    EXPECT_EQ(config.edToolsDir.Text(), "C:\\Old Tools\\");

    test::MakeDir(editor + L"\\\u03A9tools");
    test::WriteFile(editor + L"\\\u03A9tools\\QCSG.EXE", "stand-in");
    const std::string shortName = test::ShortName(editor + L"\\\u03A9tools");
    ASSERT_FALSE(shortName.empty()) << "no short names here";
    Scan();
    EXPECT_EQ(config.Stored.ToolsPath, Editor() + "\\" + shortName + "\\");
    EXPECT_EQ(config.edToolsDir.Text(), Editor() + "\\" + shortName + "\\");
}

} // namespace
} // namespace korva
