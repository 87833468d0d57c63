// Starting programs for real: the shell with its arguments and folder, the whole chain of KORVA.BAT run
// by Wine's command interpreter with stand-in tools and game, and the single-instance rule with two
// real copies of the program.
#include "WinTestSupport.h"
#include "app/BatchScript.h"
#include "app/FmxUtils.h"
#include "fakes/FakePrompts.h"
#include "platform/Error.h"
#include "platform/win32/Handles.h"
#include "platform/win32/Win32FileWriter.h"
#include "platform/win32/Win32Names.h"
#include "platform/win32/Win32Shell.h"

#include <gtest/gtest.h>

namespace korva {
namespace {

using test::TempDir;

std::string Standin(const std::string& name) { return test::BuildDir() + "standins\\" + name; }

std::string WithoutTrailingBackslash(std::string folder) {
    if (!folder.empty() && folder.back() == '\\')
        folder.pop_back();
    return folder;
}

bool LogHas(const std::string& log, const std::string& text) {
    return test::ReadFile(log).find(text) != std::string::npos;
}

TEST(Shell, LaunchFileStartsTheProgramWithItsParametersInItsFolder) {
    TempDir dir;
    ASSERT_TRUE(test::CopyFileTo(Standin("ECHOARGS.EXE"), dir / "ECHOARGS.EXE"));
    test::MakeDir(dir / "work");
    win32::Win32Shell shell;
    const int result = LaunchFile(shell, dir / "ECHOARGS.EXE", "/k C:\\Tools\\KORVA.BAT", dir / "work\\", kSwShow);
    EXPECT_GT(result, 32);
    const std::string log = dir / "standin.log";
    ASSERT_TRUE(test::WaitFor([&] { return LogHas(log, "\r\n"); }));
    EXPECT_EQ(test::ReadFile(log), "ECHOARGS.EXE|/k C:\\Tools\\KORVA.BAT|" + dir / "work\r\n");
}

TEST(Shell, FindsTheInterpreterAndReportsAProgramThatIsMissing) {
    win32::Win32Shell shell;
    EXPECT_TRUE(shell.OnSearchPath("cmd.exe"));
    EXPECT_FALSE(shell.OnSearchPath("NO-SUCH-PROGRAM-KORVA.EXE"));
    EXPECT_LE(shell.Execute("NO-SUCH-PROGRAM-KORVA.EXE", "", "", kSwShow), 32);
}

TEST(Shell, ScriptTextIsPutIntoTheConsolesCodePage) {
    win32::Win32Shell shell;
    EXPECT_EQ(shell.ConsoleText("QCSG.EXE D:\\maps\\castle.map"), "QCSG.EXE D:\\maps\\castle.map");
    // A letter of the system's code page arrives as the console's form of the same letter.
    wchar_t letter = 0;
    ::MultiByteToWideChar(CP_ACP, 0, "\xE2", 1, &letter, 1);
    char console[4] = {};
    ::WideCharToMultiByte(CP_OEMCP, 0, &letter, 1, console, sizeof console, nullptr, nullptr);
    EXPECT_EQ(shell.ConsoleText("ch\xE2teau"), std::string("ch") + console + "teau");
}

// A game, its maps folder, the tools and a map, laid out in a temporary folder whose names may hold
// blanks and brackets.
class Chain : public ::testing::Test {
protected:
    void Install(const std::string& gameName, const std::string& toolsName, const std::string& mapsName) {
        request.dirs.HLPath = root / gameName + "\\";
        request.dirs.ToolsPath = root / toolsName + "\\";
        request.dirs.MapsPath = root / mapsName + "\\";
        for (const std::string& folder : {request.dirs.HLPath, request.dirs.HLPath + "Valve\\", request.dirs.HLPath + "Valve\\Maps\\",
                                          request.dirs.ToolsPath, request.dirs.MapsPath})
            test::MakeDir(folder);
        for (const char* tool : {"QCSG.EXE", "QBSP2.EXE", "VIS.EXE", "QRAD.EXE"})
            ASSERT_TRUE(test::CopyFileTo(Standin(tool), request.dirs.ToolsPath + tool));
        ASSERT_TRUE(test::CopyFileTo(Standin("HL.EXE"), request.dirs.HLPath + "HL.EXE"));
        request.mapPath = request.dirs.MapsPath + "castle.map";
        test::WriteFile(request.mapPath, "// a map\r\n");
    }

