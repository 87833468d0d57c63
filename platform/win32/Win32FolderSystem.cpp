// Drives and folder listings. Listings are read in UTF-16 and each entry's name goes through the rule for
// names from the system: an entry that cannot be used is passed over, as if the folder did not hold it.
#include "platform/win32/Win32FolderSystem.h"

#include "platform/win32/Handles.h"
#include "platform/win32/Win32Names.h"

namespace korva::win32 {
namespace {

class FindListing final : public FolderListing {
public:
    FindListing(FindHandle handle, const WIN32_FIND_DATAW& first)
        : handle_(std::move(handle)), data_(first) {}

    // The first usable entry, from the one FindFirstFileW gave on; false when there is none.
    bool Start() { return Usable() || Next(); }

    FolderEntry Entry() const override {
        return {name_, data_.dwFileAttributes,
                (std::uint64_t{data_.nFileSizeHigh} << 32) | data_.nFileSizeLow};
    }
    std::uint32_t EntryTime() const override { return PackedLocalTime(data_.ftLastWriteTime); }
    bool Next() override {
        while (::FindNextFileW(handle_.Get(), &data_))
            if (Usable())
                return true;
        return false;
    }

private:
    bool Usable() {
        const bool folder = (data_.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        std::optional<std::string> name =
            GateEntry(data_.cFileName, data_.cAlternateFileName, folder, SystemNameConversion());
        if (!name)
            return false;
        name_ = std::move(*name);
        return true;
    }

    FindHandle handle_;
    WIN32_FIND_DATAW data_;
    std::string name_; // the entry's name in the system code page
};

bool IsLeadByte(unsigned char c) { return ::IsDBCSLeadByte(c) != FALSE; }

} // namespace

std::uint32_t PackedLocalTime(const FILETIME& utc) {
    FILETIME local;
    WORD date = 0;
    WORD time = 0;
    if (!::FileTimeToLocalFileTime(&utc, &local) || !::FileTimeToDosDateTime(&local, &date, &time))
        return 0;
    return (std::uint32_t{date} << 16) | time;
}

std::uint32_t Win32FolderSystem::LogicalDrives() { return ::GetLogicalDrives(); }

unsigned Win32FolderSystem::DriveType(const std::string& root) { return ::GetDriveTypeA(root.c_str()); }

std::unique_ptr<FolderListing> Win32FolderSystem::OpenListing(const std::string& pattern) {
    WIN32_FIND_DATAW data;
    FindHandle handle(::FindFirstFileW(WideText(pattern).c_str(), &data));
    if (!handle)
        return nullptr;
    auto listing = std::make_unique<FindListing>(std::move(handle), data);
    if (!listing->Start())
        return nullptr;
    return listing;
}

LeadByteTest Win32FolderSystem::LeadBytes() const { return SystemLeadBytes(); }

LeadByteTest SystemLeadBytes() {
    // Only double-byte code pages have lead bytes; elsewhere the plain test is quicker.
    CPINFO info;
    if (!::GetCPInfo(CP_ACP, &info) || info.MaxCharSize < 2)
        return nullptr;
    return IsLeadByte;
}

} // namespace korva::win32
