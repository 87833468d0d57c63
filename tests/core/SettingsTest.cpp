// KORVA.INI: what a first start finds and writes, what a configured file gives, how stored numbers and
// switches are read, and a save that cannot write.
#include "app/Settings.h"
#include "fakes/FakeProfileStore.h"
#include "platform/Error.h"

#include <gtest/gtest.h>

namespace korva {
namespace {

using fakes::FakeProfileStore;

TEST(Settings, AFirstStartIsUnconfiguredAndItsSaveWritesTheDefaults) {
    FakeProfileStore store;
    const LoadedSettings loaded = LoadSettings(store);
    EXPECT_FALSE(loaded.configured);
    EXPECT_EQ(loaded.values.Dirs.HLPath, "Not Found");
    EXPECT_EQ(loaded.values.Dirs.ToolsPath, "");
    EXPECT_EQ(loaded.values.MapPath, "");
    EXPECT_EQ(store.filesRead, std::vector<std::string>{"C:\\KORVA\\KORVA.INI"}); // nothing read after GameDir

    SaveSettings(store, loaded.values);
    EXPECT_EQ(store.Text(), "[General]\r\nVersion=150\r\nRunHL=0\r\nComMode=0\r\n"
                            "[Folders]\r\nGameDir=Not Found\r\nToolsDir=\r\nMapsDir=\r\nMapname=\r\n");
    // Saved as such, the next start is unconfigured again.
    EXPECT_FALSE(LoadSettings(store).configured);
}

TEST(Settings, ASavedRunReadsBackAsItWasWithThePathWorkedOutEachTime) {
    FakeProfileStore store;
    const Settings run{"D:\\Games\\HL\\", "D:\\Tools\\Compile\\", "D:\\Editor\\maps\\", "D:\\Editor\\maps\\castle.map",
                       true, 2};
    SaveSettings(store, run);
    EXPECT_EQ(store.Text(), "[General]\r\nVersion=150\r\nRunHL=1\r\nComMode=2\r\n"
                            "[Folders]\r\nGameDir=D:\\Games\\HL\\\r\nToolsDir=D:\\Tools\\Compile\\\r\n"
                            "MapsDir=D:\\Editor\\maps\\\r\nMapname=D:\\Editor\\maps\\castle.map\r\n");
    const LoadedSettings loaded = LoadSettings(store);
    EXPECT_TRUE(loaded.configured);
    EXPECT_EQ(loaded.values.Dirs.HLPath, run.Dirs.HLPath);
    EXPECT_EQ(loaded.values.Dirs.ToolsPath, run.Dirs.ToolsPath);
    EXPECT_EQ(loaded.values.Dirs.MapsPath, run.Dirs.MapsPath);
    EXPECT_EQ(loaded.values.MapPath, run.MapPath); // written as Mapname, read as MapName
    EXPECT_TRUE(loaded.values.RunHL);
    EXPECT_EQ(loaded.values.ComMode, 2);
    EXPECT_EQ(store.folderLookups, 2);

    // Paths written with "/", which the command interpreter would read as switches, are read with "\".
    store.Write("", "Folders", "ToolsDir", "D:/Tools/Compile/");
    store.Write("", "Folders", "MapName", "D:/Editor/maps/castle.map");
    EXPECT_EQ(LoadSettings(store).values.Dirs.ToolsPath, run.Dirs.ToolsPath);
    EXPECT_EQ(LoadSettings(store).values.MapPath, run.MapPath);
}

TEST(Settings, OnlyAnExactNotFoundGameFolderCountsAsUnconfigured) {
    FakeProfileStore store;
    store.Write("", "Folders", "GameDir", "not found");
    const LoadedSettings lower = LoadSettings(store);
    EXPECT_TRUE(lower.configured);
    EXPECT_EQ(lower.values.Dirs.HLPath, "not found");
    EXPECT_EQ(lower.values.Dirs.ToolsPath, "Not Found"); // missing keys read as "Not Found"
    EXPECT_EQ(lower.values.Dirs.MapsPath, "Not Found");
    EXPECT_EQ(lower.values.MapPath, "Not Found");
    EXPECT_FALSE(lower.values.RunHL);
    EXPECT_EQ(lower.values.ComMode, 0);

    store.Write("", "Folders", "GameDir", "Not Found");
    store.Write("", "Folders", "ToolsDir", "D:\\Tools\\");
    const LoadedSettings stored = LoadSettings(store);
    EXPECT_FALSE(stored.configured);
    EXPECT_EQ(stored.values.Dirs.ToolsPath, ""); // not read

    store.Write("", "Folders", "GameDir", "");
    EXPECT_TRUE(LoadSettings(store).configured); // an empty game folder is a configured one
}

TEST(Settings, StoredModesAndSwitchesAreReadAsIntegers) {
    const struct {
        const char* text;
        int mode;     // ComMode as read (default 0)
        bool runGame; // RunHL as read (default false)
    } cases[] = {
        {"3", 3, true},          {"0x4", 4, true},         {"$4", 4, true},
        {"0X1f", 31, true},      {"9", 9, true},           {"-1", -1, true},
        {"-5", -5, true},        {"abc", 0, false},        {"", 0, false},
        {"yes", 0, false},       {"0", 0, false},          {"2", 2, true},
        {"0x1", 1, true},        {"  7", 7, true},         {"+8", 8, true},
        {"00012", 12, true},     {"0x", 0, false},         {"$", 0, false},
        {"-", 0, false},         {"12abc", 0, false},      {"- 5", 0, false},
        {"$-4", 0, false},       {"0x-4", 0, false},       {"2147483647", 2147483647, true},
        {"2147483648", 0, false}, {"-2147483648", INT32_MIN, true}, {"-2147483649", 0, false},
        {"$FFFFFFFF", -1, true}, {"$100000000", 0, false}, {"1.5", 0, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ParseStoredInteger(c.text, 0), c.mode) << '"' << c.text << '"';
        EXPECT_EQ(ParseStoredBoolean(c.text, false), c.runGame) << '"' << c.text << '"';
        FakeProfileStore store;
        store.Write("", "Folders", "GameDir", "C:\\HL\\");
        store.Write("", "General", "ComMode", c.text);
        store.Write("", "General", "RunHL", c.text);
        const LoadedSettings loaded = LoadSettings(store);
        EXPECT_EQ(loaded.values.ComMode, c.mode) << '"' << c.text << '"';
        EXPECT_EQ(loaded.values.RunHL, c.runGame) << '"' << c.text << '"';
    }
    EXPECT_EQ(ParseStoredInteger("junk", 7), 7);
    EXPECT_TRUE(ParseStoredBoolean("junk", true));
}

TEST(Settings, TheFirstFailedWriteEndsTheSaveAndKeepsWhatWasWritten) {
    const Settings run{"D:\\Games\\HL\\", "D:\\Tools\\", "D:\\maps\\", "D:\\maps\\a.map", true, 1};
    for (int failing : {1, 4, 7}) {
        FakeProfileStore store;
        store.failWriteNumber = failing;
        try {
            SaveSettings(store, run);
            ADD_FAILURE() << "no error when write " << failing << " fails";
        } catch (const Error& e) {
            EXPECT_STREQ(e.what(), "Unable to write to C:\\KORVA\\KORVA.INI");
        }
        EXPECT_EQ(store.writes, failing) << "the save went on after the failure";
        int stored = 0;
        for (const auto& s : store.sections)
            stored += static_cast<int>(s.keys.size());
        EXPECT_EQ(stored, failing - 1);
    }
}

} // namespace
} // namespace korva
