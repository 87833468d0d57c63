// The file system for the folder scanner on Windows: logical drives and their types, FindFirstFileW
// listings, packed local file times and the system code page's lead bytes.
#pragma once

#include "platform/FolderSystem.h"

#include <windows.h>

namespace korva::win32 {

class Win32FolderSystem final : public FolderSystem {
public:
    std::uint32_t LogicalDrives() override;
    unsigned DriveType(const std::string& root) override;
    // The listing holds the find handle and closes it when destroyed. Null when FindFirstFileW fails
    // for any reason (no such folder, no access, no medium, sharing violation) or the folder holds no
    // entry whose name can be used. Entries pass the rule of platform/SystemNames.h: a name that does
    // not convert exactly is a folder's short name, or the entry is passed over.
    std::unique_ptr<FolderListing> OpenListing(const std::string& pattern) override;
    LeadByteTest LeadBytes() const override;
};

// The system code page's lead-byte test (IsDBCSLeadByte); null where the code page has one byte a
// character. Everything that joins or cuts a path of the system's code page uses this one.
LeadByteTest SystemLeadBytes();

// The last-write time of a find result in local time, MS-DOS packed (date high, time low); 0 when
// it lies outside the years the packed form holds (1980 to 2107).
std::uint32_t PackedLocalTime(const FILETIME& utc);

} // namespace korva::win32
