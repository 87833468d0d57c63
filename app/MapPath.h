// The map path's own rules: which files can be compiled and the map name the game knows a map by. The
// path pieces they rest on are in platform/PathText.h.
#pragma once

#include "platform/FileKinds.h"
#include "platform/PathText.h"

#include <optional>
#include <string>

namespace korva {

// Whether the path names a map file: its extension is exactly ".map" (".MAP" is refused).
bool IsMapFile(const std::string& path, LeadByteTest isLeadByte);

// The name the game and the compiled files use: the file-name part, with a final ".map" extension
// (exact lower case) cut off. "castle.map" gives castle, "de.mapper.map" gives de.mapper, and
// "CASTLE.MAP" or "No map selected" stay whole.
std::string MapNameOf(const std::string& mapPath, LeadByteTest isLeadByte);

// Why a file chosen or dropped as the map cannot be used, or nothing when it can: the path opens as a
// folder or as something other than a disk file (looked at through kinds). The path has passed the rule
// for names (platform/SystemNames.h), so no part of it is a device's name and opening it touches no
// device. The ".map" test is not made here.
std::optional<std::string> MapFileRefusal(const std::string& path, FileKinds& kinds);

} // namespace korva
