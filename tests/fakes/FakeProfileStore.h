// A settings file in memory: sections and keys in the order first written, names matched without regard
// to case, values cut to 1023 characters on reading, and a write that fails on request.
#pragma once

#include "platform/ProfileStore.h"

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace korva::fakes {

class FakeProfileStore : public ProfileStore {
public:
    std::optional<std::string> ProgramFolder() override {
        ++folderLookups;
        return folder;
    }
    std::string Read(const std::string& file, const std::string& section, const std::string& key,
                     const std::string& fallback) override;
    bool Write(const std::string& file, const std::string& section, const std::string& key,
               const std::string& value) override;

    // The file as the profile functions would lay it out: "[Section]" lines and "key=value" lines.
    std::string Text() const;
    bool Empty() const { return sections.empty(); }

    struct Section {
        std::string name;
        std::vector<std::pair<std::string, std::string>> keys;
    };
    std::vector<Section> sections;
    std::optional<std::string> folder = "C:\\KORVA\\"; // nullopt: a folder the code page cannot name
    int folderLookups = 0;
    int failWriteNumber = 0; // 1-based write that fails and every one after it (0: none)
    int writes = 0;
    std::vector<std::string> filesRead; // the file named by each read
};

} // namespace korva::fakes
