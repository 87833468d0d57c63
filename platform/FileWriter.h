// Writing a text file with the system's own error codes, as the batch script needs them.
#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace korva {

// An open output file. Write and Close return 0 on success, else the system's error code
// (for example 112 for a full disk on Windows). The destructor closes a file not yet closed.
class OutputFile {
public:
    virtual ~OutputFile() = default;
    virtual int Write(std::string_view bytes) = 0;
    virtual int Close() = 0;
};

class FileWriter {
public:
    virtual ~FileWriter() = default;
    // Creates the file or empties an existing one. Null when it cannot be created (missing folder,
    // no access, invalid name, a folder of that name, the file held open by another program).
    virtual std::unique_ptr<OutputFile> Create(const std::string& path) = 0;
};

} // namespace korva
