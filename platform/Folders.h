// The three folders the compile front end works with. One value: the main window owns it for the whole
// run, the settings file keeps it between runs, Compile reads it, and the configuration dialog shows it
// and hands back what the user made of it.
#pragma once

#include <string>

namespace korva {

// Folder paths as texts. The folders the program builds (from the registry, from a found or chosen file)
// end in a backslash; a folder typed by the user or a placeholder ("Not Found", "Folder not found") is
// kept as it stands. Users join a folder to what follows with nothing in between.
struct Folders {
    std::string HLPath;    // the game's folder
    std::string ToolsPath; // the compile tools' folder
    std::string MapsPath;  // the default maps folder

    bool operator==(const Folders&) const = default;
};

} // namespace korva
