// The folder scanner on real folders through the Win32 file system: attributes, sizes and times as the
// system reports them, odd names, folders that cannot be listed, links, folders removed during the
// walk, drives, the listings closed after an exception, and the message pump.
// Under Wine, symbolic links are made with the Unix ln, since Wine cannot create them itself.
#include "WinTestSupport.h"
#include "platform/win32/Win32FileKinds.h"
#include "platform/win32/Win32FolderSystem.h"
#include "platform/win32/Win32MessagePump.h"
#include "search/SFolders.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <set>

namespace korva::win32 {
namespace {

using UnixFileName = char*(CDECL*)(LPCWSTR);

UnixFileName WineUnixFileName() {
    return reinterpret_cast<UnixFileName>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleA("kernel32"), "wine_get_unix_file_name")));
}

std::string UnixPath(const std::string& windowsPath) {
    const UnixFileName toUnix = WineUnixFileName();
    if (!toUnix)
        return {};
    std::wstring wide(windowsPath.begin(), windowsPath.end()); // the paths used here are ASCII
    char* unix = toUnix(wide.c_str());
    if (!unix)
        return {};
    std::string path(unix);
    ::HeapFree(::GetProcessHeap(), 0, unix);
    return path;
}

// Runs a Unix program under Wine. Wine cannot wait for it, so callers poll for its effect.
bool RunUnix(const std::string& program, const std::string& commandLine) {
    std::string line = commandLine;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!::CreateProcessA(("Z:" + program).c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                          &startup, &process))
        return false;
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    return true;
}

// A fresh folder under the temp folder, removed with all it holds at the end.
class TempTree {
public:
    TempTree() {
        char temp[MAX_PATH];
        ::GetTempPathA(MAX_PATH, temp);
        static int serial = 0;
        root_ = std::string(temp) + "korva-scan-" + std::to_string(::GetCurrentProcessId()) + "-" +
                std::to_string(++serial);
        test::RemoveTree(root_);
        ::CreateDirectoryA(root_.c_str(), nullptr);
    }
    ~TempTree() {
        // Links made by ln cannot be removed through Wine; rm takes the whole tree then.
        if (madeUnixLinks_ && RunUnix("/bin/rm", "/bin/rm -rf " + UnixPath(root_)))
            test::WaitFor([&] { return !test::FileExists(root_); });
        test::RemoveTree(root_);
    }
    TempTree(const TempTree&) = delete;
    TempTree& operator=(const TempTree&) = delete;

    const std::string& Root() const { return root_; }
    std::string Path(const std::string& relative) const { return root_ + "\\" + relative; }

    void Folder(const std::string& relative) { ::CreateDirectoryA(Path(relative).c_str(), nullptr); }
    void File(const std::string& relative, std::int64_t size = 0, DWORD attributes = 0) {
        HANDLE file = ::CreateFileA(Path(relative).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE) << relative;
        LARGE_INTEGER end;
        end.QuadPart = size;
        ::SetFilePointerEx(file, end, nullptr, FILE_BEGIN); // sparse where it can be: no data written
        ::SetEndOfFile(file);
        ::CloseHandle(file);
        if (attributes)
            ::SetFileAttributesA(Path(relative).c_str(), attributes);
    }
    // A symbolic link to a folder; false when this system cannot make one here.
    bool FolderLink(const std::string& relative, const std::string& target) {
        if (WineUnixFileName()) {
            madeUnixLinks_ = true;
            return RunUnix("/bin/ln", "/bin/ln -s " + target + " " + UnixPath(Path(relative))) &&
                   test::WaitFor([&] { return test::FileExists(Path(relative)); });
        }
        return ::CreateSymbolicLinkA(Path(relative).c_str(), target.c_str(),
                                     SYMBOLIC_LINK_FLAG_DIRECTORY | 0x2 /* allow unprivileged */) != FALSE;
    }

    // A named pipe (a Unix FIFO), which opens as no disk file; false where Wine cannot make one.
    bool Pipe(const std::string& relative) {
        madeUnixLinks_ = true; // removed with the links
        return WineUnixFileName() &&
               RunUnix("/usr/bin/mkfifo", "/usr/bin/mkfifo " + UnixPath(Path(relative))) &&
               test::WaitFor([&] { return Win32FileKinds().KindOf(Path(relative)) != FileKind::Unknown; });
    }

private:
    std::string root_;
    bool madeUnixLinks_ = false;
};

class Win32ScanTest : public ::testing::Test {
protected:
    Win32ScanTest() {
        sf.ScanOptions = soSpecifiedDir;
        sf.ScanDir = tree.Root();
        sf.OnProcess = [this](TSearchFolders&, const std::string& dir, std::int64_t, std::int64_t) {
            announced.push_back(dir);
        };
    }

