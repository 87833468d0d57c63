// What a user sees and does on the desktop, for tests that drive the real program from outside: finding
// a program's windows by class and caption, reading their texts, pressing buttons, answering message
// boxes and the file-open dialog. Everything here works on windows of another process, so it uses only
// messages that the system carries across processes (BM_CLICK, WM_GETTEXT, WM_SETTEXT, ...); list views
// are read through a buffer in the other process.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace korva::acceptance {

inline constexpr int kWaitMs = 15000; // how long a user waits for a window before giving up

// Polls the condition until it holds or the time is up; returns its last value.
bool WaitUntil(const std::function<bool()>& condition, int milliseconds = kWaitMs);

// The visible top-level window of the process with this class and caption (null: any), or none.
HWND FindTopWindow(DWORD processId, const char* className, const char* caption);
// Waits for that window; none when it did not appear in time.
HWND WaitForTopWindow(DWORD processId, const char* className, const char* caption,
                      int milliseconds = kWaitMs);
// Waits until no visible window of that class and caption is left.
bool WaitUntilGone(HWND window, int milliseconds = kWaitMs);

// The first child (at any depth) of that class whose caption is exactly this text (null: any caption).
HWND FindChild(HWND parent, const char* className, const char* caption);
// All children (at any depth) of that class, in the order the system lists them.
std::vector<HWND> Children(HWND parent, const char* className);

std::string TextOf(HWND window);
// The text in UTF-16, as a Unicode window holds it.
std::wstring WideTextOf(HWND window);
// Pastes the text into an edit as the user would: on the clipboard in UTF-16, then Ctrl+V's WM_PASTE.
bool Paste(HWND edit, const std::wstring& text);
// Drops files on a window as Explorer does: WM_DROPFILES with a DROPFILES block naming them in UTF-16,
// in memory of GlobalAlloc's in the window's own process, which releases it. False when the drop could
// not be posted. Does not wait for the window to take it.
bool DropFiles(HWND window, const std::vector<std::wstring>& files);
// Presses a button, a check box or a radio choice as a click would; does not wait for what it starts.
void Press(HWND button);
// Finds the child button with this caption and presses it; false when there is none.
bool PressButton(HWND parent, const char* caption);
bool IsChecked(HWND button);
bool IsEnabled(HWND window);
bool IsVisible(HWND window);

// A message box of the process: its window, caption and text.
struct MessageBoxSeen {
    HWND window = nullptr;
    std::string caption;
    std::string text;
    std::wstring wideText; // the text as the box holds it, in UTF-16
    explicit operator bool() const { return window != nullptr; }
};
// Waits for a message box with this caption; an empty result when none appeared in time.
MessageBoxSeen WaitForMessageBox(DWORD processId, const char* caption, int milliseconds = kWaitMs);
// Presses the box's button with this caption ("OK", "&Yes", "&No") and waits until the box has gone.
bool Answer(const MessageBoxSeen& box, const char* button);

// Answers the file-open dialog with this caption: types the path into its file-name box and presses
// Open. False when the dialog did not appear or did not close. A path in UTF-16 may hold characters the
// code page lacks, as a user's own files may.
bool ChooseFile(DWORD processId, const char* dialogCaption, const std::wstring& path);
// Closes the file-open dialog with Cancel.
bool CancelFileDialog(DWORD processId, const char* dialogCaption);

// A list view of another process, read and clicked as the user would.
class RemoteListView {
public:
    explicit RemoteListView(HWND list) : list_(list) {}
    int Count() const;
    std::string ItemText(int item) const;
    std::vector<std::string> Items() const;
    // Clicks the row (selecting it) and double-clicks it.
    void DoubleClickItem(int item) const;

private:
    RECT ItemRect(int item) const;
    HWND list_;
};

} // namespace korva::acceptance
