// What a path names, asked of the opened file: CreateFileW without access rights, GetFileType and the
// file's attributes.
#pragma once

#include "platform/FileKinds.h"

namespace korva::win32 {

class Win32FileKinds final : public FileKinds {
public:
    FileKind KindOf(const std::string& path) override;
};

} // namespace korva::win32
