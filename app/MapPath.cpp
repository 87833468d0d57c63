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

} // namespace korva
