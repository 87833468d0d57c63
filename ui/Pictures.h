// The program's pictures from resource to bitmap: a picture resource (platform/ArgbPicture.h) scaled
// to the size a display scale asks for, as the bitmap the picture controls and the browse buttons show.
#pragma once

#include "platform/ArgbPicture.h"
#include "platform/win32/Handles.h"

namespace korva::ui {

// A picture resource of the running program (RCDATA in the format of DecodePicture), scaled smoothly to
// width x height and laid over the background colour, as a 24-bit bitmap owned by the caller; no
// bitmap when the program has no such resource or it cannot be read.
win32::BitmapHandle LoadPicture(int resource, int width, int height, COLORREF background);

} // namespace korva::ui
