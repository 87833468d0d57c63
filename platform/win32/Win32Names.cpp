// Names between UTF-16 and the system code page.
#include "platform/win32/Win32Names.h"

#include <vector>

namespace korva::win32 {

std::string Win32NameConversion::ToCodePage(std::wstring_view name, bool& exact) const {
    return InCodePage(name, ::GetACP(), exact);
}

std::wstring Win32NameConversion::FromCodePage(std::string_view text) const { return WideText(text); }

std::wstring Win32NameConversion::ShortName(const std::wstring& path) const {
    const DWORD size = ::GetShortPathNameW(path.c_str(), nullptr, 0);
    if (size == 0)
        return {};
    std::vector<wchar_t> buffer(size, L'\0');
    const DWORD length = ::GetShortPathNameW(path.c_str(), buffer.data(), size);
    if (length == 0 || length >= size)
        return {};
    std::wstring shortPath(buffer.data(), length);
    while (!shortPath.empty() && (shortPath.back() == L'\\' || shortPath.back() == L'/'))
        shortPath.pop_back();
    const size_t cut = shortPath.find_last_of(L"\\/");
    return cut == std::wstring::npos ? shortPath : shortPath.substr(cut + 1);
}

namespace {
const Win32NameConversion systemConversion;
} // namespace

const NameConversion& SystemNameConversion() {
    return systemConversion;
}

std::optional<std::string> SystemPath(const std::wstring& path, NameKind kind) {
    return CheckName(path, kind, SystemNameConversion()).path;
}

} // namespace korva::win32
