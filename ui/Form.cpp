// Top-level windows: creation, event dispatch, focus, modal loop, display scale.
#include "ui/Form.h"

#include "platform/Error.h"
#include "platform/win32/MessageLoop.h"
#include "platform/win32/WindowHelpers.h"
#include "res/resource.h"
#include "ui/Controls.h"

// Windows XP's headers hide these messages of Windows 8.1 and 10.
#ifndef WM_DPICHANGED
#define WM_DPICHANGED 0x02E0
#endif
#ifndef WM_GETDPISCALEDSIZE
#define WM_GETDPISCALEDSIZE 0x02E4
#endif

namespace korva::ui {
namespace {

// The program's icon; programs without it (some tests) get the system's default.
HICON ProgramIcon() {
    HICON icon = ::LoadIconA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_KORVA));
    return icon ? icon : ::LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION));
}

struct FrameStyle {
    DWORD style;
    DWORD exStyle;
};

FrameStyle StyleOf(const FormDesign& design) {
    FrameStyle f{};
    switch (design.border) {
    case FormBorder::Single:
        f = {WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, 0};
        break;
    case FormBorder::Dialog:
        f = {WS_POPUP | WS_CAPTION | WS_SYSMENU, WS_EX_DLGMODALFRAME};
        break;
    case FormBorder::DialogNoIcons:
        f = {WS_POPUP | WS_CAPTION, WS_EX_DLGMODALFRAME};
        break;
    case FormBorder::ToolWindowNoIcons:
        f = {WS_POPUP | WS_CAPTION, WS_EX_TOOLWINDOW};
        break;
    }
    if (design.topMost)
        f.exStyle |= WS_EX_TOPMOST;
    return f;
}

// The form's font at that size and scale.
win32::FontHandle FontAt(FontSize size, const Scale& scale) {
    const FontRequest font = scale.Font(size);
    return win32::FontHandle(::CreateFontA(font.height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                           OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                           DEFAULT_PITCH | FF_DONTCARE, font.face));
}

// The names of a drop, in UTF-16 as the system holds them; the drop is released.
std::vector<std::wstring> DroppedFiles(HDROP drop) {
    const win32::DropHandle owned(drop);
    std::vector<std::wstring> files;
    const UINT count = win32::QueryDroppedFile(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        std::wstring name(win32::QueryDroppedFile(drop, i, nullptr, 0) + 1, L'\0');
        name.resize(win32::QueryDroppedFile(drop, i, name.data(), static_cast<UINT>(name.size())));
        files.push_back(std::move(name));
    }
    return files;
}

// User Interface Privilege Isolation (Vista and later) keeps messages of programs with less rights from
// a program run as administrator: Explorer's drop would never arrive. These three carry it.
void LetDropsThrough(HWND window) {
    constexpr UINT kCopyGlobalData = 0x0049; // WM_COPYGLOBALDATA, which carries the dropped names
    constexpr DWORD kAllow = 1;              // MSGFLT_ALLOW, and MSGFLT_ADD of the older function
    const UINT messages[] = {WM_DROPFILES, WM_COPYDATA, kCopyGlobalData};
    using ForWindow = BOOL(WINAPI*)(HWND, UINT, DWORD, void*); // Windows 7: this window only
    using ForProgram = BOOL(WINAPI*)(UINT, DWORD);             // Vista: every window of the program
    if (const auto forWindow = win32::NewerUser32Function<ForWindow>("ChangeWindowMessageFilterEx")) {
        for (UINT message : messages)
            forWindow(window, message, kAllow, nullptr);
    } else if (const auto forProgram = win32::NewerUser32Function<ForProgram>("ChangeWindowMessageFilter")) {
        for (UINT message : messages)
            forProgram(message, kAllow);
    }
}

} // namespace

Form::Form(Prompts& prompts, const FormDesign& design)
    : prompts_(prompts), design_(design), scale_(SystemDpi()),
      class_(design.className, WindowProc, ProgramIcon()), owner_(design.owner) {
    fonts_.push_back({design.font, FontAt(design.font, scale_)});
    const FrameStyle frame = StyleOf(design);
    const SIZE size = OuterSize(scale_);
    POINT at{scale_.Of(design.left), scale_.Of(design.top)};
    if (design.position == FormPosition::ScreenCenter)
        at = win32::CentredOnWorkArea(size.cx, size.cy);
    // WM_NCCREATE stores this object and the handle (see WindowProc).
    if (!::CreateWindowExA(frame.exStyle, design.className, design.caption.c_str(), frame.style, at.x, at.y,
                           size.cx, size.cy, design.owner, nullptr, ::GetModuleHandleA(nullptr), this))
        throw Error("Unable to create the window \"" + design.caption + "\"");
    ::SendMessageA(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(Font()), FALSE);
    ShowIcons();
    FitWindow();
    // Per-monitor awareness: a window that opens on a monitor of another scale than the system's takes
    // that monitor's. The controls, made after this, are laid out at it.
    if (const int dpi = WindowDpi(Handle()); dpi != scale_.Dpi())
        ApplyDpi(dpi, nullptr);
}

