// A file created anew (or emptied) for writing; other programs may read it meanwhile.
#include "platform/win32/Win32FileWriter.h"

#include "platform/win32/Handles.h"

namespace korva::win32 {
namespace {

class Win32OutputFile final : public OutputFile {
public:
    explicit Win32OutputFile(FileHandle file) : file_(std::move(file)) {}

    int Write(std::string_view bytes) override {
        while (!bytes.empty()) {
            DWORD written = 0;
            if (!::WriteFile(file_.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr))
                return static_cast<int>(::GetLastError());
            if (written == 0)
                return ERROR_HANDLE_DISK_FULL;
            bytes.remove_prefix(written);
        }
        return 0;
    }

    int Close() override {
        if (!file_)
            return 0;
        const bool ok = ::CloseHandle(file_.Release());
        return ok ? 0 : static_cast<int>(::GetLastError());
    }

private:
    FileHandle file_;
};

} // namespace

std::unique_ptr<OutputFile> Win32FileWriter::Create(const std::string& path) {
    FileHandle file(::CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return nullptr;
    return std::make_unique<Win32OutputFile>(std::move(file));
}

} // namespace korva::win32
