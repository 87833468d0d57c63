// The one rule for every name that comes in from the system or the user: the file-open dialog's choice,
// a file dropped on the main window, the entries of a folder listing, the installers' registry values,
// the program's own folder, and the folders typed or pasted into the configuration dialog and the
// chooser. (The current folder, which the launch changes for a moment, never becomes 8-bit text: it is
// kept in UTF-16 and put back as it was.)
//
// The system holds names in UTF-16 and the program works in 8-bit text of the system code page. The ANSI
// calls would hand such names back "best fitted": a full-width quotation mark or ampersand as " or &,
// Omega as O, a Japanese name as ??.map. Names then turn into other files, wildcards, or commands in
// KORVA.BAT. So names are taken in UTF-16 and converted exactly, or not used:
//   - a name whose every character has its own form in the code page is taken as it is;
//   - otherwise a folder part that does not convert is replaced by its short (8.3) name, which is
//     plain text ("OMEGA~1"), and only that part;
//   - a file's own name is never shortened where its text matters (the map's name goes into the script);
//   - anything else is refused: never a best-fitted or "?"-substituted name.
// The rule is portable; the system's side of it (the conversion and the short names) is NameConversion,
// which the Win32 layer implements and the tests fake.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace korva {

// What the system offers the rule. Wide text is the system's UTF-16.
class NameConversion {
public:
    virtual ~NameConversion() = default;
    // The name in the system code page. exact is false when a character has no form of its own there;
    // it is then written as "?", and the text is good for showing only.
    virtual std::string ToCodePage(std::wstring_view name, bool& exact) const = 0;
    // The short (8.3) form of the last part of an existing path, as the file system keeps it; empty
    // when there is none (the volume keeps no short names, the path does not exist).
    virtual std::wstring ShortName(const std::wstring& path) const = 0;
};

// What of a path is used. A folder's last part may be shortened; a file's may not, since its name is
// used. Of a file that only points at its folder (the configuration's folder buttons) only that folder
// passes the rule, and the file's own name is left out.
enum class NameKind { Folder, File, ContainingFolder };

// A path through the rule, with "\" or "/" between its parts; nothing when it cannot be used. For a
// ContainingFolder, the path up to and including its last "\", "/" or ":".
std::optional<std::string> GatePath(std::wstring_view path, NameKind kind, const NameConversion& system);

// One entry of a folder listing through the rule: its own name, or (a folder) the short name the
// listing gives beside it; nothing when the entry cannot be used.
std::optional<std::string> GateEntry(std::wstring_view name, std::wstring_view shortName, bool folder,
                                     const NameConversion& system);

// A name that cannot be used, as a message shows it: each character the code page lacks as "?".
std::string ShownName(std::wstring_view name, const NameConversion& system);

// The message for a chosen file whose name cannot be used; shown stands for the name (see ShownName).
std::string UnusableNameMessage(const std::string& shown);

// The message for a folder typed or pasted into a field ("tools folder") that cannot be used.
std::string UnusableFolderTextMessage(const std::string& field, const std::string& shown);

} // namespace korva