    // The matches as paths relative to the tree, sorted (the file system decides the order).
    std::vector<std::string> Found() const {
        std::vector<std::string> found;
        for (const TFilePack& f : sf.Files) {
            const std::string full = f.Path + f.Name;
            found.push_back(full.substr(std::min(full.size(), tree.Root().size() + 1)));
        }
        std::sort(found.begin(), found.end());
        return found;
    }

    TempTree tree;
    Win32FolderSystem fs;
    Win32MessagePump pump{0};
    TSearchFolders sf{fs, pump};
    std::vector<std::string> announced;
};

TEST_F(Win32ScanTest, ListsEveryEntryWithWhatTheSystemReports) {
    tree.File("plain.txt", 1234);
    tree.File("hidden.txt", 0, FILE_ATTRIBUTE_HIDDEN);
    tree.File("system.dat", 0, FILE_ATTRIBUTE_SYSTEM);
    tree.File("readonly.txt", 0, FILE_ATTRIBUTE_READONLY);
    tree.Folder("sub");
    tree.File("sub\\inner.txt", 7);
    tree.Folder("QCSG.EXE");
    tree.File("QCSG.EXE\\tool.txt");
    sf.Scan(); // FileMask "*"
    EXPECT_EQ(Found(), (std::vector<std::string>{"QCSG.EXE", "QCSG.EXE\\tool.txt", "hidden.txt", "plain.txt",
                                                 "readonly.txt", "sub", "sub\\inner.txt", "system.dat"}));
    for (const TFilePack& f : sf.Files) {
        const std::string full = f.Path + f.Name;
        EXPECT_EQ(f.Path.back(), '\\');
        EXPECT_EQ(f.Attr, ::GetFileAttributesA(full.c_str())) << full;
        if (f.Name == "plain.txt") {
            EXPECT_EQ(f.Size, 1234);
        }
    }
    const auto attrOf = [&](const std::string& name) {
        for (const TFilePack& f : sf.Files)
            if (f.Name == name)
                return f.Attr;
        return 0u;
    };
    EXPECT_TRUE(attrOf("hidden.txt") & kAttrHidden);
    EXPECT_TRUE(attrOf("system.dat") & kAttrSystem);
    EXPECT_TRUE(attrOf("readonly.txt") & kAttrReadOnly);
    EXPECT_TRUE(attrOf("QCSG.EXE") & kAttrDirectory);
    EXPECT_EQ(sf.CountFiles(), 8);
    EXPECT_EQ(sf.SizeOfFiles(), 1241);
}

TEST_F(Win32ScanTest, NamesWithCodesAbove127KeepTheirBytes) {
    tree.File("qcsg\xe9.exe");
    const struct {
        const char* mask;
        std::size_t found;
    } cases[] = {{"QCSG\xe9.EXE", 1}, {"qcsg\xc9.exe", 0}, {"QCSG?.EXE", 1}, {"*[\xe0-\xef].exe", 1}};
    for (const auto& c : cases) {
        sf.FileMask = c.mask;
        sf.Scan();
        ASSERT_EQ(sf.Files.size(), c.found) << c.mask;
        if (c.found) {
            EXPECT_EQ(sf.Files[0].Name, "qcsg\xe9.exe");
        }
    }
}

TEST_F(Win32ScanTest, AFolderThatCannotBeListedIsPassedOverQuietly) {
    tree.Folder("locked");
    tree.File("locked\\QCSG.EXE");
    tree.Folder("open");
    tree.File("open\\QCSG.EXE");
    sf.FileMask = "QCSG.EXE";
    {
        // Held without sharing, the folder cannot be opened for listing, as one without access.
        HANDLE held = ::CreateFileA(tree.Path("locked").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                    FILE_FLAG_BACKUP_SEMANTICS, nullptr);
        ASSERT_NE(held, INVALID_HANDLE_VALUE);
        EXPECT_NO_THROW(sf.Scan());
        ::CloseHandle(held);
    }
    EXPECT_EQ(Found(), std::vector<std::string>{"open\\QCSG.EXE"});
    EXPECT_NE(std::find(announced.begin(), announced.end(), tree.Path("locked")), announced.end());

    sf.Scan();
    EXPECT_EQ(Found(), (std::vector<std::string>{"locked\\QCSG.EXE", "open\\QCSG.EXE"}));
}

