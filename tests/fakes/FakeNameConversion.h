// The system's side of the rule for names, for tests: the conversions of a code page (1252 Western, 1251
// Cyrillic, or 932 Japanese, a double-byte one), for the characters the tests use, and the short names
// a volume keeps.
#pragma once

#include "platform/SystemNames.h"

#include <map>
#include <string>

namespace korva::fakes {

class FakeNameConversion : public NameConversion {
public:
    explicit FakeNameConversion(int codePage = 1252) : codePage_(codePage) {}

    // Each character the code page lacks is written as "?".
    std::string ToCodePage(std::wstring_view name, bool& exact) const override;
    std::wstring FromCodePage(std::string_view text) const override;
    std::wstring ShortName(const std::wstring& path) const override;

    std::map<std::wstring, std::wstring> shortNames; // a path's short last part, by the path

private:
    int codePage_;
};

} // namespace korva::fakes
