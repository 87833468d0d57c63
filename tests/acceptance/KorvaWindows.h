// KORVA's windows and texts as the user meets them: the captions to look for, the messages the program
// shows, and the main window with its controls found by caption.
#pragma once

#include "Desktop.h"
#include "support/TestFiles.h"

#include <string>
#include <vector>

namespace korva::acceptance {

inline constexpr const char* kMainClass = "TfrmMain";
inline constexpr const char* kMainCaption = "Velmora v1.55";
inline constexpr const char* kMapDialogCaption = "Select the map to compile";
inline constexpr const char* kConfigCaption = "KORVA Automatic Configuration";
inline constexpr const char* kChooserCaption = "Select folder...";

inline constexpr const char* kConfigureText =
    "Please configure KORVA by pressing the \"Configuration\" button, and "
    "then pressing \"Scan\" in the configuration screen.";
inline constexpr const char* kRefusedMapText =
    "Only .map files can be compiled\rTo make a .map file in Worldcraft, "
    "select \"export to .map\" from the file menu";

// The choices of the compile-mode group, in mode order.
inline const std::vector<std::string> kModes = {"&Fast Compile",
                                                "F&ull Compile",
                                                "F&inal (release) Compile",
                                                "C&heck map for leaks only",
                                                "U&pdate entities only",
                                                "E&ntities only; no lights"};

// The main window of a running copy, found by its class and caption.
class MainWindow {
public:
    // Waits for the window of that process to show.
    explicit MainWindow(DWORD processId, int milliseconds = kWaitMs);
    explicit operator bool() const { return window_ != nullptr; }
    HWND Handle() const { return window_; }

    // Presses the button with this caption; fails the test when there is none.
    void Press(const char* caption) const;
    void ChooseMode(int mode) const;
    // The index of the ticked compile-mode choice, or -1 when none is ticked.
    int CheckedMode() const;
    bool RunGameTicked() const;
    void SetRunGame(bool tick) const;
    // What the map's file-name box shows.
    std::string FileName() const;
    // Waits until the file-name box shows this text; false when it did not in time.
    bool WaitForFileName(const std::string& text) const;
    // The lines of the help box under the modes.
    std::vector<std::string> HelpLines() const;

    // Presses Browse and answers the file dialog with this path.
    bool Browse(const std::string& path) const { return Browse(test::Wide(path)); }
    bool Browse(const std::wstring& path) const;
    // Presses Exit and waits for the window to go (not for the program to end).
    void Exit() const;

private:
    HWND Child(const char* className, const char* caption) const;
    HWND Edit(bool multiLine) const;

    DWORD processId_ = 0;
    HWND window_ = nullptr;
};

} // namespace korva::acceptance
