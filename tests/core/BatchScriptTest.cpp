// KORVA.BAT: the lines of each mode, the exact bytes of the file, quoting, failures and the launch.
#include "app/BatchScript.h"
#include "fakes/FakeFileWriter.h"
#include "fakes/FakeLeadBytes.h"
#include "fakes/FakeNameConversion.h"
#include "fakes/FakePrompts.h"
#include "fakes/FakeShell.h"
#include "platform/Error.h"

#include <gtest/gtest.h>

#include <functional>

namespace korva {
namespace {

using fakes::FakeFileWriter;
using fakes::FakePrompts;
using fakes::FakeShell;
using fakes::ShiftJisLeadByte;

constexpr const char* kMap = "D:\\Editor\\maps\\castle.map";
constexpr const char* kScript = "D:\\Tools\\Compile\\KORVA.BAT";

CompileRequest WorkedExample(int mode, bool runGame) {
    return {"D:\\Games\\HL\\", "D:\\Tools\\Compile\\", "D:\\Editor\\maps\\", kMap, mode, runGame};
}

class CompileTest : public ::testing::Test {
protected:
    std::string Run(const CompileRequest& request) {
        Compile(request, tables, files, shell, prompts, request.leadBytes ? japanese : western);
        return files.files[ScriptPath(request.dirs.ToolsPath)];
    }

