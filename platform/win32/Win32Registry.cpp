// Reading installation entries with RegOpenKeyExA and RegQueryValueExW.
#include "platform/win32/Win32Registry.h"

#include "platform/Error.h"
#include "platform/win32/Handles.h"
#include "platform/win32/Win32Names.h"

#include <vector>

namespace korva::win32 {
namespace {

class Win32KeyReader final : public RegistryKeyReader {
public:
    explicit Win32KeyReader(RegistryKey key) : key_(std::move(key)) {}

    std::optional<std::string> ReadString(const std::string& name) override {
        // Read in UTF-16, so that the folder's name reaches the rule for names as the system holds it.
        const std::wstring wideName = WideText(name);
        // The size first: a missing value (or one that cannot be looked at) reads as empty text.
        DWORD type = REG_NONE;
        DWORD size = 0;
        if (::RegQueryValueExW(key_.Get(), wideName.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
            return std::string();
        if (type != REG_SZ && type != REG_EXPAND_SZ)
            throw Error("Invalid data type for '" + name + "'");
        if (size == 0)
            return std::string();
        // One character more than stored, so text saved without its closing NUL (or with an odd number
        // of bytes) still ends in one.
        std::vector<wchar_t> data(size / sizeof(wchar_t) + 2, L'\0');
        DWORD got = size;
        if (::RegQueryValueExW(key_.Get(), wideName.c_str(), nullptr, &type,
                               reinterpret_cast<BYTE*>(data.data()), &got) != ERROR_SUCCESS)
            throw Error("Failed to get data for '" + name + "'");
        // The value may have been replaced between the two reads.
        if (type != REG_SZ && type != REG_EXPAND_SZ)
            throw Error("Invalid data type for '" + name + "'");
        return SystemPath(std::wstring(data.data()), NameKind::Folder); // up to the first NUL
    }

private:
    RegistryKey key_;
};

} // namespace

std::unique_ptr<RegistryKeyReader> Win32Registry::OpenKey(const std::string& path) {
    const std::string subKey = !path.empty() && path.front() == '\\' ? path.substr(1) : path;
    HKEY key = nullptr;
    if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, subKey.c_str(), 0, KEY_READ | KEY_WOW64_32KEY, &key) != ERROR_SUCCESS)
        return nullptr;
    RegistryKey owned(key); // closed on every way out from here
    return std::make_unique<Win32KeyReader>(std::move(owned));
}

} // namespace korva::win32
