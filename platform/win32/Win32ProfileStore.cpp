// Private profile files.
#include "platform/win32/Win32ProfileStore.h"

#include "platform/PathText.h"
#include "platform/win32/Win32FolderSystem.h"

#include <windows.h>

#include <vector>

namespace korva::win32 {

std::string ProgramFolder() {
    std::vector<char> path(MAX_PATH);
    for (;;) {
        const DWORD length = ::GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0)
            return {};
        if (length < path.size()) {
            const std::string full(path.data(), length);
            return FolderPart(full, SystemLeadBytes());
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