    const fakes::FakeNameConversion western, japanese{932};
    CompileTables tables = BuildCompileTables();
    FakeFileWriter files;
    FakeShell shell;
    FakePrompts prompts;
};

TEST_F(CompileTest, WorkedExampleIsWrittenByteForByteAndStartedInTheToolsFolder) {
    EXPECT_EQ(Run(WorkedExample(1, true)),
              "QCSG.EXE D:\\Editor\\maps\\castle.map\r\n"
              "QBSP2.EXE D:\\Editor\\maps\\castle.map\r\n"
              "VIS.EXE D:\\Editor\\maps\\castle.map\r\n"
              "QRAD.EXE -smooth 80 -bounce 20 D:\\Editor\\maps\\castle.map\r\n"
              "Copy D:\\Editor\\maps\\castle.bsp D:\\Games\\HL\\Valve\\Maps\r\n"
              "Copy D:\\Editor\\maps\\castle.pts D:\\Games\\HL\\Valve\\Maps\r\n"
              "D:\\Games\\HL\\HL.EXE -Console -Dev +map castle\r\n");
    ASSERT_EQ(shell.launches.size(), 1u);
    EXPECT_EQ(shell.launches[0].file, "cmd.exe");
    // Delayed expansion off: a ! in a name stays as written, whatever the registry says.
    EXPECT_EQ(shell.launches[0].parameters, std::string("/v:off /k ") + kScript);
    EXPECT_EQ(shell.launches[0].folder, "D:\\Tools\\Compile\\");
    EXPECT_EQ(shell.launches[0].showCommand, 5);
    EXPECT_TRUE(prompts.messages.empty());
    EXPECT_EQ(files.closed, 1);
}

TEST_F(CompileTest, EachModeWritesItsFourToolLinesThenTheCopyLines) {
    const struct {
        int mode;
        const char* csg;
        const char* bsp;
        const char* vis;
        const char* rad;
    } modes[] = {
        {0, "QCSG.EXE ", "QBSP2.EXE ", "VIS.EXE -fast ", "QRAD.EXE -smooth 80 -bounce 1 "},
        {1, "QCSG.EXE ", "QBSP2.EXE ", "VIS.EXE ", "QRAD.EXE -smooth 80 -bounce 20 "},
        {2, "QCSG.EXE ", "QBSP2.EXE ", "VIS.EXE ", "QRAD.EXE -extra -smooth 80 -bounce 40 "},
        {3, "QCSG.EXE ", "QBSP2.EXE -leakonly ", "@REM ", "@REM "},
        {4, "QCSG.EXE -onlyents ", "@REM ", "@REM ", "QRAD.EXE -smooth 80 -bounce 20 "},
        {5, "QCSG.EXE -onlyents ", "@REM ", "@REM ", "@REM "},
    };
    for (const auto& m : modes) {
        const std::string map = kMap;
        const std::string expected = m.csg + map + "\r\n" + m.bsp + map + "\r\n" + m.vis + map + "\r\n" + m.rad +
                                     map + "\r\n" + "Copy D:\\Editor\\maps\\castle.bsp D:\\Games\\HL\\Valve\\Maps\r\n" +
                                     "Copy D:\\Editor\\maps\\castle.pts D:\\Games\\HL\\Valve\\Maps\r\n";
        EXPECT_EQ(Run(WorkedExample(m.mode, false)), expected) << "mode " << m.mode;
    }
}

TEST_F(CompileTest, RunningTheGameAddsExactlyOneLastLine) {
    for (int mode = 0; mode < kModeCount; ++mode) {
        const std::string without = Run(WorkedExample(mode, false));
        const std::string with = Run(WorkedExample(mode, true));
        EXPECT_EQ(with, without + "D:\\Games\\HL\\HL.EXE -Console -Dev +map castle\r\n") << "mode " << mode;
    }
}

TEST_F(CompileTest, UnusualMapPathsGoIntoTheScriptAsTheyAre) {
    CompileRequest r = WorkedExample(0, true);
    r.mapPath = "D:\\maps\\CASTLE.MAP";
    auto lines = ScriptLines(r, tables);
    EXPECT_EQ(lines[4], "Copy D:\\maps\\CASTLE.MAP.bsp D:\\Games\\HL\\Valve\\Maps");
    EXPECT_EQ(lines[5], "Copy D:\\maps\\CASTLE.MAP.pts D:\\Games\\HL\\Valve\\Maps");
    EXPECT_EQ(lines[6], "D:\\Games\\HL\\HL.EXE -Console -Dev +map CASTLE.MAP");

    // Without a folder part the compiled files are looked for in the maps folder.
    r.mapPath = "No map selected";
    Run(r);
    lines = ScriptLines(r, tables);
    EXPECT_EQ(lines[0], "QCSG.EXE \"No map selected\"");
    EXPECT_EQ(lines[4], "Copy \"D:\\Editor\\maps\\No map selected.bsp\" D:\\Games\\HL\\Valve\\Maps");
    EXPECT_EQ(shell.launches.size(), 1u); // written and started all the same

    r.mapPath = "";
    lines = ScriptLines(r, tables);
    EXPECT_EQ(lines[0], "QCSG.EXE ");
    EXPECT_EQ(lines[4], "Copy D:\\Editor\\maps\\.bsp D:\\Games\\HL\\Valve\\Maps");

    // In a double-byte code page 95 5C is one character, here part of the map's name.
    r.mapPath = "E:\\Work\\\x95\\keep.map";
    r.leadBytes = ShiftJisLeadByte;
    lines = ScriptLines(r, tables);
    EXPECT_EQ(lines[4], "Copy E:\\Work\\\x95\\keep.bsp D:\\Games\\HL\\Valve\\Maps");
    EXPECT_EQ(lines[6], "D:\\Games\\HL\\HL.EXE -Console -Dev +map \x95\\keep");
}

TEST_F(CompileTest, CompiledFilesAreTakenFromTheMapFilesOwnFolder) {
    CompileRequest r = WorkedExample(1, false);
    r.mapPath = "E:\\Work\\keep.map";
    const auto lines = ScriptLines(r, tables);
    EXPECT_EQ(lines[4], "Copy E:\\Work\\keep.bsp D:\\Games\\HL\\Valve\\Maps");
    EXPECT_EQ(lines[5], "Copy E:\\Work\\keep.pts D:\\Games\\HL\\Valve\\Maps");
}

TEST(ScriptPiece, QuotesPiecesWithBlanksOrInterpreterCharactersAndDoublesPercent) {
    const struct {
        const char* piece;
        const char* written;
    } cases[] = {
        {"D:\\Editor\\maps\\castle.map", "D:\\Editor\\maps\\castle.map"},
        {"C:\\Program Files (x86)\\Half-Life\\HL.EXE", "\"C:\\Program Files (x86)\\Half-Life\\HL.EXE\""},
        {"C:\\maps\\a&b.map", "\"C:\\maps\\a&b.map\""},
        {"C:\\maps\\a=b;c,d.map", "\"C:\\maps\\a=b;c,d.map\""},
        {"C:\\maps\\x^y|z<w>.map", "\"C:\\maps\\x^y|z<w>.map\""},
        {"C:\\100%\\a.map", "C:\\100%%\\a.map"},
        {"C:\\100% done\\a.map", "\"C:\\100%% done\\a.map\""},
        {"C:\\maps\\a+b.map", "\"C:\\maps\\a+b.map\""}, // Copy would join a and b.map
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ScriptPiece(c.piece), c.written) << c.piece;
}

TEST_F(CompileTest, FoldersWithBlanksAndBracketsWorkInEveryLine) {
    CompileRequest r{"C:\\Program Files (x86)\\Half-Life\\", "C:\\Program Files (x86)\\Tools\\",
                     "C:\\My Maps\\", "C:\\My Maps\\big castle.map", 1, true};
    const auto lines = ScriptLines(r, tables);
    EXPECT_EQ(lines[0], "QCSG.EXE \"C:\\My Maps\\big castle.map\"");
    EXPECT_EQ(lines[4], "Copy \"C:\\My Maps\\big castle.bsp\" \"C:\\Program Files (x86)\\Half-Life\\Valve\\Maps\"");
    EXPECT_EQ(lines[6], "\"C:\\Program Files (x86)\\Half-Life\\HL.EXE\" -Console -Dev +map \"big castle\"");
    Run(r);
    EXPECT_EQ(shell.launches.back().parameters, "/v:off /k .\\KORVA.BAT");
    EXPECT_EQ(shell.launches.back().folder, "C:\\Program Files (x86)\\Tools\\");
}

TEST_F(CompileTest, ScriptPathsTheInterpreterWouldChangeAreNamedFromTheToolsFolder) {
    const struct {
        const char* toolsDir;
        const char* parameters;
        LeadByteTest leadBytes = nullptr;
    } cases[] = {
        {"D:\\Tools\\Compile\\", "/k D:\\Tools\\Compile\\KORVA.BAT"},
        {"D:\\Tools\\100%\\", "/k .\\KORVA.BAT"},
        {"D:\\Tools\\%PATH%\\", "/k .\\KORVA.BAT"},
        {"D:\\Tools\\100% (x86) & ^;/", "/k .\\KORVA.BAT"},
        {"D:\\Tools\\Wow!\\", "/k .\\KORVA.BAT"},
        // Without its last backslash the folder's name becomes part of the script's name, in the folder above.
        {"D:\\Tools\\100%", "/k \"\"D:\\Tools\\100%KORVA.BAT\"\""},
        {"D:\\My Tools", "/k \"\"D:\\My ToolsKORVA.BAT\"\""},
        {"D:\\My \x95\\", "/k \"\"D:\\My \x95\\KORVA.BAT\"\"", ShiftJisLeadByte}, // ends in a character, not in "\"
    };
    for (const auto& c : cases) {
        CompileRequest r = WorkedExample(0, false);
        r.dirs.ToolsPath = c.toolsDir;
        r.leadBytes = c.leadBytes;
        Run(r);
        EXPECT_EQ(shell.launches.back().parameters, std::string("/v:off ") + c.parameters) << c.toolsDir;
    }
}

TEST_F(CompileTest, AScriptThatCannotBeCreatedReportsIoError103AndStartsNothing) {
    files.uncreatable.insert(kScript);
    try {
        Run(WorkedExample(1, true));
        FAIL() << "no error";
    } catch (const Error& e) {
        EXPECT_STREQ(e.what(), "I/O error 103");
    }
    EXPECT_TRUE(shell.launches.empty());
}

TEST_F(CompileTest, AFailedWriteOrCloseReportsItsCodeClosesTheFileAndStartsNothing) {
    const struct {
        int failWrite; // 1-based line, 0 for none
        int writeCode;
        int closeCode;
        const char* message;
    } cases[] = {
        {1, 2, 0, "File not found"},          {3, 3, 0, "Invalid filename"},
        {2, 4, 0, "Too many open files"},     {7, 5, 0, "File access denied"},
        {1, 100, 0, "Read beyond end of file"}, {1, 101, 0, "Disk full"},
        {1, 106, 0, "Invalid numeric input"}, {5, 112, 0, "I/O error 112"},
        {0, 0, 112, "I/O error 112"},         {0, 0, 5, "File access denied"},
    };
    for (const auto& c : cases) {
        FakeFileWriter failing;
        failing.failWriteNumber = c.failWrite;
        failing.failWriteCode = c.writeCode;
        failing.failCloseCode = c.closeCode;
        FakeShell idle;
        try {
            Compile(WorkedExample(1, true), tables, failing, idle, prompts, western);
            ADD_FAILURE() << "no error for " << c.message;
        } catch (const Error& e) {
            EXPECT_STREQ(e.what(), c.message);
        }
        EXPECT_EQ(failing.closed, 1) << c.message;
        EXPECT_TRUE(idle.launches.empty()) << c.message;
        if (c.failWrite > 1) { // lines written before the failure stay
            EXPECT_EQ(std::count(failing.files[kScript].begin(), failing.files[kScript].end(), '\n'), c.failWrite - 1);
        }
    }
}

TEST_F(CompileTest, CompilingTwiceLeavesOnlyTheSecondScript) {
    Run(WorkedExample(1, true));
    EXPECT_EQ(Run(WorkedExample(5, false)).substr(0, 19), "QCSG.EXE -onlyents ");
    EXPECT_EQ(std::count(files.files[kScript].begin(), files.files[kScript].end(), '\n'), 6);
}

TEST_F(CompileTest, WithoutAModeItWarnsAndNeitherWritesNorStarts) {
    for (int mode : {-1, -5, 6}) {
        FakePrompts asked;
        Compile(WorkedExample(mode, true), tables, files, shell, asked, western);
        ASSERT_EQ(asked.messages.size(), 1u);
        EXPECT_EQ(asked.messages[0].kind, MessageKind::Warning);
        EXPECT_EQ(asked.messages[0].text, kChooseModeMessage);
    }
    EXPECT_TRUE(files.files.empty());
    EXPECT_TRUE(shell.launches.empty());
}

TEST_F(CompileTest, TextsAScriptCannotCarryStopTheCompileBeforeAnythingIsWritten) {
    const struct {
        const char* name;
        std::function<void(CompileRequest&)> change;
        const char* message;
    } cases[] = {
        {"a letter the interpreter's code page lacks",
         [](CompileRequest& r) { r.mapPath = "D:\\Editor\\maps\\z\xB3oty.map"; },
         "Unable to write D:\\Tools\\Compile\\KORVA.BAT: the command interpreter cannot read every letter of "
         "\"QCSG.EXE D:\\Editor\\maps\\z\xB3oty.map\""},
        // What a best-fitted or pasted name would make of full-width quotes and ampersands.
        {"a quote in the map path",
         [](CompileRequest& r) { r.mapPath = "D:\\Editor\\maps\\a\" & mkdir pwned & \"b.map"; },
         "KORVA will not compile: the map path \"D:\\Editor\\maps\\a\" & mkdir pwned & \"b.map\" holds the "
         "character \", which no Windows path can hold. Correct it under Configuration or choose the map "
         "again"},
        {"a bar in the tools folder", [](CompileRequest& r) { r.dirs.ToolsPath = "D:\\Tools|x\\"; },
         "the tools folder \"D:\\Tools|x\\\" holds the character |"},
        {"a bracket in the game folder", [](CompileRequest& r) { r.dirs.HLPath = "D:\\Games<HL\\"; },
         "the game folder \"D:\\Games<HL\\\" holds the character <"},
        {"a wildcard in the maps folder a bare map name is taken from",
         [](CompileRequest& r) { r.mapPath = "castle.map", r.dirs.MapsPath = "D:\\maps?\\"; },
         "the maps folder \"D:\\maps?\\\" holds the character ?"},
        {"a control character", [](CompileRequest& r) { r.mapPath = "D:\\maps\\a\tb.map"; },
         "holds a control character"},
        // Windows before 11 opens these as devices: the console would wait for the keyboard, the null
        // device would copy nothing, and KORVA.BAT would be written to a port. No folder can have such a name.
        {"a device as the map", [](CompileRequest& r) { r.mapPath = "D:\\Editor\\maps\\nul.map"; },
         "the map path \"D:\\Editor\\maps\\nul.map\" holds the name nul.map, which Windows reads as a "
         "device"},
        {"a port with a superscript digit", [](CompileRequest& r) { r.mapPath = "D:\\maps\\COM\xB9.map"; },
         "holds the name COM\xB9.map, which Windows reads as a device"},
        {"a port in the tools folder", [](CompileRequest& r) { r.dirs.ToolsPath = "D:\\Tools\\com7\\"; },
         "the tools folder \"D:\\Tools\\com7\\\" holds the folder name com7, which Windows reads as a device "
         "(the console, a printer, a port or the null device), so no such folder can exist. Correct it"},
        {"the console's input in the game folder",
         [](CompileRequest& r) { r.dirs.HLPath = "D:\\CONIN$\\HL\\"; },
         "the game folder \"D:\\CONIN$\\HL\\\" holds the folder name CONIN$,"},
        {"a printer as the maps folder a bare map name is taken from",
         [](CompileRequest& r) { r.mapPath = "castle.map", r.dirs.MapsPath = "D:\\LPT9\\"; },
         "the maps folder \"D:\\LPT9\\\" holds the folder name LPT9,"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CompileRequest r = WorkedExample(1, true);
        c.change(r);
        shell.notInConsole = "\xB3";
        try {
            Run(r);
            ADD_FAILURE() << "no error";
        } catch (const Error& e) {
            EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos) << e.what();
        }
        EXPECT_TRUE(files.files.empty());
        EXPECT_TRUE(shell.launches.empty());
    }
    // In a double-byte code page, 0x7C can be a character's second byte: no "|" of its own; nor is a
    // "\\" there, so 95 5C and CON are one name.
    for (const char* mapPath : {"D:\\maps\\\x95\x7C.map", "D:\\maps\\\x95\\CON.map"}) {
        CompileRequest r = WorkedExample(1, true);
        r.leadBytes = ShiftJisLeadByte;
        r.mapPath = mapPath;
        EXPECT_NO_THROW(Run(r)) << mapPath;
    }
}

TEST_F(CompileTest, CommandComIsTheInterpreterOnlyWhereCmdIsMissing) {
    shell.onPath.clear();
    Run(WorkedExample(0, false));
    EXPECT_EQ(shell.launches.back().file, "COMMAND.COM");
    EXPECT_EQ(shell.launches.back().parameters, std::string("/k ") + kScript);
}

TEST_F(CompileTest, AFailedStartNamesTheProgramAndTheReasonAndKeepsTheScript) {
    shell.result = 3;
    try {
        Run(WorkedExample(1, false));
        FAIL() << "no error";
    } catch (const Error& e) {
        EXPECT_STREQ(e.what(), "Unable to start cmd.exe for D:\\Tools\\Compile\\KORVA.BAT: the folder was not found");
    }
    EXPECT_FALSE(files.files[kScript].empty());
}

TEST_F(CompileTest, LongAndEmptyToolsFoldersArePassedWhole) {
    CompileRequest r = WorkedExample(1, false);
    r.dirs.ToolsPath = "D:\\" + std::string(120, 'x') + "\\";
    Run(r);
    EXPECT_EQ(shell.launches.back().parameters, "/v:off /k " + r.dirs.ToolsPath + "KORVA.BAT");
    EXPECT_EQ(shell.launches.back().folder, r.dirs.ToolsPath);

    r.dirs.ToolsPath.clear(); // the bare name, resolved against the current folder
    Run(r);
    EXPECT_TRUE(files.files.count("KORVA.BAT"));
    EXPECT_EQ(shell.launches.back().parameters, "/v:off /k KORVA.BAT");
    EXPECT_EQ(shell.launches.back().folder, "");
}

TEST(CompileTables, EveryPrefixEndsInExactlyOneBlankAndEveryModeHasThreeHelpLines) {
    const CompileTables t = BuildCompileTables();
    for (int mode = 0; mode < kModeCount; ++mode) {
        for (const auto* table : {&t.CsgCommands, &t.BspCommands, &t.VisCommands, &t.RadCommands}) {
            const std::string& prefix = (*table)[mode];
            ASSERT_GE(prefix.size(), 2u);
            EXPECT_EQ(prefix.back(), ' ');
            EXPECT_NE(prefix[prefix.size() - 2], ' ') << prefix;
        }
        for (const char* line : kModeHelp[mode]) {
            EXPECT_GT(std::string(line).size(), 0u);
            EXPECT_NE(std::string(line).back(), ' ');
        }
    }
    EXPECT_EQ(t.RadCommands[4], t.RadCommands[1]); // updating entities relights as a full compile does
}

} // namespace
} // namespace korva
