// Every modal interaction of the program: message boxes, the file-open dialog, the default beep and the
// modal showing of a window. One interface, so that tests can answer each prompt and record it.
#pragma once

#include <string>

namespace korva {

// The kinds of message box. Each has its caption and icon: "Warning", "Error", "Information" and
// "Confirm" with the system's matching icon; Plain is captioned "KORVA" with no icon; AppError is the
// box in which an escaped error is shown, captioned "KORVA" with the error icon.
enum class MessageKind { Warning, Error, Information, Confirmation, Plain, AppError };

enum class MessageButtons { Ok, YesNo };

// Results of message boxes and modal windows; the values are the system's (1 OK, 2 Cancel, 6 Yes, 7 No).
enum ModalResult : int { mrNone = 0, mrOk = 1, mrCancel = 2, mrYes = 6, mrNo = 7 };

// The application title: the taskbar entry and the caption of plain and error boxes.
inline constexpr const char* kApplicationTitle = "KORVA";

// The caption of a message box of the given kind.
const char* MessageCaption(MessageKind kind);

// What the file-open dialog shows and what it returns. The object outlives one showing, so it keeps the
// last chosen file, which it offers again next time.
struct OpenFileOptions {
    std::string title;
    std::string filter;      // "Name|pattern|Name|pattern", as the user sees the entries
    int filterIndex = 1;     // the active entry, counted from 1
    std::string initialDir;  // empty: the system's choice
    std::string fileName;    // the offered name (may be empty); the window keeps the last choice here
    std::string defaultExt;  // without the dot, or empty
    bool hideReadOnly = false;
    bool pathMustExist = false;
    bool fileMustExist = false;
    // Only the chosen file's folder is used, so the file's own name need not pass the rule for names.
    bool folderOnly = false;
    // The chosen file's full path exactly as the system gives it, for the rule for names
    // (platform/SystemNames.h), which the window applies.
    std::wstring chosen;
};

// A window that can run modally: shows itself, runs a nested event loop until it is closed and returns
// its modal result.
class ModalWindow {
public:
    virtual ~ModalWindow() = default;
    virtual int RunModal() = 0;
};

class Prompts {
public:
    virtual ~Prompts() = default;
    // Shows a modal message box, centred on the screen, and returns mrOk, mrYes or mrNo. A box that the
    // system closes without an answer (a quit request read meanwhile) returns mrCancel.
    virtual int Message(MessageKind kind, const std::string& text, MessageButtons buttons) = 0;
    // The same for a text in UTF-16: a message that names a name exactly as the user gave it, whatever
    // the code page holds.
    virtual int Message(MessageKind kind, const std::wstring& text, MessageButtons buttons) = 0;
    // Runs the file-open dialog; true when a file was chosen: options.chosen then holds its full path and
    // options.filterIndex the entry active at the end. False when the user cancelled.
    virtual bool OpenFile(OpenFileOptions& options) = 0;
    // The system's default sound.
    virtual void Beep() = 0;
    // Shows a window modally and returns its modal result.
    virtual int ShowModal(ModalWindow& window) = 0;
};

} // namespace korva
