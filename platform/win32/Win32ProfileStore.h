// The settings file through GetPrivateProfileStringA and WritePrivateProfileStringA.
#pragma once

#include "platform/ProfileStore.h"

namespace korva::win32 {

// The folder that holds the running program's executable, ending in a backslash; nothing when its name
// cannot be used (see platform/SystemNames.h).
std::optional<std::string> ProgramFolder();

class Win32ProfileStore final : public ProfileStore {
public:
    // ProgramFolder answers folder when one is given (tests point the settings elsewhere), else the
    // program's own folder.
    explicit Win32ProfileStore(std::string folder = {}) : folder_(std::move(folder)) {}

    std::optional<std::string> ProgramFolder() override {
        return folder_.empty() ? win32::ProgramFolder() : folder_;
    }
    std::string Read(const std::string& file, const std::string& section, const std::string& key,
                     const std::string& fallback) override;
    bool Write(const std::string& file, const std::string& section, const std::string& key,
               const std::string& value) override;

private:
    std::string folder_;
};

} // namespace korva::win32
