// The code pages of the tests, as far as the tests need them.
#include "fakes/FakeNameConversion.h"

#include "fakes/FakeLeadBytes.h"

namespace korva::fakes {
namespace {

// Characters beyond ASCII that a code page has: a run of them, one byte each from bytes[0] on, or a
// single character of two bytes.
struct Run {
    int codePage;
    wchar_t first, last;
    std::string_view bytes;
};
constexpr Run kRuns[] = {
    {1252, L'\u00A0', L'\u00FF', "\xA0"}, // Latin-1, the superscripts 1, 2 and 3 among them
    {1251, L'\u0410', L'\u044F', "\xC0"}, // the Russian alphabet
    {1251, L'\u2116', L'\u2116', "\xB9"}, // the numero sign, where 1252 has a superscript 1
    {932, L'\uFF61', L'\uFF9F', "\xA1"},  // half-width katakana
    {932, L'\u65E5', L'\u65E5', "\x93\xFA"}, {932, L'\u672C', L'\u672C', "\x96\x7B"},
    {932, L'\u8868', L'\u8868', "\x95\x5C"}, // its second byte is a backslash
    {932, L'\uFF06', L'\uFF06', "\x81\x95"}, // the full-width ampersand is a letter of its own here
};

} // namespace

std::string FakeNameConversion::ToCodePage(std::wstring_view name, bool& exact) const {
    std::string text;
    exact = true;
    for (wchar_t c : name) {
        std::string bytes = c < 0x80 ? std::string(1, static_cast<char>(c)) : "?";
        for (const Run& run : kRuns)
            if (run.codePage == codePage_ && c >= run.first && c <= run.last)
                bytes = run.bytes.size() == 2
                            ? std::string(run.bytes)
                            : std::string(1, static_cast<char>(run.bytes[0] + (c - run.first)));
        exact = exact && bytes != "?";
        text += bytes;
    }
    return text;
}

std::wstring FakeNameConversion::FromCodePage(std::string_view text) const {
    std::wstring wide;
    for (std::size_t i = 0; i < text.size();) {
        const auto byte = static_cast<unsigned char>(text[i]);
        const std::size_t length = codePage_ == 932 && ShiftJisLeadByte(byte) && i + 1 < text.size() ? 2 : 1;
        const std::string_view bytes = text.substr(i, length);
        i += length;
        wchar_t c = byte < 0x80 ? static_cast<wchar_t>(byte) : L'\uFFFD';
        for (const Run& run : kRuns) {
            const auto from = static_cast<unsigned char>(run.bytes[0]);
            if (run.codePage != codePage_ || run.bytes.size() != length)
                continue;
            if (length == 2 ? bytes == run.bytes : byte >= from && byte - from <= run.last - run.first)
                c = static_cast<wchar_t>(run.first + (length == 2 ? 0 : byte - from));
        }
        wide += c;
    }
    return wide;
}

std::wstring FakeNameConversion::ShortName(const std::wstring& path) const {
    const auto found = shortNames.find(path);
    return found == shortNames.end() ? std::wstring() : found->second;
}

} // namespace korva::fakes
