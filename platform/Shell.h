// Starting outside programs through the shell, without waiting for them.
#pragma once

#include <optional>
#include <string>

namespace korva {

class Shell {
public:
    virtual ~Shell() = default;
    // Asks the shell to start a program (looked up on the search path when given by bare name) with the
    // parameters, in the working folder, with the show command. The implementation names the window that
    // the shell's own messages belong to (the Win32 one is told the main window with SetOwner).
    // Returns the shell's result unchanged: above 32 means started, 32 or below is the reason it was not.
    virtual int Execute(const std::string& file, const std::string& parameters, const std::string& folder,
                        int showCommand) = 0;
    // Whether the system's search path holds a program of that name.
    virtual bool OnSearchPath(const std::string& program) = 0;
    // A text of the system's code page as the command interpreter reads it from a batch script (in the
    // console's code page); nothing when a character has no form there.
    virtual std::optional<std::string> ConsoleText(const std::string& text) = 0;
};

// A short reason for a shell result of 32 or below ("the file was not found", ...).
std::string ShellFailureReason(int result);

} // namespace korva
