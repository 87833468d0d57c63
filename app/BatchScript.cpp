// Building, writing and starting KORVA.BAT.
#include "app/BatchScript.h"

#include "app/FmxUtils.h"
#include "app/MapPath.h"
#include "platform/Error.h"

#include <cstring>

namespace korva {

std::string ScriptPath(const std::string& toolsDir) { return toolsDir + kScriptName; }

std::string ScriptPiece(const std::string& piece) {
    static const char kSpecial[] = " \t&|<>^(),;=";
    std::string text;
    bool quote = false;
    for (char c : piece) {
        if (c == '%')
            text += '%'; // the interpreter reads %% as one %
        text += c;
        if (c != '\0' && std::strchr(kSpecial, c))
            quote = true;
    }
    return quote ? '"' + text + '"' : text;
}

std::string CompiledFilesFolder(const CompileRequest& request) {
    std::string folder = FolderPart(request.mapPath);
    return folder.empty() ? request.mapsDir : folder;
}

std::vector<std::string> ScriptLines(const CompileRequest& r, const CompileTables& t) {
    const std::string map = ScriptPiece(r.mapPath);
    const std::string name = MapNameOf(r.mapPath);
    const std::string from = CompiledFilesFolder(r) + name;
    const std::string target = ScriptPiece(r.gameDir + "Valve\\Maps");

    std::vector<std::string> lines = {
        t.CsgCommands[r.mode] + map,
        t.BspCommands[r.mode] + map,
        t.VisCommands[r.mode] + map,
        t.RadCommands[r.mode] + map,
        "Copy " + ScriptPiece(from + ".bsp") + " " + target,
        "Copy " + ScriptPiece(from + ".pts") + " " + target,
    };
    if (r.runGame)
        lines.push_back(ScriptPiece(r.gameDir + "HL.EXE") + " -Console -Dev +map " + ScriptPiece(name));
    return lines;
}

std::string IoErrorMessage(int code) {
    switch (code) {
    case 2: return "File not found";
    case 3: return "Invalid filename";
    case 4: return "Too many open files";
    case 5: return "File access denied";
    case 100: return "Read beyond end of file";
    case 101: return "Disk full";
    case 106: return "Invalid numeric input";
    default: return "I/O error " + std::to_string(code);
    }
}

void WriteScript(FileWriter& files, const std::string& path, const std::vector<std::string>& lines) {
    auto file = files.Create(path);
    if (!file)
        throw Error("I/O error 103"); // 103: file not open
    for (const auto& line : lines) {
        if (const int error = file->Write(line + "\r\n")) {
            file->Close();
            throw Error(IoErrorMessage(error));
        }
    }
    if (const int error = file->Close())
        throw Error(IoErrorMessage(error));
}

std::string CommandInterpreter(Shell& shell) { return shell.OnSearchPath("cmd.exe") ? "cmd.exe" : "COMMAND.COM"; }

std::string InterpreterParameters(const std::string& scriptPath) {
    const std::string piece = ScriptPiece(scriptPath);
    // The interpreter strips one pair of outer quotes from what follows /k, so a quoted path needs a
    // second pair around it.
    return piece == scriptPath ? "/k " + scriptPath : "/k \"" + piece + "\"";
}

void Compile(const CompileRequest& request, const CompileTables& tables, FileWriter& files, Shell& shell,
             Prompts& prompts) {
    if (!IsCompileMode(request.mode)) {
        prompts.Message(MessageKind::Warning, kChooseModeMessage, MessageButtons::Ok);
        return;
    }
    const std::string script = ScriptPath(request.toolsDir);
    std::vector<std::string> lines = ScriptLines(request, tables);
    for (std::string& line : lines) {
        std::optional<std::string> console = shell.ConsoleText(line);
        if (!console)
            throw Error("Unable to write " + script + ": the command interpreter cannot read every letter of \"" +
                        line + "\"");
        line = *console;
    }
    WriteScript(files, script, lines);

    const std::string interpreter = CommandInterpreter(shell);
    const int result = LaunchFile(shell, interpreter, InterpreterParameters(script), request.toolsDir, kShowNormal);
    if (result <= 32)
        throw Error("Unable to start " + interpreter + " for " + script + ": " + ShellFailureReason(result));
}

} // namespace korva
