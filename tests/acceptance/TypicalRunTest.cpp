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

} // namespace
} // namespace korva::acceptance
