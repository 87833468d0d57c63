// KORVA.INI through the real profile functions, and its whole round trip through the main window.
#include "WinTestSupport.h"
#include "app/RUririzizu.h"
#include "app/Settings.h"
#include "fakes/FakeFileKinds.h"
#include "fakes/FakeNameConversion.h"
#include "fakes/FakeProfileStore.h"
#include "fakes/FakePrompts.h"
#include "fakes/FakeShell.h"
#include "platform/win32/Handles.h"
#include "platform/win32/Win32FileWriter.h"
#include "platform/win32/Win32ProfileStore.h"

#include <gtest/gtest.h>

namespace korva {
namespace {

using test::TempDir;

class SettingsFile : public ::testing::Test {
protected:
    std::string Ini() const { return dir / "KORVA.INI"; }
    TempDir dir;
    win32::Win32ProfileStore store{dir.Path()};
};

TEST_F(SettingsFile, AHandWrittenFileIsReadWhateverTheCaseOfItsNamesAndItsOtherLines) {
    test::WriteFile(Ini(), "; written by hand\r\n"
                           "junk without an equals sign\r\n"
                           "\r\n"
                           "[general]\r\n"
                           "runhl=1\r\n"
                           "\r\n"
                           "COMMODE=3\r\n"
                           "[folders]\r\n"
                           "GameDir=D:\\Games\\HL\\\r\n"
                           "   more junk\r\n"
                           "TOOLSDIR=D:\\Tools\\\r\n"
                           "MAPNAME=D:\\maps\\castle.map\r\n"
                           "mapsdir=D:\\maps\\\r\n");
    const LoadedSettings loaded = LoadSettings(store);
    ASSERT_TRUE(loaded.configured);
    EXPECT_EQ(loaded.values.Dirs.HLPath, "D:\\Games\\HL\\");
    EXPECT_EQ(loaded.values.Dirs.ToolsPath, "D:\\Tools\\");
    EXPECT_EQ(loaded.values.Dirs.MapsPath, "D:\\maps\\");
    EXPECT_EQ(loaded.values.MapPath, "D:\\maps\\castle.map");
    EXPECT_TRUE(loaded.values.RunHL);
    EXPECT_EQ(loaded.values.ComMode, 3);
}

TEST_F(SettingsFile, WhatASaveWritesReadsBackTheSame) {
    const Settings run{"C:\\Program Files (x86)\\Half-Life\\", "", "D:\\Maps;old\\", "D:\\Maps;old\\a b=c.map", true, -1};
    SaveSettings(store, run);
    const std::string text = test::ReadFile(Ini());
    EXPECT_LT(text.find("[General]"), text.find("[Folders]"));
    EXPECT_NE(text.find("Version=150"), std::string::npos);
    EXPECT_NE(text.find("Mapname="), std::string::npos);
    const LoadedSettings loaded = LoadSettings(store);
    EXPECT_EQ(loaded.values.Dirs.HLPath, run.Dirs.HLPath);
    EXPECT_EQ(loaded.values.Dirs.ToolsPath, "");
    EXPECT_EQ(loaded.values.Dirs.MapsPath, run.Dirs.MapsPath);
    EXPECT_EQ(loaded.values.MapPath, run.MapPath);
    EXPECT_TRUE(loaded.values.RunHL);
    EXPECT_EQ(loaded.values.ComMode, -1);
}

TEST_F(SettingsFile, ALongValueIsReadAsItsFirst1023Characters) {
    const std::string longFolder = "D:\\" + std::string(1500, 'f') + "\\";
    ASSERT_TRUE(store.Write(Ini(), "Folders", "GameDir", longFolder));
    EXPECT_EQ(LoadSettings(store).values.Dirs.HLPath, longFolder.substr(0, 1023));
}

TEST_F(SettingsFile, TheProgramFolderIsTheExecutablesOwn) {
    win32::Win32ProfileStore own;
    EXPECT_EQ(own.ProgramFolder(), test::BuildDir() + "tests\\");
}

// The main window with its settings in a folder of the test's.
class SettingsRoundTrip : public SettingsFile {
protected:
    std::unique_ptr<TfrmMain> Start() {
        auto form = std::make_unique<TfrmMain>(MainServices{prompts, shell, files, kinds, store, names}, nullptr);
        form->Show();
        test::PumpMessages();
        return form;
    }

    fakes::FakePrompts prompts;
    fakes::FakeShell shell;
    win32::Win32FileWriter files;
    fakes::FakeFileKinds kinds;
    fakes::FakeNameConversion names;
};

TEST_F(SettingsRoundTrip, AFirstStartAsksForTheConfigurationBeforeTheWindowShows) {
    bool windowShown = true;
    prompts.onMessage = [&](const fakes::ShownMessage&) {
        HWND main = ::FindWindowA("TfrmMain", nullptr);
        windowShown = main && ::IsWindowVisible(main);
    };
    auto form = Start();
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].kind, MessageKind::Information);
    EXPECT_EQ(prompts.messages[0].text, "Please configure KORVA by pressing the \"Configuration\" button, and then "
                                        "pressing \"Scan\" in the configuration screen.");
    EXPECT_FALSE(windowShown);
    EXPECT_EQ(form->edFilename.Text(), "");
    EXPECT_EQ(form->rgComMode.ItemIndex(), 0);
    EXPECT_FALSE(form->cb_runHL.Checked());
    EXPECT_EQ(form->mmo_info.Lines().size(), 3u);

