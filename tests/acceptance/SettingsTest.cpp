// KORVA.INI as the user meets it: the first start without one, and what survives a restart.
#include "Scenario.h"

namespace korva::acceptance {
namespace {

const std::vector<std::string> kFastHelp = {"Fast Compile: A quick compilation useful for testing only.",
                                            "Optimization is very low, so you should NEVER release a",
                                            "fast-compiled map to general public!"};
const std::vector<std::string> kLeaksHelp = {"Leaks Only: this quickly compiles the map to check for",
                                             "leaks in your outer walls. It saves a lot of time when de-",
                                             "bugging the map. Leaks can be a real pain in the backside."};
const std::vector<std::string> kEntitiesNoLightsHelp = {
    "Entities only; no light: Use this setting if the only thing",
    "you've changed since the previous compile were non-light",
    "entities. All other data is carried over from the last compile."};

using SettingsFile = Scenario;

TEST_F(SettingsFile, AFirstStartAsksForTheConfigurationBeforeTheWindowAndExitWritesAnUnconfiguredFile) {
    Process korva = folder.Start();
    const MessageBoxSeen box = WaitForMessageBox(korva.Id(), "Information");
    ASSERT_TRUE(box) << "no start-up message";
    EXPECT_EQ(box.text, kConfigureText);
    EXPECT_EQ(FindTopWindow(korva.Id(), kMainClass, kMainCaption), nullptr)
        << "the window showed before the message";
    ASSERT_TRUE(Answer(box, "OK"));

    MainWindow main(korva.Id());
    ASSERT_TRUE(main);
    EXPECT_TRUE(NoMessageBox(korva.Id())) << "the start-up message came twice";
    EXPECT_EQ(main.FileName(), "");
    EXPECT_EQ(main.CheckedMode(), 0);
    EXPECT_EQ(main.HelpLines(), kFastHelp);
    EXPECT_FALSE(main.RunGameTicked());

    main.Exit();
    ASSERT_TRUE(korva.WaitForExit(kWaitMs));
    const std::vector<IniValue> expected = {
        {"General", "Version", "150"},       {"General", "RunHL", "0"},   {"General", "ComMode", "0"},
        {"Folders", "GameDir", "Not Found"}, {"Folders", "ToolsDir", ""}, {"Folders", "MapsDir", ""},
        {"Folders", "Mapname", ""}};
    EXPECT_EQ(ReadIni(folder.Settings()), expected) << ReadFile(folder.Settings());
}

TEST_F(SettingsFile, ModeBoxMapAndFoldersSurviveARestart) {
    WriteFile("D:\\Editor\\maps\\keep.map", "// keep\r\n");
    folder.WriteSettings(WorkedExample::Settings(0, false));
    {
        Process korva = folder.Start();
        MainWindow main(korva.Id());
        ASSERT_TRUE(main);
        main.ChooseMode(3);
        main.SetRunGame(true);
        ASSERT_TRUE(main.Browse("D:\\Editor\\maps\\keep.map"));
        ASSERT_TRUE(main.WaitForFileName("keep.map"));
        main.Exit();
        ASSERT_TRUE(korva.WaitForExit(kWaitMs));
    }
    const auto ini = ReadIni(folder.Settings());
    EXPECT_EQ(IniLookup(ini, "General", "ComMode"), "3");
    EXPECT_EQ(IniLookup(ini, "General", "RunHL"), "1");
    EXPECT_EQ(IniLookup(ini, "Folders", "Mapname"), "D:\\Editor\\maps\\keep.map");

    Process korva = folder.Start();
    MainWindow main(korva.Id());
    ASSERT_TRUE(main);
    EXPECT_TRUE(NoMessageBox(korva.Id()));
    EXPECT_EQ(main.CheckedMode(), 3);
    EXPECT_EQ(main.HelpLines(), kLeaksHelp);
    EXPECT_TRUE(main.RunGameTicked());
    EXPECT_EQ(main.FileName(), "keep.map");
    // The folders came back too: the script goes into the tools folder and names the maps and game folders.
    main.Press("&Compile");
    ASSERT_TRUE(WaitUntil([] { return GameLog().find("+map keep") != std::string::npos; }, 30000))
        << Script();
    EXPECT_EQ(Script(), "QCSG.EXE D:\\Editor\\maps\\keep.map\r\n"
                        "QBSP2.EXE -leakonly D:\\Editor\\maps\\keep.map\r\n"
                        "@REM D:\\Editor\\maps\\keep.map\r\n"
                        "@REM D:\\Editor\\maps\\keep.map\r\n"
                        "Copy D:\\Editor\\maps\\keep.bsp D:\\Games\\HL\\Valve\\Maps\r\n"
                        "Copy D:\\Editor\\maps\\keep.pts D:\\Games\\HL\\Valve\\Maps\r\n"
                        "D:\\Games\\HL\\HL.EXE -Console -Dev +map keep\r\n");
    EXPECT_TRUE(WaitUntil([] { return FileExists("D:\\Games\\HL\\Valve\\Maps\\keep.pts"); }));
}

struct StoredMode {
    const char* stored;
    int selected;                         // -1: no choice ticked
    const std::vector<std::string>* help; // the help box's lines
    const char* saved;                    // what the exit writes back
};

class StoredModes : public Scenario, public ::testing::WithParamInterface<StoredMode> {};

TEST_P(StoredModes, AreBoundedByTheChoicesAndWrittenBackAsSelected) {
    const StoredMode& c = GetParam();
    std::string settings = WorkedExample::Settings(0, false);
    settings.replace(settings.find("ComMode=0"), 9, std::string("ComMode=") + c.stored);
    folder.WriteSettings(settings);
    Process korva = folder.Start();
    MainWindow main(korva.Id());
    ASSERT_TRUE(main);
    EXPECT_EQ(main.CheckedMode(), c.selected);
    EXPECT_EQ(main.HelpLines(), *c.help);

    main.Press("&Compile");
    if (c.selected < 0) {
        // Nothing to compile with: a warning, and no script and no console.
        const MessageBoxSeen box = WaitForMessageBox(korva.Id(), "Warning");
        ASSERT_TRUE(box) << "Compile with no mode gave no warning";
        EXPECT_NE(box.text.find("compile mode"), std::string::npos) << box.text;
        ASSERT_TRUE(Answer(box, "OK"));
        EXPECT_FALSE(FileExists(std::string(WorkedExample::kToolsDir) + "KORVA.BAT"));
        EXPECT_FALSE(StartedProgramRunning("cmd.exe"));
    } else {
        ASSERT_TRUE(
            WaitUntil([] { return ToolsLog().find("QCSG.EXE|-onlyents") != std::string::npos; }, 30000));
        EXPECT_EQ(Script().rfind("QCSG.EXE -onlyents D:\\Editor\\maps\\castle.map\r\n@REM ", 0), 0u)
            << Script();
    }
    main.Exit();
    ASSERT_TRUE(korva.WaitForExit(kWaitMs));
    EXPECT_EQ(IniLookup(ReadIni(folder.Settings()), "General", "ComMode"), c.saved);
}

const std::vector<std::string> kNoHelp;

INSTANTIATE_TEST_SUITE_P(Acceptance, StoredModes,
                         ::testing::Values(StoredMode{"9", 5, &kEntitiesNoLightsHelp, "5"},
                                           StoredMode{"-3", -1, &kNoHelp, "-1"}),
                         [](const auto& info) { return info.param.selected < 0 ? "Minus3" : "Nine"; });

} // namespace
} // namespace korva::acceptance
