// The code pages of the tests, as far as the tests need them.
#include "fakes/FakeNameConversion.h"

#include "fakes/FakeLeadBytes.h"

#include <utility>
#include <vector>

namespace korva::fakes {
namespace {

// The characters beyond ASCII that a code page has, with their bytes there.
std::vector<std::pair<wchar_t, std::string>> Characters(int codePage) {
    std::vector<std::pair<wchar_t, std::string>> table;
    auto range = [&](wchar_t first, wchar_t last, unsigned firstByte) {
        for (wchar_t c = first; c <= last; ++c)
            table.push_back({c, std::string(1, static_cast<char>(firstByte + (c - first)))});
    };
    switch (codePage) {
    case 1252:
        range(L'\u00A0', L'\u00FF', 0xA0); // Latin-1, the superscripts 1, 2 and 3 among them
        table.push_back({L'\u20AC', "\x80"});
        break;
    case 1251:
        range(L'\u0410', L'\u044F', 0xC0); // the Russian alphabet
        table.push_back({L'\u2116', "\xB9"}); // the numero sign where 1252 has superscript 1
        break;
    case 932:
        range(L'\uFF61', L'\uFF9F', 0xA1); // half-width katakana
        table.push_back({L'\u65E5', "\x93\xFA"});
        table.push_back({L'\u672C', "\x96\x7B"});
        table.push_back({L'\u8868', "\x95\x5C"}); // its second byte is a backslash
        table.push_back({L'\uFF06', "\x81\x95"}); // the full-width ampersand is a letter of its own here
        break;
    }
    return table;
}

} // namespace

std::string FakeNameConversion::ToCodePage(std::wstring_view name, bool& exact) const {
    const auto table = Characters(codePage_);
    std::string text;
    exact = true;
    for (wchar_t c : name) {
        if (c < 0x80) {
            text += static_cast<char>(c);
            continue;
        }
        std::string bytes = "?";
        for (const auto& [character, form] : table)
            if (character == c)
                bytes = form;
        exact = exact && bytes != "?";
        text += bytes;
    }
    return text;
}

std::wstring FakeNameConversion::FromCodePage(std::string_view text) const {
    const auto table = Characters(codePage_);
    std::wstring wide;
    for (std::size_t i = 0; i < text.size();) {
        const bool lead = codePage_ == 932 && ShiftJisLeadByte(static_cast<unsigned char>(text[i])) &&
                          i + 1 < text.size();
        const std::string bytes(text.substr(i, lead ? 2 : 1));
        i += bytes.size();
        wchar_t c = static_cast<unsigned char>(bytes[0]) < 0x80 ? static_cast<wchar_t>(bytes[0]) : L'\uFFFD';
        for (const auto& [character, form] : table)
            if (form == bytes)
                c = character;
        wide += c;
    }
    return wide;
}

std::wstring FakeNameConversion::ShortName(const std::wstring& path) const {
    const auto found = shortNames.find(path);
    return found == shortNames.end() ? std::wstring() : found->second;
}

} // namespace korva::fakes
