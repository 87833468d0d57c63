// Configuration and Scan: the installers' registry entries and the tools below the level editor's folder
// are found, OK hands the folders to the main window, and Compile then works in the found tools folder.
#include "Scenario.h"

#include <algorithm>

namespace korva::acceptance {
namespace {

constexpr const char* kConfigClass = "TfrmConfig";
constexpr const char* kChooserClass = "TfrmSelect";

class Configuration : public Scenario {
protected:
    void SetUp() override {
        Scenario::SetUp();
        // The game and the editor as their installers leave them; no tools where the worked example has them.
        RemoveTree("D:\\Tools");
        SetInstallEntry("HALFLIFE", "D:\\Games\\HL");
        SetInstallEntry("WC", "D:\\Editor");
    }

    static void InstallTools(const std::string& folder) {
        MakeDir(folder);
        for (const char* tool : {"QCSG.EXE", "QBSP2.EXE", "VIS.EXE", "QRAD.EXE"})
            ASSERT_TRUE(CopyStandin(tool, folder + tool));
    }

    // Opens the dialog from the main window.
    static HWND OpenConfiguration(const MainWindow& main, DWORD processId) {
        main.Press("C&onfiguration");
        return WaitForTopWindow(processId, kConfigClass, kConfigCaption);
    }

    // The game, tools and maps folder boxes, from the top of the dialog down.
    static std::vector<std::string> Folders(HWND dialog) {
        std::vector<HWND> edits = Children(dialog, "Edit");
        std::sort(edits.begin(), edits.end(), [](HWND a, HWND b) {
            RECT ra{}, rb{};
            ::GetWindowRect(a, &ra);
            ::GetWindowRect(b, &rb);
            return ra.top < rb.top;
        });
        std::vector<std::string> texts;
        for (HWND edit : edits)
            texts.push_back(TextOf(edit));
        return texts;
    }

    // The texts of the status marks that show, sorted.
    static std::vector<std::string> StatusShown(HWND dialog) {
        std::vector<std::string> shown;
        for (HWND label : Children(dialog, "Static")) {
            const std::string text = TextOf(label);
            if (IsVisible(label) && (text == "SUCCESFUL" || text == "FAILED" || text == "SKIPPED"))
                shown.push_back(text);
        }
        std::sort(shown.begin(), shown.end());
        return shown;
    }