TEST_F(Win32ScanTest, ALinkBackToItsParentIsTestedButNotEntered) {
    tree.Folder("sub");
    tree.File("sub\\QCSG.EXE");
    if (!tree.FolderLink("sub\\loop", ".."))
        GTEST_SKIP() << "this system cannot make a symbolic link here";
    sf.FileMask = "loop,QCSG.EXE";
    sf.Scan();
    EXPECT_EQ(Found(), (std::vector<std::string>{"sub\\QCSG.EXE", "sub\\loop"}));
    for (const TFilePack& f : sf.Files)
        if (f.Name == "loop") {
            EXPECT_EQ(f.Attr & (kAttrDirectory | kAttrReparsePoint), kAttrDirectory | kAttrReparsePoint);
        }
    EXPECT_EQ(announced, (std::vector<std::string>{tree.Root(), tree.Path("sub")}));
}

TEST_F(Win32ScanTest, AFolderRemovedDuringTheWalkYieldsNothing) {
    for (const char* folder : {"a", "victim", "victim\\inner", "z"})
        tree.Folder(folder);
    for (const char* file : {"a\\QCSG.EXE", "victim\\QCSG.EXE", "victim\\inner\\QCSG.EXE", "z\\QCSG.EXE"})
        tree.File(file);
    sf.FileMask = "QCSG.EXE";
    sf.OnProcess = [&](TSearchFolders&, const std::string& dir, std::int64_t, std::int64_t) {
        announced.push_back(dir);
        if (dir == tree.Path("victim"))
            test::RemoveTree(dir); // after the parent listed it, before it is listed itself
    };
    EXPECT_NO_THROW(sf.Scan());
    EXPECT_FALSE(test::FileExists(tree.Path("victim")));
    EXPECT_EQ(Found(), (std::vector<std::string>{"a\\QCSG.EXE", "z\\QCSG.EXE"}));
}

TEST_F(Win32ScanTest, TimesAreLocalAndPackedLikeMsDos) {
    const struct {
        SYSTEMTIME local; // year, month, day of week, day, hour, minute, second, ms
        std::uint32_t packed;
    } cases[] = {
        {{2001, 2, 0, 3, 4, 5, 6, 0}, (21u << 25) | (2u << 21) | (3u << 16) | (4u << 11) | (5u << 5) | 3u},
        {{2107, 12, 0, 31, 23, 59, 58, 0}, (127u << 25) | (12u << 21) | (31u << 16) | (23u << 11) | (59u << 5) | 29u},
        {{1979, 6, 0, 1, 12, 0, 0, 0}, 0}, // before the packed form's first year
    };
    tree.File("stamped.txt");
    sf.FileMask = "stamped.txt";
    for (const auto& c : cases) {
        FILETIME local, utc;
        ASSERT_TRUE(::SystemTimeToFileTime(&c.local, &local));
        ASSERT_TRUE(::LocalFileTimeToFileTime(&local, &utc));
        HANDLE file = ::CreateFileA(tree.Path("stamped.txt").c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr,
                                    OPEN_EXISTING, 0, nullptr);
        ASSERT_TRUE(::SetFileTime(file, nullptr, nullptr, &utc));
        ::CloseHandle(file);
        sf.Scan();
        ASSERT_EQ(sf.Files.size(), 1u);
        EXPECT_EQ(sf.Files[0].Time, c.packed) << c.local.wYear;
    }
}

TEST_F(Win32ScanTest, SizesBeyond4GiBAreReportedWhole) {
    constexpr std::int64_t kGiB = std::int64_t{1} << 30;
    tree.File("a.pak", 3 * kGiB);
    tree.File("b.pak", 5 * kGiB + 1);
    sf.FileMask = "*.pak";
    sf.Scan();
    ASSERT_EQ(sf.Files.size(), 2u);
    EXPECT_EQ(sf.Files[0].Size + sf.Files[1].Size, 8 * kGiB + 1);
    EXPECT_EQ(sf.SizeOfFiles(), 8 * kGiB + 1);
}

TEST_F(Win32ScanTest, ListingsAreClosedWhenAHandlerThrows) {
    tree.Folder("a");
    tree.Folder("a\\b");
    tree.Folder("a\\b\\c");
    struct Boom {};
    sf.OnProcess = [&](TSearchFolders&, const std::string& dir, std::int64_t, std::int64_t) {
        if (dir == tree.Path("a\\b\\c"))
            throw Boom{};
    };
    EXPECT_THROW(sf.Scan(), Boom);
    // A folder with an open listing cannot be removed.
    for (const char* folder : {"a\\b\\c", "a\\b", "a"})
        EXPECT_TRUE(::RemoveDirectoryA(tree.Path(folder).c_str())) << folder << ": " << ::GetLastError();
}

