// The map path's own rules: which files can be compiled and the map name the game knows a map by. The
// path pieces they rest on are in platform/PathText.h.
#pragma once

#include "platform/PathText.h"

#include <string>

namespace korva {

// Whether the path names a map file: its extension is exactly ".map" (".MAP" is refused).
bool IsMapFile(const std::string& path, LeadByteTest isLeadByte);

// The name the game and the compiled files use: the file-name part, with a final ".map" extension
// (exact lower case) cut off. "castle.map" gives castle, "de.mapper.map" gives de.mapper, and
// "CASTLE.MAP" or "No map selected" stay whole.
std::string MapNameOf(const std::string& mapPath, LeadByteTest isLeadByte);

} // namespace korva
