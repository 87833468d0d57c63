// The registry reader on Windows: keys under HKEY_LOCAL_MACHINE opened for reading in the 32-bit view,
// and their string values read as stored.
#pragma once

#include "platform/Registry.h"

namespace korva::win32 {

class Win32Registry final : public Registry {
public:
    // RegOpenKeyExA with KEY_READ | KEY_WOW64_32KEY: a normal user may not open these keys with full
    // access, and the installers, 32-bit programs, write them in the 32-bit view. Null on any failure.
    std::unique_ptr<RegistryKeyReader> OpenKey(const std::string& path) override;
};

} // namespace korva::win32
