// The program-wide mouse pointer. While the hourglass is set, the program's forms answer WM_SETCURSOR
// with it, so it stays over every window while their messages are handled during a long search.
#pragma once

#include "platform/Cursor.h"

#include <windows.h>

namespace korva::win32 {

class Win32Cursor final : public Cursor {
public:
    void Set(CursorShape shape) override;
};

// The pointer every window of the program shows for now, or null when each shows its own.
HCURSOR ScreenCursor();

} // namespace korva::win32
