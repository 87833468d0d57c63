// Opening a path only to look at it.
#include "platform/win32/Win32FileKinds.h"

#include "platform/win32/Handles.h"
#include "platform/win32/CodePageText.h"

namespace korva::win32 {

FileKind Win32FileKinds::KindOf(const std::string& path) {
    // No access rights: the file is neither read nor written, and nothing that others hold open stops
    // the look. Folders open only with backup semantics.
    const FileHandle file(::CreateFileW(WideText(path).c_str(), 0,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                        OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!file)
        return FileKind::Unknown;
    if (::GetFileType(file.Get()) != FILE_TYPE_DISK)
        return FileKind::Device;
    BY_HANDLE_FILE_INFORMATION info{};
    if (!::GetFileInformationByHandle(file.Get(), &info))
        return FileKind::DiskFile;
    return (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? FileKind::Folder : FileKind::DiskFile;
}

} // namespace korva::win32