    // Browse, then Cancel, refuses the empty map path.
    prompts.fileChoices = {std::nullopt};
    ::SendMessageA(form->btnBrowse.Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(form->edFilename.Text(), "No map selected");
    form->MapPath.clear(); // as the first start left it

    form->Destroy();
    const LoadedSettings saved = LoadSettings(store);
    EXPECT_FALSE(saved.configured);
    const std::string text = test::ReadFile(Ini());
    for (const char* line : {"Version=150", "RunHL=0", "ComMode=0", "GameDir=Not Found", "ToolsDir=\r\n",
                             "MapsDir=\r\n", "Mapname=\r\n"})
        EXPECT_NE(text.find(line), std::string::npos) << line;
}

TEST_F(SettingsRoundTrip, ModeBoxAndFoldersSurviveARestart) {
    {
        auto form = Start();
        ::SendMessageA(form->rgComMode.Item(2).Handle(), BM_CLICK, 0, 0);
        ::SendMessageA(form->cb_runHL.Handle(), BM_CLICK, 0, 0);
        form->Dirs.HLPath = "D:\\Games\\HL\\";
        form->Dirs.ToolsPath = "D:\\Tools\\Compile\\";
        form->Dirs.MapsPath = "D:\\Editor\\maps\\";
        form->MapPath = "D:\\Editor\\maps\\castle.map";
        form->Destroy();
    }
    prompts.messages.clear();
    auto again = Start();
    EXPECT_TRUE(prompts.messages.empty());
    EXPECT_EQ(again->rgComMode.ItemIndex(), 2);
    EXPECT_EQ(again->mmo_info.Lines()[0], kModeHelp[2][0]);
    EXPECT_TRUE(again->cb_runHL.Checked());
    EXPECT_EQ(again->Dirs.HLPath, "D:\\Games\\HL\\");
    EXPECT_EQ(again->Dirs.ToolsPath, "D:\\Tools\\Compile\\");
    EXPECT_EQ(again->Dirs.MapsPath, "D:\\Editor\\maps\\");
    EXPECT_EQ(again->edFilename.Text(), "castle.map");
    again->Destroy();
}

TEST_F(SettingsRoundTrip, StoredModesOutOfRangeAreBoundedByTheGroup) {
    const struct {
        const char* stored;
        int selected;
    } cases[] = {{"9", 5}, {"-3", -1}, {"0x4", 4}, {"abc", 0}};
    for (const auto& c : cases) {
        test::WriteFile(Ini(), std::string("[Folders]\r\nGameDir=C:\\HL\\\r\n[General]\r\nComMode=") + c.stored + "\r\n");
        auto form = Start();
        EXPECT_EQ(form->rgComMode.ItemIndex(), c.selected) << c.stored;
        EXPECT_EQ(form->mmo_info.Lines().empty(), c.selected < 0) << c.stored;
        form->Destroy();
        EXPECT_NE(test::ReadFile(Ini()).find("ComMode=" + std::to_string(c.selected)), std::string::npos);
    }
}

TEST_F(SettingsRoundTrip, ASettingsFileThatCannotBeWrittenGivesOneErrorAndKeepsItsContent) {
    const std::string before = "[Folders]\r\nGameDir=C:\\HL\\\r\n";
    test::WriteFile(Ini(), before);
    auto form = Start();
    ::SendMessageA(form->rgComMode.Item(3).Handle(), BM_CLICK, 0, 0);
    {
        // Another program holds the file open without sharing it.
        win32::FileHandle held(::CreateFileA(Ini().c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                             FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(held);
        form->Destroy();
    }
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].kind, MessageKind::AppError);
    EXPECT_EQ(prompts.messages[0].text, "Unable to write to " + Ini() + ".");
    EXPECT_EQ(test::ReadFile(Ini()), before);
}

// Started from a folder whose name the code page cannot hold (and that has no short name): the user is
// told that nothing will be kept, and nothing is read or written.
TEST(SettingsNotKept, AProgramFolderThatCannotBeNamedIsSaidAtStartAndNoFileIsTouched) {
    fakes::FakePrompts prompts;
    fakes::FakeShell shell;
    win32::Win32FileWriter files;
    fakes::FakeFileKinds kinds;
    fakes::FakeProfileStore store;
    fakes::FakeNameConversion names;
    store.folder = std::nullopt;
    TfrmMain form(MainServices{prompts, shell, files, kinds, store, names}, nullptr);
    ASSERT_EQ(prompts.messages.size(), 2u);
    EXPECT_EQ(prompts.messages[0].kind, MessageKind::Error);
    EXPECT_EQ(prompts.messages[0].text, kSettingsNotKeptMessage);
    EXPECT_EQ(prompts.messages[1].text, kConfigureMessage);
    EXPECT_EQ(form.Dirs.HLPath, "Not Found");
    form.Destroy();
    EXPECT_TRUE(store.filesRead.empty());
    EXPECT_EQ(store.writes, 0);
    EXPECT_EQ(prompts.messages.size(), 2u); // no error at the end either
}

} // namespace
} // namespace korva
