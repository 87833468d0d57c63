// The program-wide mouse pointer.
#include "platform/win32/Win32Cursor.h"

namespace korva::win32 {
namespace {

HCURSOR screenCursor = nullptr; // user-interface thread only

} // namespace

void Win32Cursor::Set(CursorShape shape) {
    if (shape == CursorShape::Hourglass) {
        screenCursor = ::LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_WAIT));
        ::SetCursor(screenCursor);
        return;
    }
    screenCursor = nullptr;
    // The window under the pointer sets its own at the next move; until then show the arrow.
    ::SetCursor(::LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW)));
}

HCURSOR ScreenCursor() { return screenCursor; }

} // namespace korva::win32
