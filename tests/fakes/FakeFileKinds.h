// File kinds for tests: what each path is, as set up by the test; Unknown for any other.
#pragma once

#include "platform/FileKinds.h"

#include <map>
#include <string>
#include <vector>

namespace korva::fakes {

class FakeFileKinds : public FileKinds {
public:
    FileKind KindOf(const std::string& path) override {
        asked.push_back(path);
        const auto found = kinds.find(path);
        return found == kinds.end() ? FileKind::Unknown : found->second;
    }

    std::map<std::string, FileKind> kinds;
    std::vector<std::string> asked; // every path looked at, in order
};

} // namespace korva::fakes
