// Map path pieces: file name, folder, extension check and the map name.
#include "app/MapPath.h"

#include <gtest/gtest.h>

namespace korva {
namespace {

TEST(MapPath, FileNameAndFolderSplitAtTheLastBackslashOrColon) {
    const struct {
        const char* path;
        const char* folder;
        const char* name;
    } cases[] = {
        {"D:\\Editor\\maps\\castle.map", "D:\\Editor\\maps\\", "castle.map"},
        {"C:castle.map", "C:", "castle.map"},
        {"castle.map", "", "castle.map"},
        {"No map selected", "", "No map selected"},
        {"D:\\maps\\", "D:\\maps\\", ""},
        {"", "", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FolderPart(c.path), c.folder) << c.path;
        EXPECT_EQ(FileNamePart(c.path), c.name) << c.path;
    }
}

TEST(MapPath, OnlyAnExactLowerCaseMapExtensionIsAccepted) {
    const struct {
        const char* path;
        const char* extension;
        bool accepted;
    } cases[] = {
        {"C:\\Maps\\room.map", ".map", true},
        {"C:\\Maps\\ROOM.MAP", ".MAP", false},
        {"C:\\Maps\\room.Map", ".Map", false},
        {"C:\\maps.old\\room", "", false}, // the only full stop lies in the folder
        {"C:\\Maps\\room.map.bak", ".bak", false},
        {"C:\\Maps\\room.", ".", false},
        {"", "", false},
        {"Not Found", "", false},
        {"No map selected", "", false},
        {"a:b.map", ".map", true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ExtensionOf(c.path), c.extension) << c.path;
        EXPECT_EQ(IsMapFile(c.path), c.accepted) << c.path;
    }
}

TEST(MapPath, MapNameCutsOnlyAFinalLowerCaseMapExtension) {
    const struct {
        const char* path;
        const char* name;
    } cases[] = {
        {"D:\\Editor\\maps\\castle.map", "castle"},
        {"D:\\maps\\CASTLE.MAP", "CASTLE.MAP"},
        {"D:\\maps\\de.mapper.map", "de.mapper"}, // not "deper.map"
        {"D:\\maps\\castle.map.map", "castle.map"},
        {"D:\\maps\\castle.mapx", "castle.mapx"},
        {"D:\\maps.map\\castle", "castle"},
        {"No map selected", "No map selected"},
        {"Not Found", "Not Found"},
        {"", ""},
        {"D:\\maps\\.map", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MapNameOf(c.path), c.name) << c.path;
}

} // namespace
} // namespace korva
