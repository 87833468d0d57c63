// Top-level windows: creation, event dispatch, focus, modal loop.
#include "ui/Form.h"

#include "platform/Error.h"
#include "platform/win32/MessageLoop.h"
#include "platform/win32/Win32Cursor.h"
#include "platform/win32/WindowHelpers.h"
#include "ui/Controls.h"

namespace korva::ui {
namespace {

// The program icon is resource 1; test programs without it get the system's default.
HICON ProgramIcon() {
    HICON icon = ::LoadIconA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(1));
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

HFONT MakeFontHandle(int height) {
    return ::CreateFontA(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                         CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, "MS Sans Serif");
}

} // namespace

int FontHeightForPoints(int points) {
    HDC screen = ::GetDC(nullptr);
    const int dpi = screen ? ::GetDeviceCaps(screen, LOGPIXELSY) : 96;
    if (screen)
        ::ReleaseDC(nullptr, screen);
    return -::MulDiv(points, dpi, 72);
}

Form::Form(Prompts& prompts, const FormDesign& design)
    : prompts_(prompts), class_(design.className, WindowProc, ProgramIcon()), font_(MakeFontHandle(design.fontHeight)),
      owner_(design.owner) {
    const FrameStyle frame = StyleOf(design);
    RECT r{0, 0, design.clientWidth, design.clientHeight};
    ::AdjustWindowRectEx(&r, frame.style, FALSE, frame.exStyle);
    const int width = r.right - r.left, height = r.bottom - r.top;
    int x = design.left, y = design.top;
    if (design.position == FormPosition::ScreenCenter) {
        const POINT centre = win32::CentredOnWorkArea(width, height);
        x = centre.x;
        y = centre.y;
    }
    // WM_NCCREATE stores this object and the handle (see WindowProc).
    if (!::CreateWindowExA(frame.exStyle, design.className, design.caption.c_str(), frame.style, x, y, width, height,
                           design.owner, nullptr, ::GetModuleHandleA(nullptr), this))
        throw Error("Unable to create the window \"" + design.caption + "\"");
    ::SendMessageA(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(Font()), FALSE);
}

Form::~Form() { handle_.Reset(); }

std::string Form::Caption() const { return win32::WindowText(Handle()); }

HFONT Form::MakeFont(int height) {
    extraFonts_.emplace_back(MakeFontHandle(height));
    return extraFonts_.back().Get();
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

bool Form::RunOnClose() {
    CloseAction action = CloseAction::caHide;
    Guard([&] {
        if (OnClose)
            OnClose(this, action);
    });
    return action != CloseAction::caNone;
}

void Form::Close() {
    if (modal_) {
        if (modalResult_ == mrNone)
            modalResult_ = mrCancel;
        return; // the modal loop runs OnClose
    }
    if (!RunOnClose())
        return;
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
            if (RunOnClose())
                break;
            modalResult_ = mrNone;
        }
        MSG msg;
        const BOOL got = ::GetMessageA(&msg, nullptr, 0, 0);
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
        if (HCURSOR cursor = win32::ScreenCursor()) {
            ::SetCursor(cursor);
            return TRUE;
        }
        break;
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
