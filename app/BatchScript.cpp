// Building, writing and starting KORVA.BAT.
#include "app/BatchScript.h"

#include "app/FmxUtils.h"
#include "app/MapPath.h"
#include "platform/Error.h"

#include <string_view>

namespace korva {
namespace {

// What ends or changes a command for the interpreter: a blank or one of these splits, joins, redirects
// or escapes it. Copy reads an unquoted + as "join these files".
constexpr std::string_view kSplitting = " \t&|<>^(),;=+";

bool HasAnyOf(const std::string& text, std::string_view chars) { return text.find_first_of(chars) != std::string::npos; }

} // namespace

std::string ScriptPath(const std::string& toolsDir) { return toolsDir + kScriptName; }

std::string ScriptPiece(const std::string& piece) {
    std::string text;
    for (char c : piece) {
        if (c == '%')
            text += '%'; // the interpreter reads %% as one %
        text += c;
    }
    return HasAnyOf(piece, kSplitting) ? '"' + text + '"' : text;
}

std::string CompiledFilesFolder(const CompileRequest& request) {
    std::string folder = FolderPart(request.mapPath, request.leadBytes);
    return folder.empty() ? request.dirs.MapsPath : folder;
}

std::vector<std::string> ScriptLines(const CompileRequest& r, const CompileTables& t) {
    const std::string map = ScriptPiece(r.mapPath);
    const std::string name = MapNameOf(r.mapPath, r.leadBytes);
    const std::string from = CompiledFilesFolder(r) + name;
    const std::string target = ScriptPiece(r.dirs.HLPath + "Valve\\Maps");

    std::vector<std::string> lines = {
        t.CsgCommands[r.mode] + map,
        t.BspCommands[r.mode] + map,
        t.VisCommands[r.mode] + map,
        t.RadCommands[r.mode] + map,
        "Copy " + ScriptPiece(from + ".bsp") + " " + target,
        "Copy " + ScriptPiece(from + ".pts") + " " + target,
    };
    if (r.runGame)
        lines.push_back(ScriptPiece(r.dirs.HLPath + "HL.EXE") + " -Console -Dev +map " + ScriptPiece(name));
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

std::string InterpreterParameters(const std::string& toolsDir, LeadByteTest isLeadByte) {
    const std::string script = ScriptPath(toolsDir);
    // What follows /k is read as a typed command, not as a line of a batch file: %% stays %%, %NAME% is
    // replaced by a variable (and ! too where delayed expansion is on), and blanks and & ^ ; split or
    // escape the command. A path holding none of these is passed as it stands.
    if (!HasAnyOf(script, kSplitting) && !HasAnyOf(script, "%!"))
        return "/k " + script;
    // The interpreter starts in the tools folder, so a script lying directly in it is named from there,
    // whatever the folder holds; the ".\" keeps it found where the current folder is not searched for
    // commands.
    if (toolsDir.empty() || EndsWithCharacterOf(toolsDir, "\\/", isLeadByte))
        return "/k .\\" + std::string(kScriptName);
    // A tools folder typed without its last backslash puts the script into the folder above. The whole
    // path is quoted, twice, as the interpreter strips one pair of outer quotes from what follows /k; a %
    // stays single here.
    return "/k \"\"" + script + "\"\"";
}

void CheckScriptPaths(const CompileRequest& request, const NameConversion& names) {
    const std::pair<const char*, std::string> paths[] = {
        {"map path", request.mapPath},
        {"tools folder", request.dirs.ToolsPath},
        {"game folder", request.dirs.HLPath},
        {"maps folder", CompiledFilesFolder(request)}, // the map's own folder, or the maps folder
    };
    for (const auto& [what, path] : paths) {
        const std::string refused =
            std::string("KORVA will not compile: the ") + what + " \"" + path + "\" holds ";
        const std::string correct = ". Correct it under Configuration or choose the map again";
        // Each part as Windows reads it: a superscript digit is one character, and in a double-byte code
        // page a "\\" may be the second byte of one.
        if (const CheckedName device = DeviceRefusal(names.FromCodePage(path)); device.refusal != NameRefusal::None) {
            bool exact = true;
            throw Error(refused + names.ToCodePage(DeviceText(device), exact) + correct);
        }
        const std::size_t at = FirstForbiddenPathCharacter(path, request.leadBytes);
        if (at == std::string::npos)
            continue;
        const auto c = static_cast<unsigned char>(path[at]);
        const std::string character =
            c < 32 ? "a control character" : std::string("the character ") + path[at];
        throw Error(refused + character + ", which no Windows path can hold" + correct);
    }
}

void Compile(const CompileRequest& request, const CompileTables& tables, FileWriter& files, Shell& shell,
             Prompts& prompts, const NameConversion& names) {
    if (!IsCompileMode(request.mode)) {
        prompts.Message(MessageKind::Warning, kChooseModeMessage, MessageButtons::Ok);
        return;
    }
    CheckScriptPaths(request, names);
    const std::string script = ScriptPath(request.dirs.ToolsPath);
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
    // Where delayed expansion is switched on for every cmd.exe (in the registry), !NAME! in a path would
    // be replaced and a single ! dropped: /v:off keeps the script's text as written. COMMAND.COM knows
    // no such switch and no such expansion. The user's AutoRun commands still run, as in any console.
    const std::string switches = interpreter == "cmd.exe" ? "/v:off " : "";
    const int result = LaunchFile(shell, interpreter,
                                  switches + InterpreterParameters(request.dirs.ToolsPath, request.leadBytes),
                                  request.dirs.ToolsPath, kSwShow);
    if (result <= 32)
        throw Error("Unable to start " + interpreter + " for " + script + ": " + ShellFailureReason(result));
}

} // namespace korva
