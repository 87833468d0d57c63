// Path pieces, walked a character at a time.
#include "platform/PathText.h"

namespace korva {
namespace {

constexpr std::string_view kFolderEnds = "\\:";

char AsciiUpper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

} // namespace

std::size_t LastCharacterOf(std::string_view text, std::string_view chars, LeadByteTest isLeadByte) {
    std::size_t found = std::string_view::npos;
    std::size_t i = 0;
    while (i < text.size()) {
        const bool lead = isLeadByte && isLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size();
        if (!lead && chars.find(text[i]) != std::string_view::npos)
            found = i;
        i += lead ? 2 : 1;
    }
    return found;
}

bool EndsWithCharacterOf(std::string_view text, std::string_view chars, LeadByteTest isLeadByte) {
    return !text.empty() && LastCharacterOf(text, chars, isLeadByte) == text.size() - 1;
}

std::string FileNamePart(std::string_view path, LeadByteTest isLeadByte) {
    const std::size_t end = LastCharacterOf(path, kFolderEnds, isLeadByte);
    return std::string(end == std::string_view::npos ? path : path.substr(end + 1));
}

std::string FolderPart(std::string_view path, LeadByteTest isLeadByte) {
    const std::size_t end = LastCharacterOf(path, kFolderEnds, isLeadByte);
    return end == std::string_view::npos ? std::string() : std::string(path.substr(0, end + 1));
}

std::size_t FirstForbiddenPathCharacter(std::string_view path, LeadByteTest isLeadByte) {
    constexpr std::string_view kForbidden = "\"<>|*?";
    std::size_t i = 0;
    while (i < path.size()) {
        const auto c = static_cast<unsigned char>(path[i]);
        const bool lead = isLeadByte && isLeadByte(c) && i + 1 < path.size();
        if (!lead && (c < 32 || kForbidden.find(path[i]) != std::string_view::npos))
            return i;
        i += lead ? 2 : 1;
    }
    return std::string_view::npos;
}

std::string ExtensionOf(std::string_view path, LeadByteTest isLeadByte) {
    const std::size_t dot = LastCharacterOf(path, ".", isLeadByte);
    if (dot == std::string_view::npos)
        return {};
    const std::size_t folderEnd = LastCharacterOf(path, kFolderEnds, isLeadByte);
    if (folderEnd != std::string_view::npos && folderEnd > dot)
        return {};
    return std::string(path.substr(dot));
}

bool IsDeviceName(std::string_view name) {
    // A full stop and a blank are never the second byte of a double-byte character.
    std::string_view base = name.substr(0, name.find('.'));
    while (!base.empty() && base.back() == ' ')
        base.remove_suffix(1);
    std::string upper;
    for (char c : base)
        upper += AsciiUpper(c);
    for (std::string_view device : {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"})
        if (upper == device)
            return true;
    return upper.size() == 4 && (upper.starts_with("COM") || upper.starts_with("LPT")) && upper[3] >= '1' &&
           upper[3] <= '9';
}

std::string DevicePartOf(std::string_view path, LeadByteTest isLeadByte) {
    constexpr std::string_view kPartEnds = "\\/:";
    std::size_t start = 0;
    std::size_t i = 0;
    while (i <= path.size()) {
        const bool end = i == path.size();
        const bool lead =
            !end && isLeadByte && isLeadByte(static_cast<unsigned char>(path[i])) && i + 1 < path.size();
        if (end || (!lead && kPartEnds.find(path[i]) != std::string_view::npos)) {
            const std::string_view part = path.substr(start, i - start);
            if (IsDeviceName(part))
                return std::string(part);
            start = i + 1;
        }
        i += lead ? 2 : 1;
    }
    return {};
}

} // namespace korva
