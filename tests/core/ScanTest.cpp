// The folder scanner against the in-memory file system: walk order, the events and their texts,
// totals, the switches, stopping, failures and the listings closed on every way out.
#include "platform/Error.h"
#include "search/SFolders.h"
#include "tests/fakes/FakeFolderSystem.h"
#include "tests/fakes/FakeLeadBytes.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace korva {
namespace {

using fakes::FakeFolderSystem;
using fakes::FakeMessagePump;
using fakes::ShiftJisLeadByte;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;

constexpr std::uint64_t kGiB = std::uint64_t{1} << 30;

class ScanTest : public ::testing::Test {
protected:
    ScanTest() {
        sf.OnProcess = [this](TSearchFolders& sender, const std::string& dir, std::int64_t count, std::int64_t size) {
            EXPECT_EQ(&sender, &sf);
            events.push_back(dir + " " + std::to_string(count) + " " + std::to_string(size));
        };
        sf.OnChanged = [this](TSearchFolders& sender, std::int64_t count, std::int64_t size) {
            EXPECT_EQ(&sender, &sf);
            events.push_back("end " + std::to_string(count) + " " + std::to_string(size));
        };
    }

    // A tools folder with matches at several depths, a folder that is itself a match, and noise.
    void AddTools() {
        fs.AddDrive('C', dtFixed);
        fs.AddFile("C:\\Tools\\QCSG.EXE", 100, kAttrArchive, 0x12345678);
        fs.AddFile("C:\\Tools\\sub\\VIS.EXE", 20);
        fs.AddFolder("C:\\Tools\\sub\\deep\\QCSG.EXE");
        fs.AddFile("C:\\Tools\\sub\\deep\\QCSG.EXE\\inner.txt", 7);
        fs.AddFile("C:\\Tools\\readme.txt", 5);
        fs.AddFile("C:\\Tools\\zz\\QRAD.EXE", 3);
    }

    std::vector<std::string> Found() const {
        std::vector<std::string> found;
        for (const TFilePack& f : sf.Files)
            found.push_back(f.Path + f.Name);
        return found;
    }

