// The typical run: a configured user picks castle.map, Full Compile and "Run Half-Life when done",
// presses Compile, and the level is compiled by the tools, copied into the game and played.
#include "Scenario.h"

namespace korva::acceptance {
namespace {

using TypicalRun = Scenario;

TEST_F(TypicalRun, AFullCompileOfCastleWritesTheScriptRunsTheToolsCopiesTheLevelAndStartsTheGame) {
    // Configured earlier, last used on another map in Fast mode.
    WriteFile("D:\\Editor\\maps\\keep.map", "// keep\r\n");
    folder.WriteSettings(WorkedExample::Settings(0, false, "D:\\Editor\\maps\\keep.map"));
    Process korva = folder.Start();
    MainWindow main(korva.Id());
    ASSERT_TRUE(main) << "the main window did not show";
    EXPECT_EQ(main.FileName(), "keep.map");

    ASSERT_TRUE(main.Browse(WorkedExample::kMap));
    EXPECT_TRUE(main.WaitForFileName("castle.map"));
    main.ChooseMode(1);
    main.SetRunGame(true);
    main.Press("&Compile");

    ASSERT_TRUE(WaitUntil([] { return GameLog().find("HL.EXE|") != std::string::npos; }, 30000))
        << "the game was not started\nKORVA.BAT:\n"
        << Script() << "\ntools:\n"
        << ToolsLog();
    EXPECT_EQ(Script(), "QCSG.EXE D:\\Editor\\maps\\castle.map\r\n"
                        "QBSP2.EXE D:\\Editor\\maps\\castle.map\r\n"
                        "VIS.EXE D:\\Editor\\maps\\castle.map\r\n"
                        "QRAD.EXE -smooth 80 -bounce 20 D:\\Editor\\maps\\castle.map\r\n"
                        "Copy D:\\Editor\\maps\\castle.bsp D:\\Games\\HL\\Valve\\Maps\r\n"
                        "Copy D:\\Editor\\maps\\castle.pts D:\\Games\\HL\\Valve\\Maps\r\n"
                        "D:\\Games\\HL\\HL.EXE -Console -Dev +map castle\r\n");
    // Each tool ran once, in order, in the tools folder, on the map.
    EXPECT_EQ(ToolsLog(),
              "QCSG.EXE|D:\\Editor\\maps\\castle.map|D:\\Tools\\Compile\r\n"
              "QBSP2.EXE|D:\\Editor\\maps\\castle.map|D:\\Tools\\Compile\r\n"
              "VIS.EXE|D:\\Editor\\maps\\castle.map|D:\\Tools\\Compile\r\n"
              "QRAD.EXE|-smooth 80 -bounce 20 D:\\Editor\\maps\\castle.map|D:\\Tools\\Compile\r\n");
    // The compiled level, lit by the last tool, reached the game before the game started on it.
    const std::string bsp = ReadFile("D:\\Games\\HL\\Valve\\Maps\\castle.bsp");
    EXPECT_NE(bsp.find("QRAD.EXE -smooth 80 -bounce 20"), std::string::npos) << bsp;
    EXPECT_EQ(ReadFile("D:\\Games\\HL\\Valve\\Maps\\castle.pts"), "PTS\r\n");
    EXPECT_EQ(GameLog(), "HL.EXE|-Console -Dev +map castle|D:\\Tools\\Compile\r\n");
    // The console stays open for the user to read, and KORVA said nothing.
    EXPECT_TRUE(StartedProgramRunning("cmd.exe"));
    EXPECT_TRUE(NoMessageBox(korva.Id()));
    EXPECT_TRUE(korva.Running());

    main.Exit();
    ASSERT_TRUE(korva.WaitForExit(kWaitMs));
    EXPECT_EQ(korva.ExitCode(), 0u);
    const auto ini = ReadIni(folder.Settings());
    EXPECT_EQ(IniLookup(ini, "Folders", "Mapname"), WorkedExample::kMap);
    EXPECT_EQ(IniLookup(ini, "General", "ComMode"), "1");
    EXPECT_EQ(IniLookup(ini, "General", "RunHL"), "1");
}

// The same run with the folders a Windows user really has: blanks, brackets, a tools folder longer than
// the old 79-character launch limit, and a map kept outside the maps folder, where the tools put the
// compiled files.
TEST_F(TypicalRun, FoldersWithBlanksBracketsAndLongNamesAndAMapOutsideTheMapsFolderWork) {
    const std::string game = "D:\\Program Files (x86)\\Half-Life\\";
    const std::string tools =
        "D:\\Tools\\Zoner's Half-Life Tools (v3.4, 2024)\\Compile Tools for Half-Life Maps\\";
    const std::string map = "D:\\My Levels\\castle.map";
    ASSERT_GT(tools.size() + std::string("KORVA.BAT").size() + 3, 79u);
    removeAtEnd = {"D:\\Program Files (x86)", "D:\\My Levels"};
    MakeDir(game + "Valve\\Maps");
    MakeDir(tools);
    MakeDir("D:\\My Levels");
    for (const char* tool : {"QCSG.EXE", "QBSP2.EXE", "VIS.EXE", "QRAD.EXE"})
        ASSERT_TRUE(CopyStandin(tool, tools + tool));
    ASSERT_TRUE(CopyStandin("HL.EXE", game + "HL.EXE"));
    WriteFile(map, "// castle\r\n");
    folder.WriteSettings("[General]\r\nRunHL=1\r\nComMode=0\r\n[Folders]\r\nGameDir=" + game +
                         "\r\nToolsDir=" + tools + "\r\nMapsDir=D:\\Editor\\maps\\\r\nMapname=" + map +
                         "\r\n");

    Process korva = folder.Start();
    MainWindow main(korva.Id());
    ASSERT_TRUE(main);
    main.Press("&Compile");
    const std::string gameLog = game + "standin.log";
    ASSERT_TRUE(WaitUntil([&] { return ReadFile(gameLog).find("HL.EXE|") != std::string::npos; }, 30000))
        << "the game was not started\nKORVA.BAT:\n"
        << ReadFile(tools + "KORVA.BAT") << "\ntools:\n"
        << ReadFile(tools + "standin.log");
    EXPECT_TRUE(NoMessageBox(korva.Id()));
    const std::string toolsLog = ReadFile(tools + "standin.log");
    EXPECT_EQ(toolsLog.find("QCSG.EXE|\"" + map + "\"|" + tools.substr(0, tools.size() - 1) + "\r\n"), 0u)
        << toolsLog;
    EXPECT_NE(toolsLog.find("QRAD.EXE|-smooth 80 -bounce 1 \"" + map + "\"|"), std::string::npos) << toolsLog;
    EXPECT_NE(ReadFile(game + "Valve\\Maps\\castle.bsp").find("QRAD.EXE"), std::string::npos);
    EXPECT_TRUE(FileExists(game + "Valve\\Maps\\castle.pts"));
    EXPECT_EQ(ReadFile(gameLog).rfind("HL.EXE|-Console -Dev +map castle|", 0), 0u);
}

// A map whose name holds a letter beyond ASCII (here a with circumflex, 0xE2 in the ANSI code page 1252,
// another letter in the console's code page, in which the command interpreter reads the script).
TEST_F(TypicalRun, AMapNamedWithALetterBeyondAsciiIsCompiled) {
    const std::string map = "D:\\Editor\\maps\\ch\xE2teau.map";
    WriteFile(map, "// chateau\r\n");
    folder.WriteSettings(WorkedExample::Settings(0, true, map));
    Process korva = folder.Start();
    MainWindow main(korva.Id());
    ASSERT_TRUE(main);
    main.Press("&Compile");
    ASSERT_TRUE(WaitUntil([] { return GameLog().find("HL.EXE|") != std::string::npos; }, 30000));
    EXPECT_EQ(ToolsLog().rfind("QCSG.EXE|" + map + "|", 0), 0u) << ToolsLog();
    EXPECT_TRUE(FileExists("D:\\Games\\HL\\Valve\\Maps\\ch\xE2teau.bsp"));
    EXPECT_EQ(GameLog(), "HL.EXE|-Console -Dev +map ch\xE2teau|D:\\Tools\\Compile\r\n");
}

} // namespace
} // namespace korva::acceptance
