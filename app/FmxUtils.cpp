// Starting a program through the shell.
#include "app/FmxUtils.h"

namespace korva {

int LaunchFile(Shell& shell, const std::string& file, const std::string& parameters, const std::string& folder,
               int showCommand) {
    return shell.Execute(file, parameters, folder, showCommand);
}

} // namespace korva
