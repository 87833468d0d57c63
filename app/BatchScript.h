// KORVA.BAT: the script that runs the compile tools over a map, copies the compiled level into the game
// and, if asked, starts the game on it; and how it is started in a console that stays open.
#pragma once

#include "app/CompileModes.h"
#include "platform/Folders.h"
#include "platform/FileWriter.h"
#include "platform/PathText.h"
#include "platform/Prompts.h"
#include "platform/Shell.h"
#include "platform/SystemNames.h"

#include <string>
#include <vector>

namespace korva {

// Everything a compile reads from the main window. Folders are joined to what follows them as they
// stand: each is expected to end in a backslash, and nothing adds one.
struct CompileRequest {
    Folders dirs;
    std::string mapPath;
    int mode = 0;
    bool runGame = false;
    // The system code page's lead-byte test, for cutting the map path and the tools folder into their
    // pieces; null where every byte is one character.
    LeadByteTest leadBytes = nullptr;
};

inline constexpr const char* kScriptName = "KORVA.BAT";

// The script's path: the tools folder followed directly by "KORVA.BAT".
std::string ScriptPath(const std::string& toolsDir);

// One piece of a script line as the command interpreter must see it: every % doubled, and the whole
// piece in double quotes when it holds a blank or one of & | < > ^ ( ) , ; = +. Other pieces are
// unchanged.
std::string ScriptPiece(const std::string& piece);

// The folder the compile tools leave the .bsp and .pts in: the map file's own folder, or the maps folder
// when the map path has no folder part.
std::string CompiledFilesFolder(const CompileRequest& request);

// The script's lines, without line ends: four tool lines, two copy lines and, when runGame is set, the
// line that starts the game. The mode must be 0 to 5.
std::vector<std::string> ScriptLines(const CompileRequest& request, const CompileTables& tables);

// The message for a failed write or close: the named texts for the codes 2, 3, 4, 5, 100, 101 and 106,
// else "I/O error <code>".
std::string IoErrorMessage(int code);

// Writes the lines, each ended by CR LF, to a file created anew. Throws Error "I/O error 103" when the
// file cannot be created, or the message of the failing write or close; the file is closed on every path.
void WriteScript(FileWriter& files, const std::string& path, const std::vector<std::string>& lines);

// The command interpreter: "cmd.exe" when the search path has it, else "COMMAND.COM".
std::string CommandInterpreter(Shell& shell);

// The interpreter's parameters for the script in that tools folder: "/k " and the script's path as it
// stands when the path holds no blank and none of & | < > ^ ( ) , ; = + % !. Otherwise "/k .\KORVA.BAT",
// named from the working folder, which the interpreter starts in, when the script lies directly in the
// tools folder (one ending in "\" or "/"), or else the whole path in two pairs of quotes, with % left
// single.
std::string InterpreterParameters(const std::string& toolsDir, LeadByteTest isLeadByte);

// Throws Error when the map path, the tools or game folder, or the folder the compiled files are copied
// from has a part that is a device's name (DeviceRefusal, on the path as names reads it in UTF-16), or
// holds a character that no Windows path can hold (FirstForbiddenPathCharacter). A device would be
// handed to every tool in place of the map, or written to in place of the script; in a script such a
// character would end, join or redirect a command. A stored map path, or a folder typed before these
// checks, may hold either.
void CheckScriptPaths(const CompileRequest& request, const NameConversion& names);

// What Compile does: with no mode selected, warns and does nothing else; otherwise checks the paths
// (CheckScriptPaths, with the code page's conversion) and writes the script, in the code page the interpreter reads it in, and starts the
// interpreter on it in the tools folder, without waiting, cmd.exe with delayed expansion off ("/v:off").
// Throws Error when the script cannot be written (nothing is started; also when a line holds a
// character the interpreter's code page lacks) or the interpreter cannot be started (the script stays).
void Compile(const CompileRequest& request, const CompileTables& tables, FileWriter& files, Shell& shell,
             Prompts& prompts, const NameConversion& names);

inline constexpr const char* kChooseModeMessage = "Please choose a compile mode before compiling.";

} // namespace korva
