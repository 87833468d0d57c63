// The system's side of the rule for names that come in (platform/SystemNames.h): the exact conversion
// from UTF-16 to the system code page and the file system's short names, and the helpers through which
// every Win32 implementation takes a name from the system. Names going out to a wide call are converted
// back with WideText.
#pragma once

#include "platform/SystemNames.h"

#include <windows.h>

#include <optional>
#include <string>

namespace korva::win32 {

class Win32NameConversion final : public NameConversion {
public:
    // InCodePage with the system code page. Where that is UTF-8 (an option of Windows 10 1903 and
    // later) every name has its form.
    std::string ToCodePage(std::wstring_view name, bool& exact) const override;
    // GetShortPathNameW, which Windows XP has.
    std::wstring ShortName(const std::wstring& path) const override;
};

// The conversion of this system; it keeps no state.
const NameConversion& SystemNameConversion();

// A path from the system through the rule; nothing when it cannot be used.
std::optional<std::string> SystemPath(const std::wstring& path, NameKind kind);

// A name from the system or the user, through the rule and as a message shows it.
struct GatedName {
    std::optional<std::string> path; // nothing when the name cannot be used
    std::string shown;               // each character the code page lacks as "?" (ShownName)
};
GatedName GateName(const std::wstring& name, NameKind kind);

// 8-bit text of the system code page as UTF-16, for the wide calls that take a name in.
std::wstring WideText(const std::string& text);

// UTF-16 text in a code page, without best fit. exact is false when a character has no form of its own
// there: it is then written as the code page's default character. In UTF-8 only text that is no valid
// UTF-16 fails.
std::string InCodePage(std::wstring_view text, UINT codePage, bool& exact);

} // namespace korva::win32
