// An in-memory file system for the scanner's tests: drives with their types and folders whose
// listings come in the order the entries were added, "." and ".." first except in drive roots.
#pragma once

#include "platform/FolderSystem.h"
#include "platform/MessagePump.h"

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace korva::fakes {

struct FakeEntry {
    std::string Name;
    std::uint32_t Attr = 0;
    std::uint64_t Size = 0;
    std::uint32_t Time = 0;
};

class FakeFolderSystem : public FolderSystem {
public:
    // Paths are Windows paths without a trailing "\" ("C:", "C:\Tools\QCSG.EXE"), looked up ignoring
    // ASCII case. Missing parent folders are added first, each to its own parent's listing.
    void AddDrive(char letter, unsigned type);
    void AddFolder(const std::string& path, std::uint32_t attr = kAttrDirectory);
    void AddFile(const std::string& path, std::uint64_t size = 0, std::uint32_t attr = kAttrArchive,
                 std::uint32_t time = 0);

    std::uint32_t LogicalDrives() override { return drives; }
    unsigned DriveType(const std::string& root) override;
    std::unique_ptr<FolderListing> OpenListing(const std::string& pattern) override;
    LeadByteTest LeadBytes() const override { return leadBytes; }

    std::uint32_t drives = 0;
    std::map<char, unsigned> driveTypes;        // by upper-case letter
    LeadByteTest leadBytes = nullptr;
    std::vector<std::string> driveTypeQueries;  // roots asked for, in order
    std::vector<std::string> openedPatterns;    // patterns given to OpenListing, in order
    int openListings = 0;                       // listings not closed yet
    int fetches = 0;                            // successful and failed calls of Next

private:
    void AddEntry(const std::string& path, FakeEntry entry);
    std::map<std::string, std::vector<FakeEntry>> folders_; // by upper-cased path
};

// Counts its calls and runs a handler on each, as a window message handler would run.
class FakeMessagePump : public MessagePump {
public:
    bool ProcessMessages() override {
        ++calls;
        if (onPump)
            onPump();
        return !quitRequested;
    }
    int calls = 0;
    std::function<void()> onPump;
    bool quitRequested = false; // answer as a pump that has met a quit request
};

} // namespace korva::fakes
