// System message boxes (centred on the screen through a CBT hook, wide so that a name shows as given),
// the file-open dialog (wide, so that the window can take the chosen name through the rule for names)
// and the beep.
#include "platform/win32/Win32Prompts.h"

#include "platform/win32/SystemLibrary.h"

#include "platform/win32/Handles.h"
#include "platform/win32/CodePageText.h"
#include "platform/win32/WindowHelpers.h"

#include <commdlg.h>

#include <vector>

namespace korva::win32 {
namespace {

// The box being opened on this thread is moved to the centre of the screen's work area as soon as it
// is activated, then the hook removes itself.
HookHandle centreHook;

LRESULT CALLBACK CentreOnScreen(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE) {
        HWND box = reinterpret_cast<HWND>(wParam);
        RECT r{};
        ::GetWindowRect(box, &r);
        const POINT centre = CentredOnWorkArea(r.right - r.left, r.bottom - r.top);
        ::SetWindowPos(box, nullptr, centre.x, centre.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        centreHook.Reset();
        return 0;
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

UINT IconOf(MessageKind kind) {
    switch (kind) {
    case MessageKind::Warning: return MB_ICONWARNING;
    case MessageKind::Error:
    case MessageKind::AppError: return MB_ICONERROR;
    case MessageKind::Information: return MB_ICONINFORMATION;
    case MessageKind::Confirmation: return MB_ICONQUESTION;
    case MessageKind::Plain: break;
    }
    return 0;
}

// The window the box is modal to: the active window of this thread, if any.
HWND PromptOwner() { return ::GetActiveWindow(); }

} // namespace

int Win32Prompts::Message(MessageKind kind, const std::string& text, MessageButtons buttons) {
    return Message(kind, WideText(text), buttons);
}

int Win32Prompts::Message(MessageKind kind, const std::wstring& text, MessageButtons buttons) {
    UINT style = IconOf(kind) | (buttons == MessageButtons::YesNo ? MB_YESNO : MB_OK);
    HWND owner = PromptOwner();
    if (!owner)
        style |= MB_TASKMODAL;
    centreHook.Reset(::SetWindowsHookExA(WH_CBT, CentreOnScreen, nullptr, ::GetCurrentThreadId()));
    const int answer = ::MessageBoxW(owner, text.c_str(), WideText(MessageCaption(kind)).c_str(), style);
    centreHook.Reset(); // still there when the box never activated (it could not be shown)
    switch (answer) {
    case IDOK: return mrOk;
    case IDYES: return mrYes;
    case IDNO: return mrNo;
    default: return mrCancel;
    }
}

std::string OpenDialogFilter(const std::string& filter) {
    std::string result = filter;
    for (char& c : result)
        if (c == '|')
            c = '\0';
    result.push_back('\0');
    result.push_back('\0');
    return result;
}

bool Win32Prompts::OpenFile(OpenFileOptions& options) {
    // The wide dialog: the chosen name comes back as the system holds it, for the rule for names.
    const std::wstring filter = WideText(OpenDialogFilter(options.filter));
    const std::wstring initialDir = WideText(options.initialDir);
    const std::wstring title = WideText(options.title);
    const std::wstring defaultExt = WideText(options.defaultExt);
    std::vector<wchar_t> file(32768, L'\0');
    WideText(options.fileName).copy(file.data(), file.size() - 1);

    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = PromptOwner();
    ofn.lpstrFilter = filter.c_str();
    ofn.nFilterIndex = static_cast<DWORD>(options.filterIndex);
    ofn.lpstrFile = file.data();
    ofn.nMaxFile = static_cast<DWORD>(file.size());
    ofn.lpstrInitialDir = initialDir.empty() ? nullptr : initialDir.c_str();
    ofn.lpstrTitle = title.empty() ? nullptr : title.c_str();
    ofn.lpstrDefExt = defaultExt.empty() ? nullptr : defaultExt.c_str();
    ofn.Flags = OFN_EXPLORER | OFN_ENABLESIZING | OFN_NOCHANGEDIR;
    if (options.hideReadOnly)
        ofn.Flags |= OFN_HIDEREADONLY;
    if (options.pathMustExist)
        ofn.Flags |= OFN_PATHMUSTEXIST;
    if (options.fileMustExist)
        ofn.Flags |= OFN_FILEMUSTEXIST;

    // The dialog and the shell behind it are loaded at the first Browse, and need COM.
    UseCom();
    using Open = BOOL(WINAPI*)(OPENFILENAMEW*);
    static const auto open = RequiredFunction<Open>("comdlg32.dll", "GetOpenFileNameW");
    if (!open(&ofn))
        return false;
    options.filterIndex = static_cast<int>(ofn.nFilterIndex);
    options.chosen = file.data();
    return true;
}

void Win32Prompts::Beep() { ::MessageBeep(0); }

int Win32Prompts::ShowModal(ModalWindow& window) { return window.RunModal(); }

} // namespace korva::win32
