// Reading installation entries from the system registry: the keys that installers write under
// HKEY_LOCAL_MACHINE and their text values. The Win32 implementation sits in platform/win32; tests use an
// in-memory one.
#pragma once

#include <memory>
#include <optional>
#include <string>

namespace korva {

// One open key. Destroying it closes the key, on every way out.
class RegistryKeyReader {
public:
    virtual ~RegistryKeyReader() = default;
    // The text of a value of this key that names a folder: a string or an expandable string (taken as
    // stored, not expanded), ending at its first NUL character. A missing value reads as empty text.
    // Nothing when the folder's name cannot be used in the system code page (see
    // platform/SystemNames.h): a part that does not convert exactly is the folder's short name, and
    // where that is missing too the value counts as not there at all.
    // Throws Error "Invalid data type for '<name>'" for a value of any other type, and
    // "Failed to get data for '<name>'" when its data cannot be read after its size was.
    virtual std::optional<std::string> ReadString(const std::string& name) = 0;
};

class Registry {
public:
    virtual ~Registry() = default;
    // Opens an existing key below HKEY_LOCAL_MACHINE for reading, given as "\Software\...". Installers
    // of 32-bit programs write their keys in the 32-bit view of the registry, so that view is read
    // whatever the program's own width. Null when the key is missing or cannot be opened for reading;
    // nothing is created.
    virtual std::unique_ptr<RegistryKeyReader> OpenKey(const std::string& path) = 0;
};

} // namespace korva
