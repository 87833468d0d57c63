// Starting programs through ShellExecuteA.
#pragma once

#include "platform/Shell.h"

#include <windows.h>

namespace korva::win32 {

class Win32Shell final : public Shell {
public:
    // The owner window of started programs: the application's main window, set once it exists.
    void SetOwner(HWND owner) { owner_ = owner; }
    int Execute(const std::string& file, const std::string& parameters, const std::string& folder,
                int showCommand) override;
    bool OnSearchPath(const std::string& program) override;
    std::optional<std::string> ConsoleText(const std::string& text) override;

private:
    HWND owner_ = nullptr;
};

} // namespace korva::win32
