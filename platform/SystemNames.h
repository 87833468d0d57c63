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
//   - "/" between parts becomes "\": Windows' file functions take both, but the command interpreter
//     reads "/" as the start of a switch, in KORVA.BAT and in the command that runs it;
//   - a name in which a part is a device's (CON, NUL, COM1 ...) is refused: Windows reads such a last
//     part as the device, and no folder can have such a name;
//   - a name whose every character has its own form in the code page is taken as it is;
//   - otherwise a folder part that does not convert is replaced by its short (8.3) name, which is
//     plain text ("OMEGA~1"), and only that part;
//   - a file's own name is never shortened where its text matters (the map's name goes into the script);
//   - anything else is refused: never a best-fitted or "?"-substituted name.
// The rule is portable; the system's side of it (the conversions and the short names) is NameConversion,
// which the Win32 layer implements, the windows receive with their services, and the tests fake.
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
    // the text is then good for nothing.
    virtual std::string ToCodePage(std::wstring_view name, bool& exact) const = 0;
    // Text of the system code page in UTF-16, where each of its characters has its form.
    virtual std::wstring FromCodePage(std::string_view text) const = 0;
    // The short (8.3) form of the last part of an existing path, as the file system keeps it; empty
    // when there is none (the volume keeps no short names, the path does not exist).
    virtual std::wstring ShortName(const std::wstring& path) const = 0;
};

// What of a path is used. A folder's last part may be shortened; a file's may not, since its name is
// used. Of a file that only points at its folder (the configuration's folder buttons) only that folder
// passes the rule, and the file's own name is left out.
enum class NameKind { Folder, File, ContainingFolder };

enum class NameRefusal {
    None,
    NotInCodePage, // a character the code page lacks, in a part that has no short name without one
    Device,        // the last part is a device's name: Windows opens the device, not a file or folder
    DeviceFolder,  // a part before the last is a device's name: no folder can be named so
};

// A name through the rule. path is what the program uses; the rest says why there is none.
struct CheckedName {
    std::optional<std::string> path = {}; // in the code page, with "\" between its parts
    NameRefusal refusal = NameRefusal::None;
    std::wstring name = {};   // as it came in, for a message
    std::wstring device = {}; // the part that is a device's name (Device, DeviceFolder)
};

// A name through the rule. For a ContainingFolder, the path up to and including its last "\", "/" or
// ":", and only that part is looked at.
CheckedName CheckName(std::wstring_view name, NameKind kind, const NameConversion& system);

// A path with "\" or "/" between its parts, refused for a part that is a device's name (Device for the last
// part, DeviceFolder for another, with that part), or with the refusal None.
CheckedName DeviceRefusal(std::wstring_view path);

// One entry of a folder listing through the rule: its own name, or (a folder) the short name the
// listing gives beside it; nothing when the entry cannot be used.
std::optional<std::string> GateEntry(std::wstring_view name, std::wstring_view shortName, bool folder,
                                     const NameConversion& system);

// Whether Windows reads a part of a path as a device: CON, PRN, AUX, NUL, COM1 to COM9, LPT1 to LPT9,
// COM and LPT with a superscript 1, 2 or 3, CONIN$ or CONOUT$, in any case, as the text before the
// first full stop with trailing blanks ignored ("Con.level1.map", "nul .txt", "COM\u00B9.map").
bool IsDeviceName(std::wstring_view part);

// For a refused name, what it holds: "the name CON.map, which Windows reads as a device (...), not as
// a file or folder", or for a folder part "the folder name nul, which Windows reads as a device (...),
// so no such folder can exist"; empty for another refusal.
std::wstring DeviceText(const CheckedName& refused);

// The message for a refused name, naming it exactly as it came in: "KORVA cannot use "NAME": ..." for
// a chosen or dropped file, "KORVA cannot use "NAME" as the tools folder: ..." for a folder typed
// into a field (field is "tools folder", or empty for a chosen file).
std::wstring RefusalMessage(const CheckedName& refused, std::string_view field);

} // namespace korva
