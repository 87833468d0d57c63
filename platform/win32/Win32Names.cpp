// Names between UTF-16 and the system code page.
#include "platform/win32/Win32Names.h"

#include <vector>

// Windows XP's headers hide it; Vista and later (and so every Windows with a UTF-8 code page) know it.
#ifndef WC_ERR_INVALID_CHARS
#define WC_ERR_INVALID_CHARS 0x80
#endif

namespace korva::win32 {

std::string InCodePage(std::wstring_view name, UINT codePage, bool& exact) {
    exact = true;
    if (name.empty())
        return {};
    const bool utf8 = codePage == CP_UTF8;
    const DWORD flags = utf8 ? WC_ERR_INVALID_CHARS : WC_NO_BEST_FIT_CHARS;
    const int wideLength = static_cast<int>(name.size());
    BOOL usedDefault = FALSE;
    BOOL* const usedDefaultFlag = utf8 ? nullptr : &usedDefault;
    int length =
        ::WideCharToMultiByte(codePage, flags, name.data(), wideLength, nullptr, 0, nullptr, usedDefaultFlag);
    if (length <= 0) {
        // Only UTF-8 refuses a text (an unpaired surrogate): show it with the replacement character.
        exact = false;
        length = ::WideCharToMultiByte(codePage, 0, name.data(), wideLength, nullptr, 0, nullptr, nullptr);
        std::string shown(static_cast<size_t>(length > 0 ? length : 0), '\0');
        ::WideCharToMultiByte(codePage, 0, name.data(), wideLength, shown.data(), length, nullptr, nullptr);
        return shown;
    }
    std::string text(static_cast<size_t>(length), '\0');
    ::WideCharToMultiByte(codePage, flags, name.data(), wideLength, text.data(), length, nullptr,
                          usedDefaultFlag);
    exact = !usedDefault;
    return text;
}

std::string Win32NameConversion::ToCodePage(std::wstring_view name, bool& exact) const {
    return InCodePage(name, ::GetACP(), exact);
}

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
    return GatePath(path, kind, SystemNameConversion());
}

GatedName GateName(const std::wstring& name, NameKind kind) {
    return {SystemPath(name, kind), ShownName(name, SystemNameConversion())};
}

std::wstring WideText(const std::string& text) {
    if (text.empty())
        return {};
    const int size = static_cast<int>(text.size());
    const int length = ::MultiByteToWideChar(CP_ACP, 0, text.data(), size, nullptr, 0);
    std::wstring wide(static_cast<size_t>(length > 0 ? length : 0), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, text.data(), size, wide.data(), length);
    return wide;
}

} // namespace korva::win32