    // Compiles for real and waits until the script's last command has run.
    void CompileAndWait(const std::string& lastProgram, const std::string& lastLog) {
        const std::string before = test::ReadFile(lastLog);
        Compile(request, BuildCompileTables(), files, shell, prompts, win32::SystemNameConversion());
        ASSERT_TRUE(test::WaitFor([&] {
            const std::string log = test::ReadFile(lastLog);
            return log.size() > before.size() && log.find(lastProgram, before.size()) != std::string::npos;
        }, 30000)) << "the script did not run to its end";
        test::WaitFor([] { return false; }, 300); // let the last copy settle
    }

    ~Chain() override { test::EndChildProcesses(); }

    TempDir root;
    CompileRequest request;
    win32::Win32Shell shell;
    win32::Win32FileWriter files;
    fakes::FakePrompts prompts;
};

TEST_F(Chain, AFullCompileRunsEveryToolCopiesTheLevelAndStartsTheGameOnIt) {
    Install("Games\\HL", "Tools", "maps");
    request.mode = 1;
    request.runGame = true;
    CompileAndWait("HL.EXE", request.dirs.HLPath + "standin.log");

    const std::string tools = WithoutTrailingBackslash(request.dirs.ToolsPath);
    EXPECT_EQ(test::ReadFile(request.dirs.ToolsPath + "standin.log"),
              "QCSG.EXE|" + request.mapPath + "|" + tools + "\r\n" +
              "QBSP2.EXE|" + request.mapPath + "|" + tools + "\r\n" +
              "VIS.EXE|" + request.mapPath + "|" + tools + "\r\n" +
              "QRAD.EXE|-smooth 80 -bounce 20 " + request.mapPath + "|" + tools + "\r\n");
    const std::string maps = request.dirs.HLPath + "Valve\\Maps\\";
    EXPECT_TRUE(test::FileExists(maps + "castle.bsp"));
    EXPECT_TRUE(test::FileExists(maps + "castle.pts"));
    EXPECT_NE(test::ReadFile(maps + "castle.bsp").find("QRAD.EXE"), std::string::npos);
    EXPECT_EQ(test::ReadFile(request.dirs.HLPath + "standin.log").rfind("HL.EXE|-Console -Dev +map castle|", 0), 0u);
    EXPECT_TRUE(prompts.messages.empty());

    // A second compile in another mode overwrites the copies without asking.
    request.mode = 0;
    CompileAndWait("HL.EXE", request.dirs.HLPath + "standin.log");
    EXPECT_NE(test::ReadFile(maps + "castle.bsp").find("VIS.EXE -fast"), std::string::npos);
}

TEST_F(Chain, ALeakCheckSkipsTheLaterStepsAsRemarks) {
    Install("HL", "Tools", "maps");
    request.mode = 3;
    CompileAndWait("QBSP2.EXE", request.dirs.ToolsPath + "standin.log");
    const std::string log = test::ReadFile(request.dirs.ToolsPath + "standin.log");
    EXPECT_NE(log.find("QBSP2.EXE|-leakonly "), std::string::npos);
    EXPECT_EQ(log.find("VIS.EXE"), std::string::npos);
    EXPECT_EQ(log.find("QRAD.EXE"), std::string::npos);
    EXPECT_TRUE(test::WaitFor([&] { return test::FileExists(request.dirs.HLPath + "Valve\\Maps\\castle.pts"); }));
}

// A letter beyond ASCII, and a + that Copy would read as "join these files" (a+b.bsp was never copied
// and the game started on the old level). The game is given each map's own name.
TEST_F(Chain, MapsNamedWithALetterBeyondAsciiOrAPlusAreCompiledAndPlayed) {
    const struct {
        std::string name;
        std::string onGameLine; // as the script quotes it
    } maps[] = {{"ch\xE2teau", "ch\xE2teau"}, {"a+b", "\"a+b\""}};
    for (const auto& map : maps) {
        SCOPED_TRACE(map.name);
        Install("HL", "Tools", "maps");
        request.mapPath = request.dirs.MapsPath + map.name + ".map";
        test::WriteFile(request.mapPath, "// a map\r\n");
        request.mode = 0;
        request.runGame = true;
        const std::string gameLog = request.dirs.HLPath + "standin.log";
        const std::size_t before = test::ReadFile(gameLog).size(); // the pass before wrote its own line
        CompileAndWait("HL.EXE", gameLog);
        EXPECT_NE(test::ReadFile(request.dirs.ToolsPath + "standin.log").find(request.mapPath),
                  std::string::npos);
        EXPECT_TRUE(test::FileExists(request.dirs.HLPath + "Valve\\Maps\\" + map.name + ".bsp"));
        EXPECT_EQ(test::ReadFile(gameLog).substr(before).rfind("HL.EXE|-Console -Dev +map " + map.onGameLine + "|", 0),
                  0u);
    }
}

TEST_F(Chain, FoldersWithBlanksAndBracketsWork) {
    Install("Program Files (x86)\\Half-Life", "Compile Tools (v2)", "My Maps");
    request.mode = 0;
    request.runGame = true;
    CompileAndWait("HL.EXE", request.dirs.HLPath + "standin.log");
    EXPECT_TRUE(test::FileExists(request.dirs.HLPath + "Valve\\Maps\\castle.bsp"));
    EXPECT_NE(test::ReadFile(request.dirs.ToolsPath + "standin.log").find("QCSG.EXE|\"" + request.mapPath + "\"|"),
              std::string::npos);
}

// The interpreter reads its /k text as a command line, where % expands variables and & ^ ; split or
// escape: tools folders holding them must still run the script.
TEST_F(Chain, ToolsFoldersWithPercentSignsAndInterpreterCharactersWork) {
    for (const char* tools : {"Tools\\100% (x86) & ^;", "Tools\\%PATH%", "Tools\\50%;70%"}) {
        Install("HL", tools, "maps");
        const std::string copied = request.dirs.HLPath + "Valve\\Maps\\castle.bsp";
        ::DeleteFileA(copied.c_str());
        request.mode = 0;
        request.runGame = true;
        CompileAndWait("HL.EXE", request.dirs.HLPath + "standin.log");
        const std::string log = test::ReadFile(request.dirs.ToolsPath + "standin.log");
        EXPECT_EQ(log.rfind("QCSG.EXE|" + request.mapPath + "|" + WithoutTrailingBackslash(request.dirs.ToolsPath), 0), 0u)
            << tools << "\n" << log;
        EXPECT_NE(log.find("QRAD.EXE|"), std::string::npos) << tools;
        EXPECT_NE(test::ReadFile(copied).find("QRAD.EXE"), std::string::npos) << tools;
    }
}

// Two real copies of the program.
class SingleInstance : public ::testing::Test {
protected:
    SingleInstance() {
        test::CopyFileTo(test::BuildDir() + "korva.exe", dir / "korva.exe");
        test::WriteFile(dir / "KORVA.INI", "[Folders]\r\nGameDir=C:\\HL\\\r\n[General]\r\nComMode=4\r\n");
    }
    ~SingleInstance() override {
        for (HWND w = ::FindWindowA("TfrmMain", "Velmora v1.55"); w; w = ::FindWindowA("TfrmMain", "Velmora v1.55")) {
            ::PostMessageA(w, WM_CLOSE, 0, 0);
            if (!test::WaitFor([&] { return !::IsWindow(w); }, 5000))
                break;
        }
        test::EndChildProcesses();
    }

