// In-memory settings file.
#include "fakes/FakeProfileStore.h"

#include <algorithm>

namespace korva::fakes {
namespace {

bool SameName(const std::string& a, const std::string& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
        return lower(x) == lower(y);
    });
}

} // namespace

std::string FakeProfileStore::Read(const std::string& file, const std::string& section, const std::string& key,
                                   const std::string& fallback) {
    filesRead.push_back(file);
    for (const auto& s : sections)
        if (SameName(s.name, section))
            for (const auto& [k, v] : s.keys)
                if (SameName(k, key))
                    return v.substr(0, 1023);
    return fallback;
}

bool FakeProfileStore::Write(const std::string&, const std::string& section, const std::string& key,
                             const std::string& value) {
    ++writes;
    if (failWriteNumber && writes >= failWriteNumber)
        return false;
    auto s = std::find_if(sections.begin(), sections.end(), [&](const Section& x) { return SameName(x.name, section); });
    if (s == sections.end())
        s = sections.insert(sections.end(), Section{section, {}});
    for (auto& [k, v] : s->keys)
        if (SameName(k, key)) {
            v = value;
            return true;
        }
    s->keys.emplace_back(key, value);
    return true;
}

std::string FakeProfileStore::Text() const {
    std::string text;
    for (const auto& s : sections) {
        text += "[" + s.name + "]\r\n";
        for (const auto& [k, v] : s.keys)
            text += k + "=" + v + "\r\n";
    }
    return text;
}

} // namespace korva::fakes