    static std::string Log(const std::string& folder) { return ReadFile(folder + "standin.log"); }
};

TEST_F(Configuration, AFirstStartScansTheRegistryAndTheEditorsFolderAndCompilesWithWhatItFound) {
    InstallTools("D:\\Editor\\Tools\\");
    Process korva = folder.Start();
    ASSERT_TRUE(Answer(WaitForMessageBox(korva.Id(), "Information"), "OK"));
    MainWindow main(korva.Id());
    ASSERT_TRUE(main);

    HWND dialog = OpenConfiguration(main, korva.Id());
    ASSERT_NE(dialog, nullptr) << "the configuration dialog did not open";
    EXPECT_EQ(Folders(dialog), (std::vector<std::string>{"Not Found", "", ""}));
    EXPECT_TRUE(StatusShown(dialog).empty());

    ASSERT_TRUE(PressButton(dialog, "&Scan"));
    const std::vector<std::string> found = {"D:\\Games\\HL\\", "D:\\Editor\\Tools\\", "D:\\Editor\\maps\\"};
    ASSERT_TRUE(WaitUntil([&] { return Folders(dialog) == found; }))
        << "after Scan: " << ::testing::PrintToString(Folders(dialog));
    // Game and maps found; the tools were in one folder below the editor's, which marks neither tools row.
    EXPECT_EQ(StatusShown(dialog), (std::vector<std::string>{"SUCCESFUL", "SUCCESFUL"}));
    EXPECT_TRUE(NoMessageBox(korva.Id())) << "Scan asked for the full search";

    ASSERT_TRUE(PressButton(dialog, "&OK"));
    ASSERT_TRUE(WaitUntilGone(dialog));
    ASSERT_TRUE(main.Browse(WorkedExample::kMap));
    main.ChooseMode(0);
    main.SetRunGame(true);
    main.Press("&Compile");

    ASSERT_TRUE(WaitUntil([] { return GameLog().find("+map castle") != std::string::npos; }, 30000))
        << ReadFile("D:\\Editor\\Tools\\KORVA.BAT");
    EXPECT_EQ(ReadFile("D:\\Editor\\Tools\\KORVA.BAT"),
              "QCSG.EXE D:\\Editor\\maps\\castle.map\r\n"
              "QBSP2.EXE D:\\Editor\\maps\\castle.map\r\n"
              "VIS.EXE -fast D:\\Editor\\maps\\castle.map\r\n"
              "QRAD.EXE -smooth 80 -bounce 1 D:\\Editor\\maps\\castle.map\r\n"
              "Copy D:\\Editor\\maps\\castle.bsp D:\\Games\\HL\\Valve\\Maps\r\n"
              "Copy D:\\Editor\\maps\\castle.pts D:\\Games\\HL\\Valve\\Maps\r\n"
              "D:\\Games\\HL\\HL.EXE -Console -Dev +map castle\r\n");
    EXPECT_EQ(Log("D:\\Editor\\Tools\\").find("QCSG.EXE|D:\\Editor\\maps\\castle.map|D:\\Editor\\Tools\r\n"),
              0u);
    EXPECT_TRUE(FileExists("D:\\Games\\HL\\Valve\\Maps\\castle.bsp"));

    main.Exit();
    ASSERT_TRUE(korva.WaitForExit(kWaitMs));
    const auto ini = ReadIni(folder.Settings());
    EXPECT_EQ(IniLookup(ini, "Folders", "GameDir"), found[0]);
    EXPECT_EQ(IniLookup(ini, "Folders", "ToolsDir"), found[1]);
    EXPECT_EQ(IniLookup(ini, "Folders", "MapsDir"), found[2]);
}

TEST_F(Configuration, ToolsInTwoFoldersAreOfferedInTheChooserAndTheOneDoubleClickedIsUsed) {
    InstallTools("D:\\Editor\\Tools\\");
    InstallTools("D:\\Editor\\Beta\\");
    folder.WriteSettings(WorkedExample::Settings(1, false));
    Process korva = folder.Start();
    MainWindow main(korva.Id());
    ASSERT_TRUE(main);
    HWND dialog = OpenConfiguration(main, korva.Id());
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(Folders(dialog), (std::vector<std::string>{WorkedExample::kGameDir, WorkedExample::kToolsDir,
                                                         WorkedExample::kMapsDir}));

    ASSERT_TRUE(PressButton(dialog, "&Scan"));
    HWND chooser = WaitForTopWindow(korva.Id(), kChooserClass, kChooserCaption);
    ASSERT_NE(chooser, nullptr) << "no chooser for two tools folders";
    HWND list = FindChild(chooser, "SysListView32", nullptr);
    ASSERT_NE(list, nullptr);
    const RemoteListView rows(list);
    std::vector<std::string> offered = rows.Items();
    std::sort(offered.begin(), offered.end());
    EXPECT_EQ(offered, (std::vector<std::string>{"D:\\Editor\\Beta\\", "D:\\Editor\\Tools\\"}));
    EXPECT_EQ(StatusShown(dialog), (std::vector<std::string>{"SKIPPED", "SUCCESFUL", "SUCCESFUL"}));

    // The user picks Beta, wherever the walk listed it.
    const std::vector<std::string> listed = rows.Items();
    rows.DoubleClickItem(
        static_cast<int>(std::find(listed.begin(), listed.end(), "D:\\Editor\\Beta\\") - listed.begin()));
    ASSERT_TRUE(WaitUntilGone(chooser)) << "a double-click did not close the chooser";
    ASSERT_TRUE(WaitUntil([&] {
        const auto f = Folders(dialog);
        return f.size() == 3 && f[1] == "D:\\Editor\\Beta\\";
    })) << ::testing::PrintToString(Folders(dialog));

    ASSERT_TRUE(PressButton(dialog, "&OK"));
    ASSERT_TRUE(WaitUntilGone(dialog));
    main.Press("&Compile");
    ASSERT_TRUE(
        WaitUntil([] { return Log("D:\\Editor\\Beta\\").find("QRAD.EXE|") != std::string::npos; }, 30000))
        << "the tools in the chosen folder did not run";
    EXPECT_EQ(ReadFile("D:\\Editor\\Beta\\KORVA.BAT").rfind("QCSG.EXE D:\\Editor\\maps\\castle.map\r\n", 0),
              0u);
    EXPECT_FALSE(FileExists("D:\\Editor\\Tools\\KORVA.BAT"));
}

// A folder pasted under manual configuration and a map dropped on the main window reach Compile only as
// the user named them. Best fitted, the full-width ampersand of a pasted D:\Tools?More\ was "&", and
// D:\Tools&More\ holds other programs named like the tools: they ran, KORVA.BAT was written there and
// the folder was saved. Folders typed with "/", as other tools write them, compile with "\" alone: the
// command interpreter reads "/" as a switch. A refused drop keeps the map.
TEST_F(Configuration, APastedFolderIsTakenOnlyAsPastedAndADroppedMapAsBrowseTakesIt) {
    if (::GetACP() != 1252)
        GTEST_SKIP() << "the names are chosen for code page 1252";
    InstallTools(WorkedExample::kToolsDir);
    const std::string other = "D:\\Tools&More\\";
    InstallTools(other);
    removeAtEnd.push_back(other);
    WriteFile("D:\\Editor\\maps\\keep.map", "// keep\r\n");
    folder.WriteSettings(WorkedExample::Settings(0, false, "D:\\Editor\\maps\\keep.map"));
    Process korva = folder.Start();
    MainWindow main(korva.Id());
    ASSERT_TRUE(main);

    HWND dialog = OpenConfiguration(main, korva.Id());
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(PressButton(dialog, "Enable &Manual config"));
    ASSERT_TRUE(WaitUntil([&] { return FindChild(dialog, "Button", "Disable &Manual config") != nullptr; }));
    HWND game = nullptr, tools = nullptr;
    for (HWND edit : Children(dialog, "Edit")) {
        if (TextOf(edit) == WorkedExample::kGameDir)
            game = edit;
        if (TextOf(edit) == WorkedExample::kToolsDir)
            tools = edit;
    }
    ASSERT_TRUE(game && tools);
    const std::wstring pasted = L"D:\\Tools\uFF06More\\";
    ::SendMessageW(tools, EM_SETSEL, 0, -1);
    ASSERT_TRUE(Paste(tools, pasted));
    ASSERT_EQ(WideTextOf(tools), pasted);
    ASSERT_TRUE(PressButton(dialog, "&OK"));
    MessageBoxSeen box = WaitForMessageBox(korva.Id(), "Error");
    ASSERT_TRUE(box) << "the pasted folder was taken";
    EXPECT_EQ(box.wideText.rfind(L"KORVA cannot use \"" + pasted + L"\" as the tools folder: ", 0), 0u);
    ASSERT_TRUE(Answer(box, "OK"));
    EXPECT_TRUE(IsVisible(dialog));
    EXPECT_EQ(WideTextOf(tools), pasted);
    ::SendMessageW(tools, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"D:/Tools/Compile/"));
    ::SendMessageW(game, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"D:/Games/HL/"));
    ASSERT_TRUE(PressButton(dialog, "&OK"));
    ASSERT_TRUE(WaitUntilGone(dialog));