Form::~Form() { handle_.Reset(); }

void Form::ShowIcons() {
    // Only a window with a system menu and no dialog frame shows an icon (the taskbar's comes from the
    // application window): the others skip the icons' loading, which start-up would wait for.
    if (design_.border == FormBorder::Single)
        icons_.Show(Handle(), scale_);
}

void Form::AcceptFiles() {
    // What DragAcceptFiles does, without loading the shell at start-up for it.
    ::SetWindowLongPtrA(Handle(), GWL_EXSTYLE, ::GetWindowLongPtrA(Handle(), GWL_EXSTYLE) | WS_EX_ACCEPTFILES);
    LetDropsThrough(Handle());
}

std::string Form::Caption() const { return win32::WindowText(Handle()); }

HFONT Form::MakeFont(FontSize size) {
    fonts_.push_back({size, FontAt(size, scale_)});
    return fonts_.back().handle.Get();
}

SIZE Form::OuterSize(const Scale& scale) const {
    const FrameStyle frame = StyleOf(design_);
    return WindowSizeFor({scale.Of(design_.clientWidth), scale.Of(design_.clientHeight)}, frame.style,
                         frame.exStyle, scale.Dpi());
}

void WindowIcons::Show(HWND window, const Scale& scale) {
    // The window shows the new icons before the old ones go.
    win32::IconHandle small = win32::LoadIconResource(IDI_KORVA, scale.Of(16));
    win32::IconHandle big = win32::LoadIconResource(IDI_KORVA, scale.Of(32));
    if (small)
        ::SendMessageA(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small.Get()));
    if (big)
        ::SendMessageA(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big.Get()));
    small_ = std::move(small);
    big_ = std::move(big);
}