    win32::ProcessHandle Start() {
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION info{};
        std::string command = "\"";
        command += dir.Path();
        command += "korva.exe\"";
        if (!::CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, dir.Path().c_str(),
                              &startup, &info))
            return {};
        ::CloseHandle(info.hThread);
        return win32::ProcessHandle(info.hProcess);
    }

    TempDir dir;
};

TEST_F(SingleInstance, ASecondCopyBringsTheFirstToTheFrontAndEndsByItself) {
    ASSERT_EQ(::FindWindowA("TfrmMain", "Velmora v1.55"), nullptr) << "a copy is running already";
    win32::ProcessHandle first = Start();
    ASSERT_TRUE(first);
    HWND window = nullptr;
    ASSERT_TRUE(test::WaitFor([&] { return (window = ::FindWindowA("TfrmMain", "Velmora v1.55")) != nullptr &&
                                           ::IsWindowVisible(window); }, 20000));

    ::SetForegroundWindow(::GetDesktopWindow());
    win32::ProcessHandle second = Start();
    ASSERT_TRUE(second);
    ASSERT_EQ(::WaitForSingleObject(second.Get(), 20000), WAIT_OBJECT_0) << "the second copy did not end";
    DWORD exitCode = 1;
    ::GetExitCodeProcess(second.Get(), &exitCode);
    EXPECT_EQ(exitCode, 0u);

    EXPECT_EQ(::WaitForSingleObject(first.Get(), 0), static_cast<DWORD>(WAIT_TIMEOUT)) << "the first copy ended";
    EXPECT_EQ(::GetForegroundWindow(), window);
    EXPECT_EQ(::FindWindowA("TfrmMain", "Velmora v1.55"), window);

    ::PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(::WaitForSingleObject(first.Get(), 20000), WAIT_OBJECT_0);
    // Both copies saved their settings at their end, as every run does.
    EXPECT_NE(test::ReadFile(dir / "KORVA.INI").find("Version=150"), std::string::npos);
}

} // namespace
} // namespace korva
