// Small window-system helpers that the windows and the message boxes share.
#pragma once

#include "platform/win32/Handles.h"

#include <string>

namespace korva::win32 {

// The whole text of a window (a caption, an edit's contents); empty for no window.
std::string WindowText(HWND window);

// The top-left corner at which a window of that outer size stands in the middle of the screen's work
// area (the screen less the taskbar).
POINT CentredOnWorkArea(int width, int height);

// A bitmap resource of the running program, owned by the caller; no bitmap when it has none of that id.
BitmapHandle LoadBitmapResource(int resource);

} // namespace korva::win32
