// Path pieces and the map path's rules: file name, folder, extension check, the paths that can be no map
// file (folders, devices) and the map name, in a single-byte code page and in a double-byte one, where a
// backslash can be a character's second byte.
#include "app/MapPath.h"
#include "fakes/FakeFileKinds.h"
#include "fakes/FakeLeadBytes.h"

#include <gtest/gtest.h>

namespace korva {
namespace {

using fakes::ShiftJisLeadByte;

TEST(MapPath, FileNameAndFolderSplitAtTheLastBackslashOrColon) {
    const struct {
        const char* path;
        LeadByteTest leadBytes;
        const char* folder;
        const char* name;
    } cases[] = {
        {"D:\\Editor\\maps\\castle.map", nullptr, "D:\\Editor\\maps\\", "castle.map"},
        {"C:castle.map", nullptr, "C:", "castle.map"},
        {"castle.map", nullptr, "", "castle.map"},
        {"No map selected", nullptr, "", "No map selected"},
        {"D:\\maps\\", nullptr, "D:\\maps\\", ""},
        {"", nullptr, "", ""},
        // 95 5C is one character: its "\" ends no folder.
        {"D:\\maps\\\x95\\.map", ShiftJisLeadByte, "D:\\maps\\", "\x95\\.map"},
        {"D:\\\x95\\\\castle.map", ShiftJisLeadByte, "D:\\\x95\\\\", "castle.map"},
        {"\x95\\castle.map", ShiftJisLeadByte, "", "\x95\\castle.map"},
        {"D:\\maps\\\x95\\.map", nullptr, "D:\\maps\\\x95\\", ".map"}, // where 95 is a letter of its own
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FolderPart(c.path, c.leadBytes), c.folder) << c.path;
        EXPECT_EQ(FileNamePart(c.path, c.leadBytes), c.name) << c.path;
    }
}

TEST(MapPath, OnlyAnExactLowerCaseMapExtensionIsAccepted) {
    const struct {
        const char* path;
        LeadByteTest leadBytes;
        const char* extension;
        bool accepted;
    } cases[] = {
        {"C:\\Maps\\room.map", nullptr, ".map", true},
        {"C:\\Maps\\ROOM.MAP", nullptr, ".MAP", false},
        {"C:\\Maps\\room.Map", nullptr, ".Map", false},
        {"C:\\maps.old\\room", nullptr, "", false}, // the only full stop lies in the folder
        {"C:\\Maps\\room.map.bak", nullptr, ".bak", false},
        {"C:\\Maps\\room.", nullptr, ".", false},
        {"", nullptr, "", false},
        {"Not Found", nullptr, "", false},
        {"No map selected", nullptr, "", false},
        {"a:b.map", nullptr, ".map", true},
        {"C:\\Maps\\room.\x95\\", ShiftJisLeadByte, ".\x95\\", false}, // the "\" is inside the name
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ExtensionOf(c.path, c.leadBytes), c.extension) << c.path;
        EXPECT_EQ(IsMapFile(c.path, c.leadBytes), c.accepted) << c.path;
    }
}

// What Browse and a drop refuse before the ".map" test: a path that opens as a folder or as no disk file.
TEST(MapPath, FoldersAndDevicesAreNoMapFiles) {
    const struct {
        const char* path;
        FileKind kind;
        const char* refusal; // a part of the message, or null: the file can be used
    } cases[] = {
        {"D:\\maps\\castle.map", FileKind::Device, "it opens as a device or a pipe, not as a file on a disk"},
        {"D:\\maps\\old.map", FileKind::Folder, "it is a folder"},
        {"D:\\maps\\castle.map", FileKind::DiskFile, nullptr},
        {"D:\\maps\\castle.map", FileKind::Unknown, nullptr}, // the system cannot tell
    };
    for (const auto& c : cases) {
        fakes::FakeFileKinds kinds;
        kinds.kinds[c.path] = c.kind;
        const std::optional<std::string> refusal = MapFileRefusal(c.path, kinds);
        if (!c.refusal) {
            EXPECT_EQ(refusal, std::nullopt) << c.path;
            continue;
        }
        ASSERT_TRUE(refusal) << c.path;
        EXPECT_EQ(refusal->rfind(std::string("KORVA cannot use \"") + c.path + "\": ", 0), 0u) << *refusal;
        EXPECT_NE(refusal->find(c.refusal), std::string::npos) << *refusal;
    }
}

TEST(MapPath, MapNameCutsOnlyAFinalLowerCaseMapExtension) {
    const struct {
        const char* path;
        LeadByteTest leadBytes;
        const char* name;
    } cases[] = {
        {"D:\\Editor\\maps\\castle.map", nullptr, "castle"},
        {"D:\\maps\\CASTLE.MAP", nullptr, "CASTLE.MAP"},
        {"D:\\maps\\de.mapper.map", nullptr, "de.mapper"}, // not "deper.map"
        {"D:\\maps\\castle.map.map", nullptr, "castle.map"},
        {"D:\\maps\\castle.mapx", nullptr, "castle.mapx"},
        {"D:\\maps.map\\castle", nullptr, "castle"},
        {"No map selected", nullptr, "No map selected"},
        {"Not Found", nullptr, "Not Found"},
        {"", nullptr, ""},
        {"D:\\maps\\.map", nullptr, ""},
        {"D:\\maps\\\x95\\castle.map", ShiftJisLeadByte, "\x95\\castle"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MapNameOf(c.path, c.leadBytes), c.name) << c.path;
}

} // namespace
} // namespace korva
