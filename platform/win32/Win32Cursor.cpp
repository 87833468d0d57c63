// The program-wide mouse pointer.
#include "platform/win32/Win32Cursor.h"

namespace korva::win32 {

void Win32Cursor::Set(CursorShape shape) {
    shape_ = shape;
    // For the default, the window under the pointer sets its own at the next move; until then the arrow.
    const auto id = shape == CursorShape::Hourglass ? IDC_WAIT : IDC_ARROW;
    ::SetCursor(::LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(id)));
}

} // namespace korva::win32
