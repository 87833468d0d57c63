// Pieces of a map path: its file name, its folder, its extension and the map name the game knows it by.
// Paths are Windows paths: a backslash or a colon ends the folder part.
#pragma once

#include <string>

namespace korva {

// The text after the last backslash or colon; the whole text when it holds neither.
std::string FileNamePart(const std::string& path);

// The text up to and including the last backslash or colon; empty when it holds neither.
std::string FolderPart(const std::string& path);

// The text from the last full stop to the end, when no backslash or colon stands after that full stop;
// otherwise empty. "C:\maps.old\room" has no extension.
std::string ExtensionOf(const std::string& path);

// Whether the path names a map file: its extension is exactly ".map" (".MAP" is refused).
bool IsMapFile(const std::string& path);

// The name the game and the compiled files use: the file-name part, with a final ".map" extension
// (exact lower case) cut off. "castle.map" gives castle, "de.mapper.map" gives de.mapper, and
// "CASTLE.MAP" or "No map selected" stay whole.
std::string MapNameOf(const std::string& mapPath);

} // namespace korva
