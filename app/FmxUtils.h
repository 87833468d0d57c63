// Starting a program through the shell.
#pragma once

#include "platform/Shell.h"

#include <string>

namespace korva {

// SW_SHOW: activates the window and shows it at its current size and place.
inline constexpr int kSwShow = 5;

// Asks the shell to start file with parameters in folder, shown as showCommand says, and returns at once
// with the shell's result (above 32: started). The texts are passed whole, whatever their length.
int LaunchFile(Shell& shell, const std::string& file, const std::string& parameters, const std::string& folder,
               int showCommand);

} // namespace korva
