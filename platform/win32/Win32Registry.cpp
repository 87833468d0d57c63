// Reading installation entries with RegOpenKeyExA and RegQueryValueExA.
#include "platform/win32/Win32Registry.h"

#include "platform/Error.h"
#include "platform/win32/Handles.h"

#include <vector>

namespace korva::win32 {
namespace {

class Win32KeyReader final : public RegistryKeyReader {
public:
    explicit Win32KeyReader(RegistryKey key) : key_(std::move(key)) {}

    std::string ReadString(const std::string& name) override {
        // The size first: a missing value (or one that cannot be looked at) reads as empty text.
        DWORD type = REG_NONE;
        DWORD size = 0;
        if (::RegQueryValueExA(key_.Get(), name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
            return {};
        if (type != REG_SZ && type != REG_EXPAND_SZ)
            throw Error("Invalid data type for '" + name + "'");
        if (size == 0)
            return {};
        // One byte more than stored, so text saved without its closing NUL still ends in one.
        std::vector<char> data(static_cast<size_t>(size) + 1, '\0');
        DWORD got = size;
        if (::RegQueryValueExA(key_.Get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data.data()),
                               &got) != ERROR_SUCCESS)
            throw Error("Failed to get data for '" + name + "'");
        // The value may have been replaced between the two reads.
        if (type != REG_SZ && type != REG_EXPAND_SZ)
            throw Error("Invalid data type for '" + name + "'");
        return std::string(data.data()); // up to the first NUL
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
