// Private profile files.
#include "platform/win32/Win32ProfileStore.h"

#include "platform/win32/Win32Names.h"

#include <windows.h>

#include <vector>

namespace korva::win32 {

std::optional<std::string> ProgramFolder() {
    std::vector<wchar_t> path(MAX_PATH);
    for (;;) {
        const DWORD length = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0)
            return std::nullopt;
        if (length < path.size()) {
            // Only the folder is used, so the program's own name does not have to convert.
            std::wstring folder(path.data(), length);
            folder.erase(folder.find_last_of(L"\\/:") + 1);
            return SystemPath(folder, NameKind::Folder);
        }
        path.resize(path.size() * 2);
    }
}

std::string Win32ProfileStore::Read(const std::string& file, const std::string& section, const std::string& key,
                                    const std::string& fallback) {
    char value[1024] = {}; // a value is cut to its first 1023 characters
    const DWORD length = ::GetPrivateProfileStringA(section.c_str(), key.c_str(), fallback.c_str(), value,
                                                    sizeof value, file.c_str());
    return std::string(value, length);
}

bool Win32ProfileStore::Write(const std::string& file, const std::string& section, const std::string& key,
                              const std::string& value) {
    return ::WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), file.c_str()) != FALSE;
}

} // namespace korva::win32
