// Path pieces, walked a character at a time.
#include "platform/PathText.h"

namespace korva {
namespace {

constexpr std::string_view kFolderEnds = "\\:";

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

std::string WithBackslashes(std::string path) {
    for (char& c : path)
        if (c == '/')
            c = '\\';
    return path;
}

} // namespace korva
