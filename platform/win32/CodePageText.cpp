// Text between the system code page and UTF-16.
#include "platform/win32/CodePageText.h"

#include "platform/Error.h"

// Windows XP's headers hide it; Vista and later (and so every Windows with a UTF-8 code page) know it.
#ifndef WC_ERR_INVALID_CHARS
#define WC_ERR_INVALID_CHARS 0x80
#endif

namespace korva::win32 {

std::wstring WideText(std::string_view text) {
    if (text.empty())
        return {};
    const int size = static_cast<int>(text.size());
    const int length = ::MultiByteToWideChar(CP_ACP, 0, text.data(), size, nullptr, 0);
    std::wstring wide(static_cast<size_t>(length > 0 ? length : 0), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, text.data(), size, wide.data(), length);
    return wide;
}

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
        // Only UTF-8 refuses a text (an unpaired surrogate): written with the replacement character.
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

std::string ExactCodePageText(std::wstring_view text) {
    bool exact = true;
    std::string narrow = InCodePage(text, CP_ACP, exact);
    if (!exact)
        throw Error("The text holds characters that the system's code page does not have: it must be read in "
                    "UTF-16");
    return narrow;
}

} // namespace korva::win32
