// The picture button: an owner-drawn button that paints itself as a push button with its picture.
#include "ui/SpeedButton.h"

#include "ui/Pictures.h"

namespace korva::ui {

SpeedButton::SpeedButton(Form& parent, const std::string& name, const Glyph& glyph, Bounds bounds)
    : Control(parent, "BUTTON", name, bounds, BS_OWNERDRAW), glyph_(glyph) {
    LoadGlyphs();
    Subclass();
}

void SpeedButton::HandleCommand(int notifyCode) {
    if (notifyCode == BN_CLICKED && OnClick)
        OnClick(this);
}

void SpeedButton::Rescale(const Scale& scale) {
    Control::Rescale(scale);
    LoadGlyphs();
    ::InvalidateRect(Handle(), nullptr, TRUE);
}

void SpeedButton::LoadGlyphs() {
    // Up to 100% the pixel art as drawn; above, the picture drawn for 200%, scaled down smoothly.
    const int size = Parent().GetScale().Of(glyph_.size);
    const bool large = size > glyph_.size;
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    enabled_ = LoadPicture(large ? glyph_.normal2x : glyph_.normal, size, size, face);
    disabled_ = LoadPicture(large ? glyph_.disabled2x : glyph_.disabled, size, size, face);
}

std::optional<LRESULT> SpeedButton::Message(UINT msg, WPARAM wParam, LPARAM lParam) {
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
        return std::nullopt; // the button class's own: its name and role for a screen reader, above all
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
    const bool enabled = ::IsWindowEnabled(Handle()) != FALSE;
    const HBITMAP picture = enabled || !disabled_ ? enabled_.Get() : disabled_.Get();
    BITMAP info{};
    if (picture && ::GetObjectA(picture, sizeof info, &info)) {
        const int shift = pressed_ ? Parent().GetScale().Of(1) : 0;
        const int x = (r.right - info.bmWidth) / 2 + shift, y = (r.bottom - info.bmHeight) / 2 + shift;
        if (const win32::MemoryDc memory(::CreateCompatibleDC(dc)); memory) {
            const HGDIOBJ old = ::SelectObject(memory.Get(), picture);
            ::BitBlt(dc, x, y, info.bmWidth, info.bmHeight, memory.Get(), 0, 0, SRCCOPY);
            ::SelectObject(memory.Get(), old);
        }
    }
    ::EndPaint(Handle(), &ps);
}

} // namespace korva::ui
