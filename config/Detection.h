// The automatic detection behind the configuration dialog's Scan button: the game's and the level
// editor's installation entries from the registry, the compile tools (QCSG.EXE) in and below the editor's
// folder and, if the user agrees, on every drive, and the choice among several tools folders. It reaches
// the dialog, the chooser, the registry, the scanner and the prompts only through the interfaces below,
// so each step is tested without windows.
#pragma once

#include "platform/Cursor.h"
#include "platform/Folders.h"
#include "platform/Prompts.h"
#include "platform/Registry.h"
#include "search/SFolders.h"

#include <optional>
#include <string>
#include <vector>

namespace korva {

// The folders the configuration dialog keeps for the whole run of the program: the three folders and
// the level editor's. They start empty and are written only by the detection and by the dialog's browse
// buttons; each value written ends in a backslash.
struct StoredFolders : Folders {
    std::string WCPath; // the level editor's folder, where the tools are looked for first
};

// The nine status labels of the dialog, in the order Reset hides them.
enum class StatusLabel {
    lblSuccesHL,
    lblFailHL,
    lblSuccesQTools,
    lblFailQTools,
    lblSuccesFTools,
    lblFailFtools,
    lblFToolsSkip,
    lblSuccesMaps,
    lblFailMaps,
};

// The dialog's three folder edits.
enum class FolderEdit { edHLDir, edToolsDir, edMapsDir };

// What the detection shows and changes in the dialog.
class DetectionView {
public:
    virtual ~DetectionView() = default;
    // Hides the nine status labels and switches manual configuration off if it is on.
    virtual void Reset() = 0;
    virtual void ShowStatus(StatusLabel label) = 0;
    virtual void ShowFolder(FolderEdit edit, const std::string& text) = 0;
    // Manual configuration: the browse buttons enabled and the edits writable.
    virtual bool ManualConfig() const = 0;
    virtual void ToggleManualConfig() = 0;
    virtual void FocusToolsDir() = 0;
    // A search starts (true) or has ended (false). While it runs only the way out is usable: Scan, OK
    // and the manual toggle are disabled, Cancel and Esc stay usable and call Detection::Cancel.
    virtual void SetSearching(bool searching) = 0;
    // The folder the full search is walking; empty clears the line.
    virtual void ShowSearchFolder(const std::string& folder) = 0;
};

// The location chooser: the user picks one of several tools folders.
class FolderChooser {
public:
    virtual ~FolderChooser() = default;
    // Offers the folders in the given order and returns the text of the row the user left selected
    // (possibly edited in place), or nothing when no row was selected. Nothing counts as no choice:
    // the tools folder and its edit stay as they were.
    virtual std::optional<std::string> Choose(const std::vector<std::string>& folders) = 0;
};

// The registry entries and texts of the detection.
inline constexpr const char* kHalfLifeKey = "\\Software\\Sierra OnLine\\Setup\\HALFLIFE";
inline constexpr const char* kEditorKey = "\\Software\\Sierra OnLine\\Setup\\WC";
inline constexpr const char* kDirectoryValue = "Directory";
inline constexpr const char* kToolsMask = "QCSG.EXE";
inline constexpr const char* kFolderNotFound = "Folder not found";
inline constexpr const char* kSearchQuestion =
    "Compile tools were not initially found. KORVA can search for the files, which might take up to a "
    "minute, or you can manually enter their location.\r"
    "Do you want KORVA to search for the tools?";
inline constexpr const char* kToolsNotFoundMessage = "Compile tools were not found on your system!";

struct DetectionParts {
    Registry& registry;
    TSearchFolders& scanner; // the dialog's sfFileFind
    DetectionView& view;
    Prompts& prompts;
    Cursor& cursor;
    StoredFolders& folders;
};

// Runs the detection on the dialog's parts, which must outlive it. The chooser is attached once it
// exists (it is created after the dialog); without one, several finds count as none chosen.
class Detection {
public:
    explicit Detection(const DetectionParts& parts) : parts_(parts) {}
    Detection(const Detection&) = delete;
    Detection& operator=(const Detection&) = delete;

    void SetChooser(FolderChooser* chooser) { chooser_ = chooser; }

    // One detection, from Reset to its end. Registry errors pass through (the dialog's dispatch shows
    // them): the labels shown and folders found so far stay, and the open key is closed. A call while a
    // detection runs (from a handler during its search) does nothing. A search that the scanner stopped
    // by itself (on a quit request) ends the detection as Cancel does.
    void Run();
    bool Running() const { return running_; }
    // Stops the search under way; the detection then ends without changing the stored folders. Does
    // nothing when no detection runs.
    void Cancel();

private:
    // NotChosen: found in several folders, and the chooser closed with none of them selected.
    enum class Outcome { Found, NotChosen, NotFound, Cancelled };
    // The "Directory" value of an installation key, read with the key open only meanwhile. Nothing when
    // the key is missing or the value names a folder the system code page cannot hold: either way the
    // row shows FAILED.
    std::optional<std::string> InstalledFolder(const char* keyPath);
    Outcome QuickSearch();
    void FullSearch();
    void Declined();
    // One scan with the scanner as set; false when it was cancelled.
    bool Search(bool showProgress);
    std::optional<std::string> ChooseAmongFound();
    void FoundNothing();

    DetectionParts parts_;
    FolderChooser* chooser_ = nullptr;
    bool running_ = false;
    bool cancelled_ = false;
};

} // namespace korva
