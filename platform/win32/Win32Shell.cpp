// ShellExecuteA and the search-path lookup.
#include "platform/win32/Win32Shell.h"

#include "platform/win32/SystemLibrary.h"

#include "platform/win32/CodePageText.h"

#include <shellapi.h>

#include <vector>

namespace korva::win32 {
namespace {

// Makes a folder this process's current one for its lifetime, then puts the previous one back. The
// previous one is kept in UTF-16 as the system gives it, so it comes back exactly whatever its name:
// an 8-bit copy of a name outside the code page would be another folder, or none.
class CurrentFolder {
public:
    explicit CurrentFolder(const std::string& folder) {
        const DWORD length = ::GetCurrentDirectoryW(0, nullptr);
        previous_.resize(length);
        if (length && ::GetCurrentDirectoryW(length, previous_.data()) < length)
            made_ = ::SetCurrentDirectoryW(WideText(folder).c_str()) != FALSE;
    }
    ~CurrentFolder() {
        if (made_)
            ::SetCurrentDirectoryW(previous_.data());
    }
    CurrentFolder(const CurrentFolder&) = delete;
    CurrentFolder& operator=(const CurrentFolder&) = delete;

    bool Made() const { return made_; }

private:
    std::vector<wchar_t> previous_;
    bool made_ = false;
};

} // namespace

int Win32Shell::Execute(const std::string& file, const std::string& parameters, const std::string& folder,
                        int showCommand) {
    // The shell replaces %NAME% in the working folder by the environment variable NAME, so a folder whose
    // name holds a % may turn into another. Such a folder is made current instead and passed as none: the
    // started program inherits it.
    std::string workingFolder = folder;
    std::optional<CurrentFolder> current;
    if (folder.find('%') != std::string::npos && current.emplace(folder).Made())
        workingFolder.clear();
    // The shell is loaded at the first start, and may use COM to start programs. A null operation
    // selects the default action ("open" for a program).
    UseCom();
    using Execute = HINSTANCE(WINAPI*)(HWND, const char*, const char*, const char*, const char*, INT);
    static const auto execute = RequiredFunction<Execute>("shell32.dll", "ShellExecuteA");
    HINSTANCE result = execute(owner_, nullptr, file.c_str(), parameters.c_str(), workingFolder.c_str(), showCommand);
    return static_cast<int>(reinterpret_cast<INT_PTR>(result));
}

bool Win32Shell::OnSearchPath(const std::string& program) {
    char found[MAX_PATH];
    return ::SearchPathA(nullptr, program.c_str(), nullptr, MAX_PATH, found, nullptr) != 0;
}

std::optional<std::string> Win32Shell::ConsoleText(const std::string& text) {
    const UINT console = ::GetOEMCP();
    if (::GetACP() == console || text.empty())
        return text;
    bool exact = true;
    std::string result = InCodePage(WideText(text), console, exact);
    if (!exact)
        return std::nullopt;
    return result;
}

} // namespace korva::win32
