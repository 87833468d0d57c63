// What a path names on the system, for the checks on a map the user chooses or drops: a file on a disk,
// a folder, or something that opens as neither (a device, a pipe). The Win32 implementation sits in
// platform/win32; tests use a fake.
#pragma once

#include <string>

namespace korva {

enum class FileKind {
    Unknown,  // nothing of that name could be opened: the system cannot tell
    DiskFile, // a file on a disk
    Folder,
    Device, // opens as something other than a disk file: the console, a port, the null device, a pipe
};

class FileKinds {
public:
    virtual ~FileKinds() = default;
    // Opens the path without reading or writing it and says what it is. Never fails: Unknown is the
    // answer where the system says nothing.
    virtual FileKind KindOf(const std::string& path) = 0;
};

} // namespace korva