void Form::ApplyDpi(int dpi, const RECT* suggested) {
    scale_ = Scale(dpi);
    // Every font anew at the new DPI; the old ones are deleted when no control uses them any more.
    std::vector<FormFont> previous;
    previous.swap(fonts_);
    for (const FormFont& font : previous)
        fonts_.push_back({font.size, FontAt(font.size, scale_)});
    for (Control* c : controls_) {
        c->Rescale(scale_);
        const auto used = reinterpret_cast<HFONT>(::SendMessageA(c->Handle(), WM_GETFONT, 0, 0));
        for (size_t i = 0; i < previous.size(); ++i)
            if (previous[i].handle.Get() == used)
                c->SetFont(fonts_[i].handle.Get());
    }
    ::SendMessageA(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(Font()), FALSE);
    ShowIcons();

    if (suggested) {
        // The rectangle as given: it lies on the monitor the window is moving to. Kept inside the work
        // area of the monitor under its top-left corner, a window dragged across would be pushed back
        // onto the monitor it came from, and to that monitor's scale again.
        ::SetWindowPos(Handle(), nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                       suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
        const SIZE size = SizeAroundClient();
        ::SetWindowPos(Handle(), nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    } else {
        FitWindow();
    }
    ::InvalidateRect(Handle(), nullptr, TRUE);
}

SIZE Form::SizeAroundClient() const {
    RECT outer{}, client{};
    ::GetWindowRect(Handle(), &outer);
    ::GetClientRect(Handle(), &client);
    // The frame as the system draws it now: with per-monitor awareness that of the window's monitor.
    return {scale_.Of(design_.clientWidth) + (outer.right - outer.left) - client.right,
            scale_.Of(design_.clientHeight) + (outer.bottom - outer.top) - client.bottom};
}

void Form::FitWindow() {
    RECT outer{};
    ::GetWindowRect(Handle(), &outer);
    const SIZE size = SizeAroundClient();
    const POINT at = KeptInWorkArea({outer.left, outer.top}, size);
    ::SetWindowPos(Handle(), nullptr, at.x, at.y, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form::Guard(const std::function<void()>& action) {
    try {
        action();
    } catch (const std::exception& e) {
        prompts_.Message(MessageKind::AppError, ErrorBoxText(e.what()), MessageButtons::Ok);
    } catch (...) {
        prompts_.Message(MessageKind::AppError, "Unexpected error.", MessageButtons::Ok);
    }
}

int Form::Register(Control& control) {
    controls_.push_back(&control);
    return nextId_++;
}

void Form::Unregister(Control& control) {
    std::erase(controls_, &control);
    if (defaultButton_ == &control)
        defaultButton_ = nullptr;
    if (cancelButton_ == &control)
        cancelButton_ = nullptr;
}

Control* Form::Find(HWND hwnd) const {
    for (Control* c : controls_)
        if (c->Handle() == hwnd)
            return c;
    return nullptr;
}

void Form::SetDefaultButton(Button& button) {
    defaultButton_ = &button;
    ::SendMessageA(button.Handle(), BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
}

void Form::SetActiveControl(Control& control) {
    focus_ = control.Handle();
    if (::GetActiveWindow() == Handle())
        ::SetFocus(focus_);
}

void Form::SetTabOrder(std::initializer_list<Control*> order) {
    HWND previous = HWND_TOP;
    for (Control* c : order)
        c->PlaceInTabOrder(previous);
}

bool Form::Visible() const { return ::IsWindowVisible(Handle()) != FALSE; }

void Form::Show() {
    if (!Visible()) {
        Guard([&] {
            if (OnShow)
                OnShow(this);
        });
        ::ShowWindow(Handle(), SW_SHOW);
    }
    ::SetForegroundWindow(Handle());
    if (::GetActiveWindow() == Handle())
        RestoreFocus();
}

void Form::Hide() { ::ShowWindow(Handle(), SW_HIDE); }

void Form::RunOnClose() {
    CloseAction action = CloseAction::caHide;
    Guard([&] {
        if (OnClose)
            OnClose(this, action);
    });
}

void Form::Close() {
    if (modal_) {
        if (modalResult_ == mrNone)
            modalResult_ = mrCancel;
        return; // the modal loop runs OnClose
    }
    RunOnClose();
    Hide();
    if (isMain_)
        ::PostQuitMessage(0);
}

namespace {

struct DisableContext {
    HWND keep1, keep2;
    std::vector<HWND> disabled;
};

BOOL CALLBACK DisableWindow(HWND hwnd, LPARAM lParam) {
    auto* c = reinterpret_cast<DisableContext*>(lParam);
    if (hwnd != c->keep1 && hwnd != c->keep2 && ::IsWindowVisible(hwnd) && ::IsWindowEnabled(hwnd)) {
        ::EnableWindow(hwnd, FALSE);
        c->disabled.push_back(hwnd);
    }
    return TRUE;
}

} // namespace

std::vector<HWND> Form::DisableOtherWindows() {
    // The application window stays enabled, so that the taskbar entry still brings this window forward.
    DisableContext context{Handle(), owner_, {}};
    ::EnumThreadWindows(::GetCurrentThreadId(), DisableWindow, reinterpret_cast<LPARAM>(&context));
    return context.disabled;
}

int Form::RunModal() {
    if (modal_)
        return mrNone; // already showing modally: a second showing cannot nest
    modal_ = true;
    modalResult_ = mrNone;
    HWND previous = ::GetActiveWindow();
    const std::vector<HWND> disabled = DisableOtherWindows();
    Show();
    for (;;) {
        if (modalResult_ != mrNone) {
            RunOnClose();
            break;
        }
        MSG msg;
        const BOOL got = win32::WaitForMessage(msg);
        if (got == 0) { // a quit request: close as cancelled and leave it for the outer loop
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            modalResult_ = mrCancel;
            RunOnClose();
            break;
        }
        if (got == -1) {
            modalResult_ = mrCancel;
            break;
        }
        win32::DispatchQueuedMessage(msg);
    }
    // Enable the others before hiding, so that activation returns to the window that opened this one.
    for (HWND w : disabled)
        ::EnableWindow(w, TRUE);
    Hide();
    if (previous && ::IsWindow(previous))
        ::SetActiveWindow(previous);
    modal_ = false;
    return modalResult_;
}

void Form::Destroy() {
    if (!handle_)
        return;
    Guard([&] {
        if (OnDestroy)
            OnDestroy(this);
    });
    handle_.Reset();
}

void Form::RestoreFocus() {
    HWND target = focus_;
    if (!target || !::IsWindow(target) || !::IsWindowVisible(target) || !::IsWindowEnabled(target))
        target = ::GetNextDlgTabItem(Handle(), nullptr, FALSE);
    if (target)
        ::SetFocus(target);
}

LRESULT CALLBACK Form::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        auto* self = static_cast<Form*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        ::SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        self->handle_.Reset(hwnd);
    }
    auto* self = reinterpret_cast<Form*>(::GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (!self)
        return ::DefWindowProcA(hwnd, msg, wParam, lParam);
    if (msg == WM_NCDESTROY) {
        // The last message of the window, after its children have gone: neither this form nor its
        // controls may destroy their handles again.
        ::SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
        self->handle_.Release();
        for (Control* c : self->controls_)
            c->ForgetWindow();
        return ::DefWindowProcA(hwnd, msg, wParam, lParam);
    }
    LRESULT result = 0;
    self->Guard([&] { result = self->HandleMessage(msg, wParam, lParam); });
    return result;
}

LRESULT Form::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    HWND hwnd = Handle();
    switch (msg) {
    case WM_COMMAND:
        if (lParam) {
            if (Control* c = Find(reinterpret_cast<HWND>(lParam)))
                c->HandleCommand(HIWORD(wParam));
        } else if (LOWORD(wParam) == IDCANCEL && cancelButton_ && cancelButton_->Enabled()) {
            cancelButton_->Click(); // Esc
        }
        return 0;
    case WM_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (Control* c = Find(header->hwndFrom))
            return c->HandleNotify(*header);
        return 0;
    }
    case WM_NOTIFYFORMAT:
        // A Unicode control (one the user types names into) is answered in its own form, so that its
        // texts arrive exactly; the 8-bit form's default would make it narrow them.
        if (lParam == NF_QUERY)
            return ::IsWindowUnicode(reinterpret_cast<HWND>(wParam)) ? NFR_UNICODE : NFR_ANSI;
        break;
    case WM_DROPFILES: {
        const std::vector<std::wstring> files = DroppedFiles(reinterpret_cast<HDROP>(wParam));
        if (OnDropFiles)
            OnDropFiles(this, files);
        return 0;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
        if (Control* c = Find(reinterpret_cast<HWND>(lParam)))
            if (HBRUSH brush = c->PaintColors(reinterpret_cast<HDC>(wParam)))
                return reinterpret_cast<LRESULT>(brush);
        break;
    case DM_GETDEFID: {
        // Enter presses the button that has the focus, else the default button.
        if (auto* focused = dynamic_cast<Button*>(Find(::GetFocus())))
            return MAKELRESULT(focused->Id(), DC_HASDEFID);
        if (defaultButton_ && defaultButton_->Enabled())
            return MAKELRESULT(defaultButton_->Id(), DC_HASDEFID);
        return 0;
    }
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE) {
            HWND focus = ::GetFocus();
            if (focus && ::IsChild(hwnd, focus))
                focus_ = focus;
        } else if (!HIWORD(wParam)) {
            RestoreFocus();
        }
        return 0;
    case WM_SETFOCUS:
        RestoreFocus();
        return 0;
    case WM_SETCURSOR:
        // The program-wide pointer (the hourglass of a long search) wins over each control's own.
        if (design_.cursor && design_.cursor->Shape() == CursorShape::Hourglass) {
            ::SetCursor(::LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_WAIT)));
            return TRUE;
        }
        break;
    case WM_DPICHANGED:
        // Moved to a monitor of another scale: laid out at its DPI, in the rectangle Windows suggests.
        ApplyDpi(LOWORD(wParam), reinterpret_cast<const RECT*>(lParam));
        return 0;
    case WM_GETDPISCALEDSIZE: {
        // The exact size at the new DPI, so that the rectangle Windows then suggests is the design's.
        *reinterpret_cast<SIZE*>(lParam) = OuterSize(Scale(static_cast<int>(wParam)));
        return TRUE;
    }
    case WM_CLOSE:
        // A modal window closed from outside (the taskbar, another program) acts as its cancel button,
        // as a dialog box does, so that whatever the button stops (a search under way) stops too.
        if (modal_ && cancelButton_ && cancelButton_->Enabled()) {
            cancelButton_->Click();
            return 0;
        }
        Close();
        return 0;
    case WM_SYSCOMMAND:
        // The main window minimises the application window, which carries the taskbar entry.
        if ((wParam & 0xFFF0) == SC_MINIMIZE && isMain_ && owner_) {
            ::ShowWindow(owner_, SW_MINIMIZE);
            return 0;
        }
        break;
    default:
        break;
    }
    return ::DefWindowProcA(hwnd, msg, wParam, lParam);
}

} // namespace korva::ui
