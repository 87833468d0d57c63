// The DPI of the screen and of a window, and window sizes and places at a DPI.
#include "ui/Scale.h"

#include "platform/win32/WindowHelpers.h"

namespace korva::ui {

using win32::NewerUser32Function;

int SystemDpi() {
    HDC screen = ::GetDC(nullptr);
    const int dpi = screen ? ::GetDeviceCaps(screen, LOGPIXELSY) : 0;
    if (screen)
        ::ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : Scale::kDesignDpi;
}

int WindowDpi(HWND window) {
    using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
    if (const auto getDpi = NewerUser32Function<GetDpiForWindowFunction>("GetDpiForWindow"); getDpi && window)
        if (const UINT dpi = getDpi(window))
            return static_cast<int>(dpi);
    return SystemDpi();
}

SIZE WindowSizeFor(SIZE client, DWORD style, DWORD exStyle, int dpi) {
    using AdjustForDpiFunction = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
    RECT r{0, 0, client.cx, client.cy};
    const auto adjustForDpi = NewerUser32Function<AdjustForDpiFunction>("AdjustWindowRectExForDpi");
    if (!adjustForDpi || !adjustForDpi(&r, style, FALSE, exStyle, static_cast<UINT>(dpi)))
        ::AdjustWindowRectEx(&r, style, FALSE, exStyle);
    return {r.right - r.left, r.bottom - r.top};
}

POINT KeptInWorkArea(POINT wanted, SIZE size) {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    RECT work{};
    if (::GetMonitorInfoA(::MonitorFromPoint(wanted, MONITOR_DEFAULTTONEAREST), &monitor))
        work = monitor.rcWork;
    else
        ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    POINT kept = wanted;
    if (kept.x + size.cx > work.right)
        kept.x = work.right - size.cx;
    if (kept.y + size.cy > work.bottom)
        kept.y = work.bottom - size.cy;
    if (kept.x < work.left)
        kept.x = work.left;
    if (kept.y < work.top)
        kept.y = work.top;
    return kept;
}

} // namespace korva::ui
