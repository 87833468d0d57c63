// ShellExecuteA and the search-path lookup.
#include "platform/win32/Win32Shell.h"

#include <shellapi.h>

namespace korva::win32 {

int Win32Shell::Execute(const std::string& file, const std::string& parameters, const std::string& folder,
                        int showCommand) {
    // A null operation selects the default action ("open" for a program).
    HINSTANCE result = ::ShellExecuteA(owner_, nullptr, file.c_str(), parameters.c_str(), folder.c_str(),
                                       showCommand);
    return static_cast<int>(reinterpret_cast<INT_PTR>(result));
}

bool Win32Shell::OnSearchPath(const std::string& program) {
    char found[MAX_PATH];
    return ::SearchPathA(nullptr, program.c_str(), nullptr, MAX_PATH, found, nullptr) != 0;
}

} // namespace korva::win32
