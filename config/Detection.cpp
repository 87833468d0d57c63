// The automatic detection, step by step.
#include "config/Detection.h"

#include <utility>

namespace korva {
namespace {

// Sets a flag for the lifetime of a scope, errors included.
class FlagScope {
public:
    explicit FlagScope(bool& flag) : flag_(flag) { flag_ = true; }
    ~FlagScope() { flag_ = false; }
    FlagScope(const FlagScope&) = delete;
    FlagScope& operator=(const FlagScope&) = delete;

private:
    bool& flag_;
};

// What the dialog shows during one search, put back however the search ends.
class SearchScope {
public:
    SearchScope(DetectionParts& parts, bool showProgress) : parts_(parts), showProgress_(showProgress) {
        parts_.view.SetSearching(true);
        if (!showProgress_)
            return;
        savedOnProcess_ = std::move(parts_.scanner.OnProcess);
        parts_.scanner.OnProcess = [this](TSearchFolders&, const std::string& dir, std::int64_t, std::int64_t) {
            parts_.view.ShowSearchFolder(dir);
        };
        parts_.cursor.Set(CursorShape::Hourglass);
    }
    ~SearchScope() {
        if (showProgress_) {
            parts_.cursor.Set(CursorShape::Default);
            parts_.scanner.OnProcess = std::move(savedOnProcess_);
            parts_.view.ShowSearchFolder({});
        }
        parts_.view.SetSearching(false);
    }
    SearchScope(const SearchScope&) = delete;
    SearchScope& operator=(const SearchScope&) = delete;

private:
    DetectionParts& parts_;
    bool showProgress_;
    TOnProcessEvent savedOnProcess_;
};

} // namespace

void Detection::Cancel() {
    if (!running_)
        return;
    cancelled_ = true;
    parts_.scanner.StopScan = true;
}

bool Detection::Search(bool showProgress) {
    // Cancelled while no scan ran (the dialog closed while the question was open): none is started,
    // since starting one clears StopScan.
    if (cancelled_)
        return false;
    {
        SearchScope scope(parts_, showProgress);
        parts_.scanner.Scan();
    }
    // Only Cancel and a quit request read during the walk stop a scan.
    if (parts_.scanner.StopScan)
        cancelled_ = true;
    return !cancelled_;
}

std::optional<std::string> Detection::ChooseAmongFound() {
    if (!chooser_)
        return std::nullopt;
    std::vector<std::string> folders;
    for (const TFilePack& found : parts_.scanner.Files)
        folders.push_back(found.Path);
    return chooser_->Choose(folders);
}

std::optional<std::string> Detection::InstalledFolder(const char* keyPath) {
    const auto key = parts_.registry.OpenKey(keyPath);
    if (!key)
        return std::nullopt;
    return key->ReadString(kDirectoryValue);
}

void Detection::Run() {
    if (running_)
        return;
    FlagScope running(running_);
    cancelled_ = false;
    StoredFolders& folders = parts_.folders;
    DetectionView& view = parts_.view;
    // A cancelled detection leaves the stored folders as they were before it.
    const StoredFolders before = folders;

    view.Reset();

    if (const auto directory = InstalledFolder(kHalfLifeKey)) {
        folders.HLPath = *directory + "\\";
        view.ShowStatus(StatusLabel::lblSuccesHL);
        view.ShowFolder(FolderEdit::edHLDir, folders.HLPath);
    } else {
        view.ShowStatus(StatusLabel::lblFailHL);
        view.ShowFolder(FolderEdit::edHLDir, kFolderNotFound);
    }

    bool editorRead = false;
    if (const auto directory = InstalledFolder(kEditorKey)) {
        folders.WCPath = *directory + "\\";
        folders.MapsPath = *directory + "\\maps\\";
        view.ShowStatus(StatusLabel::lblSuccesMaps);
        editorRead = true;

        switch (QuickSearch()) {
        case Outcome::Found:
            view.ShowFolder(FolderEdit::edToolsDir, folders.ToolsPath);
            view.ShowFolder(FolderEdit::edMapsDir, folders.MapsPath);
            return;
        case Outcome::NotChosen:
            // No choice is no folder: the tools edit keeps what it showed.
            view.ShowFolder(FolderEdit::edMapsDir, folders.MapsPath);
            return;
        case Outcome::Cancelled:
            folders = before;
            return;
        case Outcome::NotFound:
            break;
        }
    }

    view.ShowStatus(StatusLabel::lblFailQTools);
    if (!editorRead)
        view.ShowStatus(StatusLabel::lblFailMaps);
    if (parts_.prompts.Message(MessageKind::Confirmation, kSearchQuestion, MessageButtons::YesNo) == mrYes) {
        FullSearch();
        if (cancelled_)
            folders = before;
    } else {
        Declined();
    }
}

Detection::Outcome Detection::QuickSearch() {
    StoredFolders& folders = parts_.folders;
    TSearchFolders& scanner = parts_.scanner;
    DetectionView& view = parts_.view;

    // First look: directly in the editor's folder.
    scanner.FileMask = kToolsMask;
    scanner.ScanOptions = soSpecifiedDir;
    scanner.ScanDir = folders.WCPath;
    scanner.DoRecursive = false;
    scanner.Files.clear();
    if (!Search(false))
        return Outcome::Cancelled;
    if (!scanner.Files.empty()) {
        view.ShowStatus(StatusLabel::lblSuccesQTools);
        view.ShowStatus(StatusLabel::lblFToolsSkip);
        folders.ToolsPath = folders.WCPath;
        return Outcome::Found;
    }

    // Second look: the same folder with everything below it.
    scanner.Files.clear();
    scanner.DoRecursive = true;
    if (!Search(false))
        return Outcome::Cancelled;
    if (scanner.Files.empty())
        return Outcome::NotFound;
    if (scanner.Files.size() == 1) {
        folders.ToolsPath = scanner.Files.front().Path;
        return Outcome::Found;
    }
    view.ShowStatus(StatusLabel::lblFToolsSkip);
    auto chosen = ChooseAmongFound();
    if (!chosen)
        return Outcome::NotChosen;
    folders.ToolsPath = std::move(*chosen);
    return Outcome::Found;
}

void Detection::FullSearch() {
    StoredFolders& folders = parts_.folders;
    TSearchFolders& scanner = parts_.scanner;
    DetectionView& view = parts_.view;

    scanner.FileMask = kToolsMask;
    scanner.ScanOptions = soAllDisks;
    scanner.ScanDir = "C:\\";
    scanner.DoRecursive = true;
    scanner.Files.clear();
    if (!Search(true))
        return;

    if (scanner.Files.empty()) {
        FoundNothing();
        return;
    }
    if (scanner.Files.size() == 1) {
        folders.ToolsPath = scanner.Files.front().Path;
    } else if (auto chosen = ChooseAmongFound()) {
        folders.ToolsPath = std::move(*chosen);
    } else {
        return; // no choice: the tools folder and its edit stay as they were, with no success label
    }
    view.ShowFolder(FolderEdit::edToolsDir, folders.ToolsPath);
    view.ShowStatus(StatusLabel::lblSuccesFTools);
}

void Detection::FoundNothing() {
    DetectionView& view = parts_.view;
    view.ShowStatus(StatusLabel::lblFailFtools);
    if (!view.ManualConfig())
        view.ToggleManualConfig();
    view.FocusToolsDir();
    parts_.prompts.Beep();
    parts_.prompts.Message(MessageKind::Plain, kToolsNotFoundMessage, MessageButtons::Ok);
    view.ShowFolder(FolderEdit::edToolsDir, parts_.folders.ToolsPath);
}

void Detection::Declined() {
    DetectionView& view = parts_.view;
    view.ShowStatus(StatusLabel::lblFToolsSkip);
    if (!view.ManualConfig())
        view.ToggleManualConfig();
    view.FocusToolsDir();
}

} // namespace korva
