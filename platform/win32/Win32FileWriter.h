// Writing files with CreateFileA/WriteFile, reporting the system's error codes.
#pragma once

#include "platform/FileWriter.h"

namespace korva::win32 {

class Win32FileWriter final : public FileWriter {
public:
    std::unique_ptr<OutputFile> Create(const std::string& path) override;
};

} // namespace korva::win32