    // Two files at once, a folder and a compiled level change nothing; a single map is taken as Browse
    // takes it.
    for (const std::vector<std::wstring>& refused :
         {std::vector<std::wstring>{L"D:\\Editor\\maps\\castle.map", L"D:\\Editor\\maps\\keep.map"},
          std::vector<std::wstring>{L"D:\\Editor\\maps"}, std::vector<std::wstring>{L"D:\\Editor\\maps\\keep.bsp"}}) {
        ASSERT_TRUE(DropFiles(main.Handle(), refused));
        box = WaitForMessageBox(korva.Id(), "Error");
        ASSERT_TRUE(box) << "a drop of " << refused.size() << " names was taken";
        ASSERT_TRUE(Answer(box, "OK"));
        EXPECT_EQ(main.FileName(), "keep.map");
    }
    ASSERT_TRUE(DropFiles(main.Handle(), {test::Wide(WorkedExample::kMap)}));
    EXPECT_TRUE(main.WaitForFileName("castle.map"));
    EXPECT_TRUE(NoMessageBox(korva.Id()));

    main.SetRunGame(true);
    main.Press("&Compile");
    ASSERT_TRUE(WaitUntil([] { return GameLog().find("HL.EXE|") != std::string::npos; }, 30000)) << Script();
    EXPECT_EQ(ToolsLog().rfind("QCSG.EXE|D:\\Editor\\maps\\castle.map|D:\\Tools\\Compile\r\n", 0), 0u)
        << ToolsLog();
    EXPECT_EQ(Script().find('/'), std::string::npos) << Script();
    EXPECT_NE(Script().find("\r\nD:\\Games\\HL\\HL.EXE -Console -Dev +map castle\r\n"), std::string::npos);
    EXPECT_EQ(Log(other), "");
    EXPECT_FALSE(FileExists(other + "KORVA.BAT"));
    main.Exit();
    ASSERT_TRUE(korva.WaitForExit(kWaitMs));
    const auto ini = ReadIni(folder.Settings());
    EXPECT_EQ(IniLookup(ini, "Folders", "GameDir"), WorkedExample::kGameDir);
    EXPECT_EQ(IniLookup(ini, "Folders", "ToolsDir"), WorkedExample::kToolsDir);
    EXPECT_EQ(IniLookup(ini, "Folders", "Mapname"), WorkedExample::kMap);
}