// What a chosen or dropped map is, asked of the opened file: a file, a folder, or a device or pipe that
// a map named nul.map, or a FIFO under Wine's Z:, would hand the tools in place of a file.
TEST_F(Win32ScanTest, FileKindsTellFilesFoldersDevicesAndPipesApart) {
    tree.File("castle.map");
    tree.Folder("old.map");
    Win32FileKinds kinds;
    EXPECT_EQ(kinds.KindOf(tree.Path("castle.map")), FileKind::DiskFile);
    EXPECT_EQ(kinds.KindOf(tree.Path("old.map")), FileKind::Folder);
    EXPECT_EQ(kinds.KindOf(tree.Path("missing.map")), FileKind::Unknown);
    EXPECT_EQ(kinds.KindOf("NUL"), FileKind::Device);
    if (!tree.Pipe("pipe.map"))
        GTEST_SKIP() << "no FIFO on this system";
    EXPECT_EQ(kinds.KindOf(tree.Path("pipe.map")), FileKind::Device);
}

TEST(Win32FolderSystem, ReportsDrivesAndTheirTypes) {
    Win32FolderSystem fs;
    const std::uint32_t drives = fs.LogicalDrives();
    EXPECT_TRUE(drives & (1u << 2)) << "drive C";
    EXPECT_EQ(fs.DriveType("c:\\"), dtFixed);
    char missing = 0;
    for (char letter = 'Y'; letter > 'D' && !missing; --letter)
        if (!(drives & (1u << (letter - 'A'))))
            missing = letter;
    ASSERT_NE(missing, 0);
    EXPECT_EQ(fs.DriveType(std::string{missing, ':', '\\'}), dtNoRootDir);
    EXPECT_EQ(fs.OpenListing(std::string{missing, ':', '\\', '*', '.', '*'}), nullptr);

    // A scan of that drive is announced and finds nothing, without an error.
    Win32MessagePump pump;
    TSearchFolders sf(fs, pump);
    std::vector<std::string> announced;
    sf.OnProcess = [&](TSearchFolders&, const std::string& dir, std::int64_t, std::int64_t) { announced.push_back(dir); };
    sf.ScanOptions = soSpecifiedDisk;
    sf.ScanDir = std::string{missing, ':', '\\', 'x'};
    sf.Scan();
    EXPECT_EQ(announced, (std::vector<std::string>{std::string{missing, ':'}}));
    EXPECT_EQ(sf.CountFiles(), 0);
}

// A message-only window that counts a message of its own and can run a handler on it.
class Receiver {
public:
    static constexpr UINT kPoke = WM_APP + 17;
    Receiver() {
        WNDCLASSA wc{};
        wc.lpfnWndProc = Proc;
        wc.hInstance = ::GetModuleHandleA(nullptr);
        wc.lpszClassName = "KorvaPumpReceiver";
        ::RegisterClassA(&wc);
        hwnd_ = ::CreateWindowExA(0, wc.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, this);
        ::SetWindowLongPtrA(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    ~Receiver() { ::DestroyWindow(hwnd_); }
    void Poke() { ::PostMessageA(hwnd_, kPoke, 0, 0); }

    int pokes = 0;
    std::function<void()> onPoke;

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
        auto* self = reinterpret_cast<Receiver*>(::GetWindowLongPtrA(hwnd, GWLP_USERDATA));
        if (msg == kPoke && self) {
            ++self->pokes;
            if (self->onPoke)
                self->onPoke();
            return 0;
        }
        return ::DefWindowProcA(hwnd, msg, wParam, lParam);
    }
    HWND hwnd_ = nullptr;
};

TEST(Win32MessagePump, HandlesWaitingMessagesAndLeavesAQuitRequest) {
    Receiver receiver;
    Win32MessagePump pump(0);
    receiver.Poke();
    receiver.Poke();
    EXPECT_TRUE(pump.ProcessMessages());
    EXPECT_EQ(receiver.pokes, 2);

    ::PostQuitMessage(7);
    EXPECT_FALSE(pump.ProcessMessages());
    MSG msg;
    ASSERT_TRUE(::PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 7u);
}

TEST_F(Win32ScanTest, AButtonHandlerCanStopTheScanThroughThePump) {
    for (int i = 0; i < 20; ++i)
        tree.File(std::to_string(i) + ".txt");
    Receiver cancel;
    cancel.onPoke = [&] { sf.StopScan = true; };
    sf.OnProcess = [&](TSearchFolders&, const std::string&, std::int64_t, std::int64_t) { cancel.Poke(); };
    sf.Scan();
    EXPECT_EQ(cancel.pokes, 1);
    EXPECT_LT(sf.CountFiles(), 20); // stopped after the first fetch

    sf.Messages = false; // nothing handles the click until the scan is over
    sf.Scan();
    EXPECT_EQ(sf.CountFiles(), 20);
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        ::DispatchMessageA(&msg);
}

} // namespace
} // namespace korva::win32
