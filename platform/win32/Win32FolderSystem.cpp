// Drives and folder listings through the ANSI file functions.
#include "platform/win32/Win32FolderSystem.h"

#include "platform/win32/Handles.h"

namespace korva::win32 {
namespace {

class FindListing final : public FolderListing {
public:
    FindListing(FindHandle handle, const WIN32_FIND_DATAA& first) : handle_(std::move(handle)), data_(first) {}

    FolderEntry Entry() const override {
        return {data_.cFileName, data_.dwFileAttributes,
                (std::uint64_t{data_.nFileSizeHigh} << 32) | data_.nFileSizeLow};
    }
    std::uint32_t EntryTime() const override { return PackedLocalTime(data_.ftLastWriteTime); }
    bool Next() override { return ::FindNextFileA(handle_.Get(), &data_) != FALSE; }

private:
    FindHandle handle_;
    WIN32_FIND_DATAA data_;
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
    WIN32_FIND_DATAA data;
    FindHandle handle(::FindFirstFileA(pattern.c_str(), &data));
    if (!handle)
        return nullptr;
    return std::make_unique<FindListing>(std::move(handle), data);
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
