// The system's side of the rule for names that come in (platform/SystemNames.h): the exact conversion
// between UTF-16 and the system code page and the file system's short names. app/main.cpp hands it to
// the windows with their services; the Win32 implementations that take names from the system (folder
// listings, registry values, the program's folder) use it here.
#pragma once

#include "platform/SystemNames.h"
#include "platform/win32/CodePageText.h"

#include <optional>
#include <string>

namespace korva::win32 {

class Win32NameConversion final : public NameConversion {
public:
    // InCodePage with the system code page. Where that is UTF-8 (an option of Windows 10 1903 and
    // later) every name has its form.
    std::string ToCodePage(std::wstring_view name, bool& exact) const override;
    std::wstring FromCodePage(std::string_view text) const override;
    // GetShortPathNameW, which Windows XP has.
    std::wstring ShortName(const std::wstring& path) const override;
};

// The conversion of this system; it keeps no state.
const NameConversion& SystemNameConversion();

// A path from the system through the rule; nothing when it cannot be used.
std::optional<std::string> SystemPath(const std::wstring& path, NameKind kind);

} // namespace korva::win32
