// Map path pieces.
#include "app/MapPath.h"

namespace korva {
namespace {

std::string::size_type FolderEnd(const std::string& path) { return path.find_last_of("\\:"); }

} // namespace

std::string FileNamePart(const std::string& path) {
    const auto end = FolderEnd(path);
    return end == std::string::npos ? path : path.substr(end + 1);
}

std::string FolderPart(const std::string& path) {
    const auto end = FolderEnd(path);
    return end == std::string::npos ? std::string() : path.substr(0, end + 1);
}

std::string ExtensionOf(const std::string& path) {
    const auto dot = path.find_last_of('.');
    if (dot == std::string::npos)
        return {};
    const auto folderEnd = FolderEnd(path);
    if (folderEnd != std::string::npos && folderEnd > dot)
        return {};
    return path.substr(dot);
}

bool IsMapFile(const std::string& path) { return ExtensionOf(path) == ".map"; }

std::string MapNameOf(const std::string& mapPath) {
    static const std::string extension = ".map";
    std::string name = FileNamePart(mapPath);
    if (name.size() >= extension.size() && name.compare(name.size() - extension.size(), extension.size(), extension) == 0)
        name.erase(name.size() - extension.size());
    return name;
}

} // namespace korva
