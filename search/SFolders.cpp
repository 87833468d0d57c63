// The folder scanner: the walk over drives and folders, the events and the records of the matches.
#include "search/SFolders.h"

#include "platform/PathText.h"

namespace korva {
namespace {

bool IsDotEntry(std::string_view name) { return name == "." || name == ".."; }

bool IsSearchableDrive(unsigned type) {
    return type == dtFixed || type == dtRemote || type == dtCdRom || type == dtRamDisk;
}

} // namespace

std::string JoinPath(std::string_view folder, std::string_view name, LeadByteTest isLeadByte) {
    if (folder.empty())
        return {};
    std::string path;
    path.reserve(folder.size() + 1 + name.size());
    path.append(folder);
    if (!EndsWithCharacterOf(folder, "\\", isLeadByte))
        path.push_back('\\');
    path.append(name);
    return path;
}

void TSearchFolders::Scan() {
    Files.clear();
    FCountFiles = 0;
    FSizeOfFiles = 0;

    TMaskList masks;
    ParseMaskList(masks, FileMask);

    StopScan = false;
    // The roots are copied: a handler may change ScanDir while the walk runs.
    switch (ScanOptions) {
    case soAllDisks:
        ScanAllDrives(masks);
        break;
    case soSpecifiedDisk:
        ScanFolder(ScanDir.substr(0, 2), masks);
        break;
    case soSpecifiedDir:
        ScanFolder(std::string(ScanDir), masks);
        break;
    }
    masks.clear();

    if (OnChanged)
        OnChanged(*this, FCountFiles, FSizeOfFiles);
}

void TSearchFolders::ScanAllDrives(const TMaskList& masks) {
    const std::uint32_t drives = FFolders.LogicalDrives();
    for (int drive = 0; drive < 26; ++drive) {
        if (!(drives & (std::uint32_t{1} << drive)))
            continue;
        const std::string root{static_cast<char>('a' + drive), ':', '\\'};
        if (IsSearchableDrive(FFolders.DriveType(root)))
            ScanFolder(std::string{static_cast<char>('A' + drive), ':'}, masks);
    }
}

void TSearchFolders::ScanFolder(const std::string& folder, const TMaskList& masks) {
    if (OnProcess)
        OnProcess(*this, folder, FCountFiles, FSizeOfFiles);

    const LeadByteTest isLeadByte = FFolders.LeadBytes();
    // Closed on every way out, exceptions from handlers included.
    const std::unique_ptr<FolderListing> listing = FFolders.OpenListing(JoinPath(folder, "*.*", isLeadByte));
    if (!listing)
        return;

    bool more = true;
    while (more && !StopScan) {
        const FolderEntry entry = listing->Entry();
        if (!IsDotEntry(entry.Name)) {
            if (MatchesAnyMask(masks, entry.Name)) {
                ++FCountFiles;
                FSizeOfFiles = static_cast<std::int64_t>(static_cast<std::uint64_t>(FSizeOfFiles) + entry.Size);
                if (UpdateList)
                    AddFound(folder, entry, *listing);
            }
            // A junction or symbolic link is tested like any entry but not entered: it may lead back
            // to a folder above it, and the walk would never end.
            if (DoRecursive && (entry.Attr & kAttrDirectory) && !(entry.Attr & kAttrReparsePoint))
                ScanFolder(JoinPath(folder, entry.Name, isLeadByte), masks);
        }
        more = listing->Next();
        // While a quit request waits, the windows get no input and no painting: the walk ends as a stop
        // does, so that the program's loops read the request.
        if (Messages && !FPump.ProcessMessages())
            StopScan = true;
    }
}

void TSearchFolders::AddFound(const std::string& folder, const FolderEntry& entry, const FolderListing& listing) {
    Files.emplace_back(std::string(entry.Name), JoinPath(folder, {}, FFolders.LeadBytes()),
                       static_cast<std::int64_t>(entry.Size), entry.Attr, listing.EntryTime());
}

} // namespace korva
