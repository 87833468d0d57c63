// KORVA.INI: the folders, the last map, the "Run Half-Life when done" choice and the compile mode, kept
// from one run to the next. Loaded once when the main window is created, saved once when it goes.
#pragma once

#include "platform/Folders.h"
#include "platform/ProfileStore.h"

#include <optional>
#include <string>

namespace korva {

inline constexpr const char* kSettingsFileName = "KORVA.INI";
inline constexpr const char* kNotFound = "Not Found";
inline constexpr const char* kSettingsNotKeptMessage =
    "KORVA cannot keep its settings: the name of the folder that holds korva.exe has characters that the "
    "system's code page does not have, so KORVA.INI cannot be found there. KORVA now runs without reading or "
    "writing it. To keep your settings, move korva.exe into a folder whose name has none of them.";
inline constexpr const char* kConfigureMessage =
    "Please configure KORVA by pressing the \"Configuration\" button, and then pressing \"Scan\" in the "
    "configuration screen.";

// The values the settings file holds.
struct Settings {
    Folders Dirs; // GameDir, ToolsDir and MapsDir in the file
    std::string MapPath;
    bool RunHL = false;
    int ComMode = 0;
};

// What a load found. When the game folder is missing (or holds exactly "Not Found") the program counts
// as not configured: the game folder is "Not Found" and nothing else was read (the other texts empty, RunHL
// false, ComMode 0). Otherwise missing texts read "Not Found", and RunHL and ComMode their defaults.
// Where the program's folder cannot be named, nothing is read and kept is false.
struct LoadedSettings {
    bool configured = false;
    bool kept = true; // false: there is no settings file to read or write in this run
    Settings values;
};

// KORVA.INI in the program's own folder; nothing when that folder cannot be named (see ProfileStore).
std::optional<std::string> SettingsPath(ProfileStore& store);

LoadedSettings LoadSettings(ProfileStore& store);

// Writes the seven values in this order: Version=150, GameDir, ToolsDir, MapsDir, Mapname, RunHL, ComMode.
// The first write that fails ends the save with Error "Unable to write to <full path>"; the values
// written before it stay. Writes nothing where the program's folder cannot be named.
void SaveSettings(ProfileStore& store, const Settings& values);

// A stored integer: optional leading blanks, then an optional sign and decimal digits, or "$" and
// hexadecimal digits, or (texts longer than two characters) "0x"/"0X" and hexadecimal digits; it must
// fit 32 bits (hexadecimal up to 8 digits, taken as the bits of a signed value). Anything else gives
// the fallback.
int ParseStoredInteger(const std::string& text, int fallback);

// A stored boolean: read as an integer with the fallback 1 or 0; any value but 0 is true.
bool ParseStoredBoolean(const std::string& text, bool fallback);

} // namespace korva
