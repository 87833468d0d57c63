// Files in memory, with failures on request: creation, the n-th write, or the close.
#pragma once

#include "platform/FileWriter.h"

#include <map>
#include <set>
#include <string>

namespace korva::fakes {

class FakeFileWriter : public FileWriter {
public:
    std::unique_ptr<OutputFile> Create(const std::string& path) override;

    std::map<std::string, std::string> files; // path -> content as written so far
    std::set<std::string> uncreatable;        // paths whose creation fails
    int failWriteNumber = 0;                  // 1-based write that fails (0: none)
    int failWriteCode = 0;
    int failCloseCode = 0;                    // the close fails with this code (0: succeeds)
    int opened = 0;
    int closed = 0;
};

} // namespace korva::fakes
