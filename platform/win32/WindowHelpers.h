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

// An icon resource of the running program at that size (the nearest the icon holds, scaled by the
// system if need be), owned by the caller; none when the program has no such icon.
IconHandle LoadIconResource(int resource, int size);

} // namespace korva::win32
