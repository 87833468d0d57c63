// What the user is told when something cannot be done: a file that is no map, a file named with
// characters the code page lacks, a tools folder that does not exist, a settings file that cannot be
// written; the program carries on after each.
#include "Scenario.h"

namespace korva::acceptance {
namespace {

using Failures = Scenario;

TEST_F(Failures, BrowseRefusesAFileThatIsNoMapUntilAMapIsChosen) {
    WriteFile("D:\\Editor\\maps\\castle.txt", "notes\r\n");
    folder.WriteSettings(WorkedExample::Settings(1, false));
    Process korva = folder.Start();
    MainWindow main(korva.Id());
    ASSERT_TRUE(main);

    ASSERT_TRUE(main.Browse("D:\\Editor\\maps\\castle.txt"));
    MessageBoxSeen box = WaitForMessageBox(korva.Id(), "Error");
    ASSERT_TRUE(box) << "a .txt file was taken";
    EXPECT_EQ(box.text, kRefusedMapText);
    ASSERT_TRUE(Answer(box, "OK"));
    EXPECT_TRUE(main.WaitForFileName("No map selected"));

    // Cancelling now keeps "No map selected", which is refused again.
    main.Press("&Browse...");
    ASSERT_TRUE(CancelFileDialog(korva.Id(), kMapDialogCaption));
    box = WaitForMessageBox(korva.Id(), "Error");
    ASSERT_TRUE(box) << "a cancelled choice over a refused one was taken";
    ASSERT_TRUE(Answer(box, "OK"));

    ASSERT_TRUE(main.Browse(WorkedExample::kMap));
    EXPECT_TRUE(main.WaitForFileName("castle.map"));
    EXPECT_TRUE(NoMessageBox(korva.Id()));
    main.Exit();
    ASSERT_TRUE(korva.WaitForExit(kWaitMs));
    EXPECT_EQ(IniLookup(ReadIni(folder.Settings()), "Folders", "Mapname"), WorkedExample::kMap);
}

// A downloaded map can be named with characters the code page lacks. Taken through the ANSI calls, the
// full-width quote and ampersand would come back as " and &, and the name would run mkdir from the
// script; a Greek or Japanese name would become another file or a wildcard. Such a file is refused in a
// box that names it exactly; an exact name in a folder named beyond the code page is taken with the
// folder's short name.
TEST_F(Failures, BrowseRefusesNamesTheCodePageLacksAndTakesFoldersByTheirShortNames) {
    if (::GetACP() != 1252)
        GTEST_SKIP() << "the names are chosen for code page 1252";
    const std::wstring maps = L"D:\\Editor\\maps\\";
    const std::wstring refused[] = {maps + L"a\uFF02 \uFF06 mkdir pwned \uFF06 \uFF02b.map",
                                    maps + L"\u03A9mega.map", maps + L"\u65E5\u672C.map"};
    for (const std::wstring& name : refused)
        WriteFile(name, "// downloaded\r\n");
    const std::wstring other = L"D:\\Editor\\\u03A9maps";
    test::MakeDir(other);
    WriteFile(other + L"\\room.map", "// room\r\n");
    const std::string otherShort = "D:\\Editor\\" + test::ShortName(other) + "\\";
    ASSERT_NE(otherShort, "D:\\Editor\\\\");
    folder.WriteSettings(WorkedExample::Settings(1, false));
    Process korva = folder.Start();
    MainWindow main(korva.Id());
    ASSERT_TRUE(main);

    for (const std::wstring& name : refused) {
        ASSERT_TRUE(main.Browse(name));
        MessageBoxSeen box = WaitForMessageBox(korva.Id(), "Error");
        ASSERT_TRUE(box) << "a name the code page lacks was taken";
        EXPECT_EQ(box.wideText.rfind(L"KORVA cannot use \"" + name + L"\": the name holds", 0), 0u) << box.text;
        ASSERT_TRUE(Answer(box, "OK"));
        EXPECT_TRUE(NoMessageBox(korva.Id()));
        EXPECT_EQ(main.FileName(), "castle.map"); // the map path stays as it was
    }
    main.Press("&Compile");
    ASSERT_TRUE(WaitUntil([] { return ToolsLog().find("QRAD.EXE|") != std::string::npos; }, 30000));
    EXPECT_EQ(ToolsLog().rfind("QCSG.EXE|D:\\Editor\\maps\\castle.map|", 0), 0u) << ToolsLog();
    EXPECT_FALSE(FileExists("D:\\Tools\\Compile\\pwned"));

    ASSERT_TRUE(main.Browse(other + L"\\room.map"));
    EXPECT_TRUE(main.WaitForFileName("room.map"));
    EXPECT_TRUE(NoMessageBox(korva.Id()));
    main.Exit();
    ASSERT_TRUE(korva.WaitForExit(kWaitMs));
    EXPECT_EQ(IniLookup(ReadIni(folder.Settings()), "Folders", "Mapname"), otherShort + "room.map");
}

TEST_F(Failures, AToolsFolderThatDoesNotExistGivesIoError103AndTheWindowGoesOn) {
    std::string settings = WorkedExample::Settings(0, true);
    settings.replace(settings.find("ToolsDir=D:\\Tools\\Compile\\"), 26, "ToolsDir=D:\\Tools\\Missing\\");
    folder.WriteSettings(settings);
    Process korva = folder.Start();
    MainWindow main(korva.Id());
    ASSERT_TRUE(main);

    for (int press = 0; press < 2; ++press) { // and again: the window is still usable
        main.Press("&Compile");
        const MessageBoxSeen box = WaitForMessageBox(korva.Id(), "KORVA");
        ASSERT_TRUE(box) << "no error for a missing tools folder";
        EXPECT_EQ(box.text, "I/O error 103.");
        ASSERT_TRUE(Answer(box, "OK"));
    }
    EXPECT_FALSE(FileExists("D:\\Tools\\Missing"));
    EXPECT_FALSE(StartedProgramRunning("cmd.exe"));
    EXPECT_EQ(ToolsLog(), "");
    EXPECT_TRUE(korva.Running());
    main.Exit();
    ASSERT_TRUE(korva.WaitForExit(kWaitMs));
}

TEST_F(Failures, ASettingsFileThatCannotBeWrittenGivesOneErrorOnExitAndKeepsItsContent) {
    const std::string before = WorkedExample::Settings(4, false);
    folder.WriteSettings(before);
    Process korva = folder.Start();
    MainWindow main(korva.Id());
    ASSERT_TRUE(main);
    main.ChooseMode(0);

    // Tests run as root, where a read-only mark stops no write: holding the file open without sharing does.
    HANDLE held =
        ::CreateFileA(folder.Settings().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    main.Exit();
    const MessageBoxSeen box = WaitForMessageBox(korva.Id(), "KORVA");
    const bool shown = static_cast<bool>(box);
    if (shown) {
        EXPECT_EQ(box.text, "Unable to write to " + folder.Settings() + ".");
        EXPECT_TRUE(Answer(box, "OK"));
    }
    const bool ended = korva.WaitForExit(kWaitMs);
    ::CloseHandle(held);
    ASSERT_TRUE(shown) << "no error for a settings file that cannot be written";
    EXPECT_TRUE(ended) << "a second error, or the program did not end";
    EXPECT_EQ(korva.ExitCode(), 0u);
    EXPECT_EQ(ReadFile(folder.Settings()), before);
}

} // namespace
} // namespace korva::acceptance