// A quit request that reaches the program during the full search (which walks every drive, under Wine
// Z: the whole Linux file system, for minutes) stops the search; the dialog closes and the program ends
// as it does at any other time, with its settings saved.
TEST_F(Configuration, AQuitRequestDuringTheFullSearchEndsTheProgramWithItsSettingsSaved) {
    folder.WriteSettings(WorkedExample::Settings(1, false));
    Process korva = folder.Start();
    MainWindow main(korva.Id());
    ASSERT_TRUE(main);
    main.ChooseMode(3);
    HWND dialog = OpenConfiguration(main, korva.Id());
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(PressButton(dialog, "&Scan"));
    ASSERT_TRUE(Answer(WaitForMessageBox(korva.Id(), "Confirm"), "&Yes")) << "no question: tools found?";
    ASSERT_TRUE(WaitUntil([&] {
        for (HWND label : Children(dialog, "Static"))
            if (TextOf(label).rfind("Searching ", 0) == 0)
                return true;
        return false;
    })) << "the full search did not start";

    ::PostThreadMessageA(::GetWindowThreadProcessId(dialog, nullptr), WM_QUIT, 0, 0);
    ASSERT_TRUE(korva.WaitForExit(kWaitMs)) << "the program did not end";
    EXPECT_EQ(korva.ExitCode(), 0u);
    const auto ini = ReadIni(folder.Settings());
    EXPECT_EQ(IniLookup(ini, "General", "ComMode"), "3");
    EXPECT_EQ(IniLookup(ini, "Folders", "ToolsDir"), WorkedExample::kToolsDir);
}

} // namespace
} // namespace korva::acceptance
