// The in-memory file system for the scanner's tests.
#include "tests/fakes/FakeFolderSystem.h"

namespace korva::fakes {
namespace {

std::string Key(std::string path) {
    for (char& c : path)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return path;
}

class FakeListing : public FolderListing {
public:
    FakeListing(std::vector<FakeEntry> entries, FakeFolderSystem& owner)
        : entries_(std::move(entries)), owner_(owner) {
        ++owner_.openListings;
    }
    ~FakeListing() override { --owner_.openListings; }

    FolderEntry Entry() const override {
        const FakeEntry& e = entries_.at(index_);
        return {e.Name, e.Attr, e.Size};
    }
    std::uint32_t EntryTime() const override { return entries_.at(index_).Time; }
    bool Next() override {
        ++owner_.fetches;
        return ++index_ < entries_.size();
    }

private:
    std::vector<FakeEntry> entries_;
    std::size_t index_ = 0;
    FakeFolderSystem& owner_;
};

} // namespace

void FakeFolderSystem::AddDrive(char letter, unsigned type) {
    const char upper = Key(std::string(1, letter))[0];
    drives |= std::uint32_t{1} << (upper - 'A');
    driveTypes[upper] = type;
    folders_.try_emplace(Key(std::string{upper, ':'}));
}

void FakeFolderSystem::AddEntry(const std::string& path, FakeEntry entry) {
    const std::size_t slash = path.rfind('\\');
    if (slash == std::string::npos) { // a drive root
        folders_.try_emplace(Key(path));
        return;
    }
    const std::string parent = path.substr(0, slash);
    if (!folders_.count(Key(parent)))
        AddFolder(parent);
    entry.Name = path.substr(slash + 1);
    folders_[Key(parent)].push_back(entry);
    if (entry.Attr & kAttrDirectory)
        folders_[Key(path)] = {{".", kAttrDirectory}, {"..", kAttrDirectory}};
}

void FakeFolderSystem::AddFolder(const std::string& path, std::uint32_t attr) {
    AddEntry(path, {{}, attr, 0, 0});
}

void FakeFolderSystem::AddFile(const std::string& path, std::uint64_t size, std::uint32_t attr,
                               std::uint32_t time) {
    AddEntry(path, {{}, attr, size, time});
}

unsigned FakeFolderSystem::DriveType(const std::string& root) {
    driveTypeQueries.push_back(root);
    if (root.size() != 3 || root[1] != ':' || root[2] != '\\')
        return dtNoRootDir;
    const auto it = driveTypes.find(Key(root)[0]);
    return it == driveTypes.end() ? dtNoRootDir : it->second;
}

std::unique_ptr<FolderListing> FakeFolderSystem::OpenListing(const std::string& pattern) {
    openedPatterns.push_back(pattern);
    const std::string suffix = "\\*.*";
    if (pattern.size() <= suffix.size() || pattern.compare(pattern.size() - suffix.size(), suffix.size(), suffix))
        return nullptr;
    const auto it = folders_.find(Key(pattern.substr(0, pattern.size() - suffix.size())));
    if (it == folders_.end() || it->second.empty())
        return nullptr;
    return std::make_unique<FakeListing>(it->second, *this);
}

} // namespace korva::fakes
