// The folder scanner: walks one folder, one drive or every searchable drive, tests the name of each
// entry it meets against a mask list, counts and sums the matches and records each of them.
#pragma once

#include "platform/FolderSystem.h"
#include "platform/MessagePump.h"
#include "search/Masks.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace korva {

// Where a scan starts.
enum TScanOptions : std::uint8_t {
    soAllDisks = 0,      // every existing fixed, remote, CD-ROM or RAM drive, A to Z, each from its root
    soSpecifiedDisk = 1, // the drive named by the first two characters of ScanDir, from its root
    soSpecifiedDir = 2,  // the folder ScanDir itself
};

// One match.
class TFilePack {
public:
    TFilePack(std::string name, std::string path, std::int64_t size, std::uint32_t attr, std::uint32_t time)
        : Name(std::move(name)), Path(std::move(path)), Size(size), Attr(attr), Time(time) {}

    std::string Name;   // the entry's own name, as the file system lists it
    std::string Path;   // the folder that holds it, always ending in "\"
    std::int64_t Size;  // in bytes, as the file system reports it (folders too)
    std::uint32_t Attr; // attribute bits as reported (kAttrDirectory marks a folder)
    std::uint32_t Time; // last write, local time, MS-DOS packed: date high 16 bits, time low 16 bits
};

class TSearchFolders;

// A folder is about to be listed; the totals are those of the entries examined before it.
using TOnProcessEvent = std::function<void(TSearchFolders& Sender, const std::string& Dir,
                                           std::int64_t CountFiles, std::int64_t SizeOfFiles)>;
// A scan has ended, run to its end or stopped; the final totals.
using TOnChangedEvent = std::function<void(TSearchFolders& Sender, std::int64_t CountFiles,
                                           std::int64_t SizeOfFiles)>;

// folder + name with one "\" between them: nothing added when the folder's last character is "\"
// (a double-byte character, told by isLeadByte, is one character), "\" added otherwise. An empty
// folder gives an empty text; an empty name gives the folder with a trailing "\" ensured.
std::string JoinPath(std::string_view folder, std::string_view name, LeadByteTest isLeadByte = nullptr);

// The scanner. It reaches the disk only through the FolderSystem and, while Messages is set, lets the
// pump handle the window messages waiting during the walk; both must outlive it.
//
// Everything runs on the caller's thread. Handlers called during Scan (the events, and window
// message handlers through the pump) may read and set any property, StopScan in particular. When the
// pump meets a quit request, the scan stops as if StopScan had been set, and sets it.
class TSearchFolders {
public:
    TSearchFolders(FolderSystem& folders, MessagePump& pump) : FFolders(folders), FPump(pump) {}
    TSearchFolders(const TSearchFolders&) = delete;
    TSearchFolders& operator=(const TSearchFolders&) = delete;

    std::string FileMask = "*";          // masks separated by commas
    bool UpdateList = true;              // record every match in Files
    TScanOptions ScanOptions = soAllDisks;
    std::string ScanDir = "C:\\";        // the folder for soSpecifiedDir; the drive for soSpecifiedDisk
    bool Messages = true;                // handle waiting window messages after every entry fetched
    bool DoRecursive = true;             // walk into the sub-folders met
    TOnProcessEvent OnProcess;           // may be empty
    TOnChangedEvent OnChanged;           // may be empty
    bool StopScan = false;               // set during a scan to end it early; cleared as a scan begins
    std::vector<TFilePack> Files;        // the matches of the last scan, in the order found

    // Number and total size in bytes of the matches of the current or last scan.
    std::int64_t CountFiles() const { return FCountFiles; }
    std::int64_t SizeOfFiles() const { return FSizeOfFiles; }

    // Runs one complete scan and returns when the walk has ended or was stopped; then fires OnChanged.
    // Throws the invalid-mask error (Masks.h) when an entry of FileMask is invalid, before anything is
    // walked or announced, with Files empty and the totals 0. A folder or drive that cannot be listed
    // yields no entries and no error. An exception from a handler passes through with every listing
    // closed; Files and the totals keep what was found so far and OnChanged does not fire.
    void Scan();

private:
    void ScanAllDrives(const TMaskList& masks);
    void ScanFolder(const std::string& folder, const TMaskList& masks);
    void AddFound(const std::string& folder, const FolderEntry& entry, const FolderListing& listing);

    FolderSystem& FFolders;
    MessagePump& FPump;
    std::int64_t FCountFiles = 0;
    std::int64_t FSizeOfFiles = 0;
};

} // namespace korva
