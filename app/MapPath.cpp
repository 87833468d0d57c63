// The map path's rules.
#include "app/MapPath.h"

namespace korva {
namespace {

constexpr std::string_view kMapExtension = ".map";

} // namespace

bool IsMapFile(const std::string& path, LeadByteTest isLeadByte) {
    return ExtensionOf(path, isLeadByte) == kMapExtension;
}

std::string MapNameOf(const std::string& mapPath, LeadByteTest isLeadByte) {
    std::string name = FileNamePart(mapPath, isLeadByte);
    if (IsMapFile(name, isLeadByte))
        name.erase(name.size() - kMapExtension.size());
    return name;
}

std::optional<std::string> MapFileRefusal(const std::string& path, FileKinds& kinds) {
    const std::string cannot = "KORVA cannot use \"" + path + "\": ";
    switch (kinds.KindOf(path)) {
    case FileKind::Folder:
        return cannot + "it is a folder. Choose or drop the .map file itself.";
    case FileKind::Device:
        return cannot + "it opens as a device or a pipe, not as a file on a disk. Choose or drop the .map "
                        "file itself.";
    case FileKind::Unknown:
    case FileKind::DiskFile:
        break;
    }
    return std::nullopt;
}

} // namespace korva
