// The file system as the folder scanner sees it: which drives exist and of what type, and the listing
// of one folder's entries. The Win32 implementation sits in platform/win32; tests use an in-memory one.
#pragma once

#include "platform/PathText.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace korva {

// Attribute bits as the file system reports them.
inline constexpr std::uint32_t kAttrReadOnly = 0x1;
inline constexpr std::uint32_t kAttrHidden = 0x2;
inline constexpr std::uint32_t kAttrSystem = 0x4;
inline constexpr std::uint32_t kAttrDirectory = 0x10;
inline constexpr std::uint32_t kAttrArchive = 0x20;
inline constexpr std::uint32_t kAttrReparsePoint = 0x400; // a junction or symbolic link

// Drive type codes, as the system numbers them.
enum DriveTypeCode : unsigned {
    dtUnknown = 0,
    dtNoRootDir = 1,
    dtRemovable = 2,
    dtFixed = 3,
    dtRemote = 4,
    dtCdRom = 5,
    dtRamDisk = 6,
};

// One entry of a folder listing. Name points into the listing and stays valid until the listing
// moves on to the next entry or is closed.
struct FolderEntry {
    std::string_view Name;
    std::uint32_t Attr = 0;
    std::uint64_t Size = 0;
};

// An open listing of one folder's entries, in the order the file system gives them ("." and ".."
// included where the system lists them). Destroying it closes the listing.
class FolderListing {
public:
    virtual ~FolderListing() = default;
    // The entry at hand: the first one right after opening, then the one the last Next fetched.
    // Only valid while the last fetch succeeded.
    virtual FolderEntry Entry() const = 0;
    // The last-write time of the entry at hand, in local time, packed as MS-DOS does it: date in the
    // high 16 bits, time of day in the low 16. 0 when the time cannot be put in that form.
    virtual std::uint32_t EntryTime() const = 0;
    // Fetches the next entry; false when there is none (or the listing failed), and then Entry is void.
    virtual bool Next() = 0;
};

class FolderSystem {
public:
    virtual ~FolderSystem() = default;
    // The existing drives: bit 0 is A, bit 25 is Z.
    virtual std::uint32_t LogicalDrives() = 0;
    // The type of the drive whose root folder is given (such as "c:\"), a DriveTypeCode.
    virtual unsigned DriveType(const std::string& root) = 0;
    // Opens a listing for a pattern such as "C:\Tools\*.*", with its first entry at hand. Null when the
    // folder is missing, cannot be read or holds no entry at all; nothing is reported beyond that.
    virtual std::unique_ptr<FolderListing> OpenListing(const std::string& pattern) = 0;
    // The code page's lead-byte test for joining and cutting paths; null where every byte is one character.
    virtual LeadByteTest LeadBytes() const { return nullptr; }
};

} // namespace korva
