// The program-wide mouse pointer. While the hourglass is set, the program's forms answer WM_SETCURSOR
// with it (the forms are given this object), so it stays over every window while their messages are
// handled during a long search.
#pragma once

#include "platform/Cursor.h"

#include <windows.h>

namespace korva::win32 {

class Win32Cursor final : public Cursor {
public:
    void Set(CursorShape shape) override;
    CursorShape Shape() const override { return shape_; }

private:
    CursorShape shape_ = CursorShape::Default;
};

} // namespace korva::win32
