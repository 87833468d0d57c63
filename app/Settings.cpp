// Loading and saving KORVA.INI.
#include "app/Settings.h"

#include "platform/Error.h"
#include "platform/PathText.h"

#include <cstdint>

namespace korva {
namespace {

constexpr const char* kGeneral = "General";
constexpr const char* kFolders = "Folders";

int HexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Digits from pos to the end; false for none or a character that is no digit, or a value out of range.
bool ParseHex(const std::string& text, size_t pos, std::int64_t& value) {
    if (pos >= text.size())
        return false;
    value = 0;
    for (; pos < text.size(); ++pos) {
        const int digit = HexDigit(text[pos]);
        if (digit < 0)
            return false;
        value = value * 16 + digit;
        if (value > 0xFFFFFFFFLL)
            return false;
    }
    value = static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
    return true;
}

bool ParseDecimal(const std::string& text, size_t pos, std::int64_t& value) {
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-'))
        negative = text[pos++] == '-';
    if (pos >= text.size())
        return false;
    value = 0;
    for (; pos < text.size(); ++pos) {
        if (text[pos] < '0' || text[pos] > '9')
            return false;
        value = value * 10 + (text[pos] - '0');
        if (value > 2147483648LL)
            return false;
    }
    if (negative)
        value = -value;
    return value >= INT32_MIN && value <= INT32_MAX;
}

class SettingsWriter {
public:
    SettingsWriter(ProfileStore& store, std::string path) : store_(store), path_(std::move(path)) {}
    void Write(const char* section, const char* key, const std::string& value) {
        if (!store_.Write(path_, section, key, value))
            throw Error("Unable to write to " + path_);
    }

private:
    ProfileStore& store_;
    std::string path_;
};

} // namespace

int ParseStoredInteger(const std::string& text, int fallback) {
    size_t pos = text.find_first_not_of(' ');
    if (pos == std::string::npos)
        return fallback;
    std::int64_t value = 0;
    bool ok;
    if (text[pos] == '$')
        ok = ParseHex(text, pos + 1, value);
    else if (text.size() - pos > 2 && text[pos] == '0' && (text[pos + 1] == 'x' || text[pos + 1] == 'X'))
        ok = ParseHex(text, pos + 2, value);
    else
        ok = ParseDecimal(text, pos, value);
    return ok ? static_cast<int>(value) : fallback;
}

bool ParseStoredBoolean(const std::string& text, bool fallback) {
    return ParseStoredInteger(text, fallback ? 1 : 0) != 0;
}

std::optional<std::string> SettingsPath(ProfileStore& store) {
    const std::optional<std::string> folder = store.ProgramFolder();
    if (!folder)
        return std::nullopt;
    return *folder + kSettingsFileName;
}

LoadedSettings LoadSettings(ProfileStore& store) {
    LoadedSettings loaded;
    const std::optional<std::string> path = SettingsPath(store);
    if (!path) {
        loaded.kept = false;
        loaded.values.Dirs.HLPath = kNotFound;
        return loaded;
    }
    // A path written by hand, or pasted from another tool, may hold "/", which the command interpreter
    // reads as the start of a switch: it is kept with "\" alone, as every other way in keeps it.
    auto text = [&](const char* key) { return WithBackslashes(store.Read(*path, kFolders, key, kNotFound)); };

    loaded.values.Dirs.HLPath = text("GameDir");
    if (loaded.values.Dirs.HLPath == kNotFound)
        return loaded;
    loaded.configured = true;
    loaded.values.Dirs.ToolsPath = text("ToolsDir");
    loaded.values.Dirs.MapsPath = text("MapsDir");
    loaded.values.MapPath = text("MapName"); // written as "Mapname": names match without regard to case
    loaded.values.RunHL = ParseStoredBoolean(store.Read(*path, kGeneral, "RunHL", ""), false);
    loaded.values.ComMode = ParseStoredInteger(store.Read(*path, kGeneral, "ComMode", ""), 0);
    return loaded;
}

void SaveSettings(ProfileStore& store, const Settings& values) {
    std::optional<std::string> path = SettingsPath(store);
    if (!path)
        return; // the user was told at start-up that nothing is kept
    SettingsWriter out(store, std::move(*path));
    out.Write(kGeneral, "Version", "150");
    out.Write(kFolders, "GameDir", values.Dirs.HLPath);
    out.Write(kFolders, "ToolsDir", values.Dirs.ToolsPath);
    out.Write(kFolders, "MapsDir", values.Dirs.MapsPath);
    out.Write(kFolders, "Mapname", values.MapPath);
    out.Write(kGeneral, "RunHL", values.RunHL ? "1" : "0");
    out.Write(kGeneral, "ComMode", std::to_string(values.ComMode));
}

} // namespace korva