    FakeFolderSystem fs;
    FakeMessagePump pump;
    TSearchFolders sf{fs, pump};
    std::vector<std::string> events;
};

TEST_F(ScanTest, WalksDepthFirstInListingOrderFromTheFolderAsGiven) {
    AddTools();
    sf.FileMask = "qcsg.exe, vis.exe";
    sf.ScanOptions = soSpecifiedDir;
    for (const std::string scanDir : {"C:\\Tools", "C:\\Tools\\"}) {
        events.clear();
        sf.ScanDir = scanDir;
        sf.Scan();
        EXPECT_THAT(events, ElementsAre(scanDir + " 0 0", "C:\\Tools\\sub 1 100", "C:\\Tools\\sub\\deep 2 120",
                                        "C:\\Tools\\sub\\deep\\QCSG.EXE 3 120", "C:\\Tools\\zz 3 120",
                                        "end 3 120"));
        EXPECT_THAT(Found(), ElementsAre("C:\\Tools\\QCSG.EXE", "C:\\Tools\\sub\\VIS.EXE",
                                         "C:\\Tools\\sub\\deep\\QCSG.EXE"));
        EXPECT_EQ(sf.CountFiles(), 3);
        EXPECT_EQ(sf.SizeOfFiles(), 120);
    }
    const TFilePack& first = sf.Files[0];
    EXPECT_EQ(first.Size, 100);
    EXPECT_EQ(first.Attr, kAttrArchive);
    EXPECT_EQ(first.Time, 0x12345678u);
    EXPECT_EQ(sf.Files[2].Attr, kAttrDirectory); // a folder counts like a file
    EXPECT_EQ(fs.openListings, 0);
}

TEST_F(ScanTest, AllDisksWalksOnlySearchableDrivesFromTheirRoots) {
    fs.AddDrive('A', dtRemovable);
    fs.AddDrive('B', dtUnknown);
    fs.AddDrive('C', dtFixed);
    fs.AddDrive('D', dtCdRom);
    fs.AddDrive('E', dtNoRootDir);
    fs.AddDrive('F', dtRemote);
    fs.AddDrive('G', dtRamDisk);
    fs.AddDrive('H', dtRemovable);
    fs.AddFile("A:\\QCSG.EXE");
    fs.AddFile("C:\\QCSG.EXE", 1);
    fs.AddFile("G:\\x\\QCSG.EXE", 2);
    sf.FileMask = "QCSG.EXE";
    sf.Scan();
    EXPECT_THAT(fs.driveTypeQueries, ElementsAre("a:\\", "b:\\", "c:\\", "d:\\", "e:\\", "f:\\", "g:\\", "h:\\"));
    EXPECT_THAT(events, ElementsAre("C: 0 0", "D: 1 1", "F: 1 1", "G: 1 1", "G:\\x 1 1", "end 2 3"));
    EXPECT_THAT(fs.openedPatterns, ElementsAre("C:\\*.*", "D:\\*.*", "F:\\*.*", "G:\\*.*", "G:\\x\\*.*"));
    EXPECT_THAT(Found(), ElementsAre("C:\\QCSG.EXE", "G:\\x\\QCSG.EXE"));
}

TEST_F(ScanTest, SpecifiedDiskTakesTheDriveFromTheFirstTwoCharacters) {
    fs.AddDrive('D', dtFixed);
    fs.AddFile("D:\\QCSG.EXE");
    fs.AddFile("D:\\Games\\QCSG.EXE");
    sf.FileMask = "QCSG.EXE";
    sf.ScanOptions = soSpecifiedDisk;
    sf.ScanDir = "D:\\Games";
    sf.Scan();
    EXPECT_THAT(events, ElementsAre("D: 0 0", "D:\\Games 1 0", "end 2 0"));
    EXPECT_THAT(Found(), ElementsAre("D:\\QCSG.EXE", "D:\\Games\\QCSG.EXE"));

    events.clear();
    sf.ScanDir = "D";
    sf.Scan();
    EXPECT_THAT(events, ElementsAre("D 0 0", "end 0 0"));
}

TEST_F(ScanTest, EmptyScanDirIsAnnouncedButNothingIsListed) {
    AddTools();
    sf.ScanOptions = soSpecifiedDir;
    sf.ScanDir = "";
    sf.Scan();
    EXPECT_THAT(events, ElementsAre(" 0 0", "end 0 0"));
    EXPECT_THAT(sf.Files, IsEmpty());
}

TEST_F(ScanTest, MasksThatMatchNothingStillWalkEveryFolder) {
    AddTools();
    sf.ScanOptions = soSpecifiedDir;
    sf.ScanDir = "C:\\Tools";
    for (const char* mask : {"", " , ,", ".*", "x.none"}) {
        events.clear();
        sf.FileMask = mask;
        sf.Scan();
        EXPECT_EQ(events.size(), 6u) << mask;
        EXPECT_EQ(events.back(), "end 0 0") << mask;
    }
}

TEST_F(ScanTest, DotEntriesNeverCount) {
    fs.AddFolder("C:\\Empty");
    sf.ScanOptions = soSpecifiedDir;
    sf.ScanDir = "C:\\Empty";
    sf.Scan(); // FileMask "*"
    EXPECT_EQ(sf.CountFiles(), 0);
}

TEST_F(ScanTest, SwitchesLimitWhatIsEnteredAndRecorded) {
    AddTools();
    fs.AddFolder("C:\\Tools\\VIS.EXE\\QCSG.EXE"); // only met by entering the folder VIS.EXE
    sf.FileMask = "QCSG.EXE,VIS.EXE";
    sf.ScanOptions = soSpecifiedDir;
    sf.ScanDir = "C:\\Tools";
    const struct {
        bool doRecursive;
        bool updateList;
        std::int64_t count;
        std::size_t files;
        std::size_t folders; // announced by OnProcess
    } cases[] = {
        {true, true, 5, 5, 7},
        {false, true, 2, 2, 1}, // QCSG.EXE and the folder VIS.EXE, tested but not entered
        {true, false, 5, 0, 7},
        {false, false, 2, 0, 1},
    };
    for (const auto& c : cases) {
        events.clear();
        sf.DoRecursive = c.doRecursive;
        sf.UpdateList = c.updateList;
        sf.Scan();
        EXPECT_EQ(sf.CountFiles(), c.count);
        EXPECT_EQ(sf.Files.size(), c.files);
        EXPECT_EQ(events.size() - 1, c.folders);
    }
}

TEST_F(ScanTest, SizesAndTotalsDoNotWrapAt32Bits) {
    fs.AddFile("C:\\Big\\a.pak", 3 * kGiB);
    fs.AddFile("C:\\Big\\b.pak", 5 * kGiB + 1);
    sf.ScanOptions = soSpecifiedDir;
    sf.ScanDir = "C:\\Big";
    sf.Scan();
    ASSERT_EQ(sf.Files.size(), 2u);
    EXPECT_EQ(sf.Files[0].Size, std::int64_t(3 * kGiB));
    EXPECT_EQ(sf.Files[1].Size, std::int64_t(5 * kGiB + 1));
    EXPECT_EQ(sf.SizeOfFiles(), std::int64_t(8 * kGiB + 1));
    EXPECT_EQ(events.back(), "end 2 " + std::to_string(8 * kGiB + 1));
}

TEST_F(ScanTest, LinksAndJunctionsAreTestedButNotEntered) {
    fs.AddFolder("C:\\Tools\\loop", kAttrDirectory | kAttrReparsePoint);
    fs.AddFile("C:\\Tools\\loop\\QCSG.EXE");
    sf.FileMask = "loop,QCSG.EXE";
    sf.ScanOptions = soSpecifiedDir;
    sf.ScanDir = "C:\\Tools";
    sf.Scan();
    EXPECT_THAT(events, ElementsAre("C:\\Tools 0 0", "end 1 0"));
    EXPECT_THAT(Found(), ElementsAre("C:\\Tools\\loop"));
}

TEST_F(ScanTest, MessagesAreHandledAfterEveryFetch) {
    AddTools();
    sf.ScanOptions = soSpecifiedDir;
    sf.ScanDir = "C:\\Tools";
    sf.Scan();
    EXPECT_EQ(pump.calls, fs.fetches); // the fetch that ends a listing included
    EXPECT_EQ(pump.calls, 19);        // one per entry of the 5 listings (19 with "." and "..")

    pump.calls = 0;
    sf.Messages = false;
    sf.Scan();
    EXPECT_EQ(pump.calls, 0);
}

TEST_F(ScanTest, StoppingEndsTheWalkButStillReportsTheTotals) {
    fs.AddDrive('C', dtFixed);
    fs.AddDrive('D', dtFixed);
    fs.AddFile("C:\\a.exe", 1);
    fs.AddFile("C:\\sub\\b.exe", 2);
    fs.AddFile("C:\\sub\\c.exe", 4);
    fs.AddFile("C:\\d.exe", 8);
    fs.AddFile("D:\\e.exe", 16);
    sf.FileMask = "*.exe";
    const std::string root = "C:";
    const struct {
        const char* stopAt; // the OnProcess text at which the handler sets StopScan
        std::vector<std::string> events;
    } cases[] = {
        {"C:", {"C: 0 0", "D: 0 0", "end 0 0"}},                 // drives go on, but are not examined
        {"C:\\sub", {"C: 0 0", "C:\\sub 1 1", "D: 1 1", "end 1 1"}},
        {"D:", {"C: 0 0", "C:\\sub 1 1", "D: 4 15", "end 4 15"}},
    };
    for (const auto& c : cases) {
        events.clear();
        sf.StopScan = true; // ignored: every scan clears it before the walk
        const auto log = sf.OnProcess;
        sf.OnProcess = [&](TSearchFolders& sender, const std::string& dir, std::int64_t n, std::int64_t size) {
            log(sender, dir, n, size);
            if (dir == c.stopAt)
                sf.StopScan = true;
        };
        sf.Scan();
        sf.OnProcess = log;
        EXPECT_THAT(events, ElementsAreArray(c.events)) << c.stopAt;
        EXPECT_TRUE(sf.StopScan);
        EXPECT_EQ(fs.openListings, 0);
    }
}

TEST_F(ScanTest, AMessageHandlerCanStopTheScan) {
    AddTools();
    sf.ScanOptions = soSpecifiedDir;
    sf.ScanDir = "C:\\Tools";
    pump.onPump = [&] {
        if (pump.calls == 2) // after fetching "QCSG.EXE" (".." came first) and before examining it
            sf.StopScan = true;
    };
    sf.Scan();
    EXPECT_EQ(sf.CountFiles(), 0);
    EXPECT_EQ(events.back(), "end 0 0");
}

TEST_F(ScanTest, AnInvalidMaskFailsBeforeAnythingHappens) {
    AddTools();
    sf.ScanOptions = soSpecifiedDir;
    sf.ScanDir = "C:\\Tools";
    sf.Scan();
    ASSERT_FALSE(sf.Files.empty());
    events.clear();
    fs.openedPatterns.clear();

    sf.FileMask = "*.exe,[a,b]";
    try {
        sf.Scan();
        FAIL() << "the mask list is invalid";
    } catch (const Error& e) {
        EXPECT_STREQ(e.what(), "'[a' is an invalid mask at (3)");
    }
    EXPECT_THAT(events, IsEmpty());
    EXPECT_THAT(fs.openedPatterns, IsEmpty());
    EXPECT_THAT(sf.Files, IsEmpty());
    EXPECT_EQ(sf.CountFiles(), 0);
    EXPECT_EQ(sf.SizeOfFiles(), 0);
}

TEST_F(ScanTest, HandlerExceptionsPassThroughWithEveryListingClosed) {
    struct Boom {};
    const struct {
        const char* name;
        std::function<void()> arm;
    } cases[] = {
        {"OnProcess", [&] {
             sf.OnProcess = [](TSearchFolders&, const std::string& dir, std::int64_t, std::int64_t) {
                 if (dir == "C:\\Tools\\sub\\deep")
                     throw Boom{};
             };
         }},
        {"message handler", [&] {
             pump.onPump = [&] {
                 if (fs.openListings == 3)
                     throw Boom{};
             };
         }},
    };
    AddTools();
    sf.FileMask = "QCSG.EXE,VIS.EXE";
    sf.ScanOptions = soSpecifiedDir;
    sf.ScanDir = "C:\\Tools";
    for (const auto& c : cases) {
        events.clear();
        c.arm();
        EXPECT_THROW(sf.Scan(), Boom) << c.name;
        EXPECT_EQ(fs.openListings, 0) << c.name;
        EXPECT_THAT(Found(), ElementsAre("C:\\Tools\\QCSG.EXE", "C:\\Tools\\sub\\VIS.EXE")) << c.name;
        EXPECT_EQ(sf.CountFiles(), 2) << c.name;
        EXPECT_THAT(events, IsEmpty()) << c.name; // and OnChanged never fired
        sf.OnProcess = nullptr;
        pump.onPump = nullptr;
    }
}

TEST_F(ScanTest, ChangingScanDirDuringTheWalkDoesNotMoveIt) {
    AddTools();
    sf.FileMask = "QCSG.EXE";
    sf.ScanOptions = soSpecifiedDir;
    sf.ScanDir = "C:\\Tools";
    sf.OnProcess = [&](TSearchFolders&, const std::string&, std::int64_t, std::int64_t) {
        sf.ScanDir = "C:\\Elsewhere\\with a much longer name than before";
    };
    sf.Scan();
    EXPECT_THAT(Found(), ElementsAre("C:\\Tools\\QCSG.EXE", "C:\\Tools\\sub\\deep\\QCSG.EXE"));
}

TEST(JoinPath, AddsOneBackslashCountingDoubleByteCharactersAsOne) {
    const struct {
        const char* folder;
        const char* name;
        LeadByteTest leadBytes;
        const char* joined;
    } cases[] = {
        {"", "x", nullptr, ""},
        {"", "", nullptr, ""},
        {"C:", "*.*", nullptr, "C:\\*.*"},
        {"C:\\", "a", nullptr, "C:\\a"},
        {"C:\\Tools", "", nullptr, "C:\\Tools\\"},
        {"C:\\Tools\\", "", nullptr, "C:\\Tools\\"},
        {"C:\\\x95\\", "a", nullptr, "C:\\\x95\\a"},                 // single-byte code page
        {"C:\\\x95\\", "a", ShiftJisLeadByte, "C:\\\x95\\\\a"},      // the "\" belongs to a character
        {"C:\\\x95\\\\", "a", ShiftJisLeadByte, "C:\\\x95\\\\a"},
        {"C:\\a\\", "b", ShiftJisLeadByte, "C:\\a\\b"},
        {"\x95", "a", ShiftJisLeadByte, "\x95\\a"},                   // a lead byte cut off at the end
        {"\x95\x95\\", "a", ShiftJisLeadByte, "\x95\x95\\a"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(JoinPath(c.folder, c.name, c.leadBytes), c.joined) << c.folder << " + " << c.name;
}

TEST_F(ScanTest, SubFolderPathsUseTheCodePagesLeadBytes) {
    fs.leadBytes = ShiftJisLeadByte;
    fs.AddFile("C:\\\x95\\\\QCSG.EXE"); // a folder whose name is one double-byte character ending in 0x5C
    sf.FileMask = "QCSG.EXE";
    sf.ScanOptions = soSpecifiedDir;
    sf.ScanDir = "C:";
    sf.Scan();
    EXPECT_THAT(Found(), ElementsAre("C:\\\x95\\\\QCSG.EXE"));
}

} // namespace
} // namespace korva
