// Private profile (INI) files: reading a value with a default and writing one. Section and key names
// match without regard to case. Also where the program's own files live.
#pragma once

#include <optional>
#include <string>

namespace korva {

class ProfileStore {
public:
    virtual ~ProfileStore() = default;
    // The folder that holds the program's executable, ending in a backslash, worked out on each call.
    // Nothing when it cannot be found or its name cannot be used in the system code page (see
    // platform/SystemNames.h): the program then keeps no settings file.
    virtual std::optional<std::string> ProgramFolder() = 0;
    // The value of key in section of file, at most 1023 characters (a longer value is cut); fallback
    // when the file, the section or the key does not exist. An empty value reads as empty. Never fails.
    virtual std::string Read(const std::string& file, const std::string& section, const std::string& key,
                             const std::string& fallback) = 0;
    // Stores the value, creating the file, the section and the key as needed. False when it cannot.
    virtual bool Write(const std::string& file, const std::string& section, const std::string& key,
                       const std::string& value) = 0;
};

} // namespace korva
