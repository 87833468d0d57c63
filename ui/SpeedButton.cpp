// The picture button: its own window class, painted as a push button with a masked picture.
#include "ui/SpeedButton.h"

#include "platform/win32/WindowHelpers.h"

#include <commctrl.h>

namespace korva::ui {
namespace {

constexpr const char* kClassName = "KorvaSpeedButton";
constexpr COLORREF kTransparent = RGB(255, 0, 255);

} // namespace

const char* SpeedButton::ClassName() {
    static const win32::WindowClass windowClass(kClassName, &SpeedButton::WindowProc, nullptr);
    return windowClass.Name();
}

SpeedButton::SpeedButton(Form& parent, int bitmapResource, int disabledBitmapResource, Bounds bounds)
    : Control(parent, ClassName(), "", bounds, 0) {
    const win32::BitmapHandle enabled = win32::LoadBitmapResource(bitmapResource);
    const win32::BitmapHandle disabled = win32::LoadBitmapResource(disabledBitmapResource);
    BITMAP info{};
    if (enabled && ::GetObjectA(enabled.Get(), sizeof info, &info)) {
        images_.Reset(::ImageList_Create(info.bmWidth, info.bmHeight, ILC_COLOR24 | ILC_MASK, 2, 0));
        // The list copies the pictures, with the magenta pixels as its mask.
        ::ImageList_AddMasked(images_.Get(), enabled.Get(), kTransparent);
        if (disabled)
            ::ImageList_AddMasked(images_.Get(), disabled.Get(), kTransparent);
    }
    // Until now the window has behaved as a plain one.
    ::SetWindowLongPtrA(Handle(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    ::InvalidateRect(Handle(), nullptr, TRUE);
}

SpeedButton::~SpeedButton() {
    if (Handle()) // not when the window went with its form's
        ::SetWindowLongPtrA(Handle(), GWLP_USERDATA, 0);
}

void SpeedButton::HandleCommand(int notifyCode) {
    if (notifyCode == BN_CLICKED && OnClick)
        OnClick(this);
}

LRESULT CALLBACK SpeedButton::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<SpeedButton*>(::GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (!self)
        return ::DefWindowProcA(hwnd, msg, wParam, lParam);
    // A click runs the button's handler from here: what escapes it is shown, as for every window.
    LRESULT result = 0;
    self->Parent().Guard([&] { result = self->HandleMessage(msg, wParam, lParam); });
    return result;
}

LRESULT SpeedButton::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    HWND hwnd = Handle();
    switch (msg) {
    case WM_PAINT:
        Paint();
        return 0;
    case WM_ERASEBKGND:
        return 1; // Paint covers everything
    case WM_ENABLE:
        if (!wParam && tracking_) {
            tracking_ = false;
            ::ReleaseCapture();
        }
        pressed_ = false;
        ::InvalidateRect(hwnd, nullptr, TRUE);
        return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        tracking_ = true;
        ::SetCapture(hwnd);
        SetPressed(true);
        return 0;
    case WM_MOUSEMOVE:
        if (tracking_) {
            RECT r{};
            ::GetClientRect(hwnd, &r);
            const POINT p{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
            SetPressed(::PtInRect(&r, p) != FALSE);
        }
        return 0;
    case WM_LBUTTONUP: {
        if (!tracking_)
            return 0;
        tracking_ = false;
        const bool inside = pressed_;
        SetPressed(false);
        ::ReleaseCapture();
        if (inside)
            Clicked();
        return 0;
    }
    case WM_CAPTURECHANGED:
        tracking_ = false;
        SetPressed(false);
        return 0;
    case BM_CLICK:
        if (::IsWindowEnabled(hwnd))
            Clicked();
        return 0;
    default:
        return ::DefWindowProcA(hwnd, msg, wParam, lParam);
    }
}

void SpeedButton::SetPressed(bool pressed) {
    if (pressed == pressed_)
        return;
    pressed_ = pressed;
    ::InvalidateRect(Handle(), nullptr, TRUE);
}

void SpeedButton::Clicked() {
    HWND parent = ::GetParent(Handle());
    ::SendMessageA(parent, WM_COMMAND, MAKEWPARAM(Id(), BN_CLICKED), reinterpret_cast<LPARAM>(Handle()));
}

void SpeedButton::Paint() {
    PAINTSTRUCT ps;
    HDC dc = ::BeginPaint(Handle(), &ps);
    RECT r{};
    ::GetClientRect(Handle(), &r);
    ::FillRect(dc, &r, ::GetSysColorBrush(COLOR_BTNFACE));
    ::DrawFrameControl(dc, &r, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed_ ? DFCS_PUSHED : 0));
    if (images_) {
        int width = 0, height = 0;
        ::ImageList_GetIconSize(images_.Get(), &width, &height);
        const int shift = pressed_ ? 1 : 0;
        const int x = (r.right - width) / 2 + shift, y = (r.bottom - height) / 2 + shift;
        const bool enabled = ::IsWindowEnabled(Handle()) != FALSE;
        const int index = enabled || ::ImageList_GetImageCount(images_.Get()) < 2 ? 0 : 1;
        ::ImageList_Draw(images_.Get(), index, dc, x, y, ILD_TRANSPARENT);
    }
    ::EndPaint(Handle(), &ps);
}

} // namespace korva::ui
