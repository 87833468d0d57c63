// The display scale, in one place. The windows describe their design at 96 DPI (100%): positions and
// sizes in pixels, fonts in points or pixels. Everything they put on the screen goes through a Scale,
// which turns the design into pixels at a window's DPI: lengths by DPI / 96, rounded by MulDiv (half
// away from zero) everywhere, rectangles by their edges so that neighbours never overlap by a pixel;
// fonts in pixels the same way. A font in points follows the DPI (points × DPI / 72), but never grows
// faster than the controls around it: at 96 DPI 10 points are 13 pixels (13.3 rounded down), so at 144
// DPI, where they are exactly 20, the text would outgrow controls scaled by 1.5 from the 96-DPI design
// and run into its neighbours; it gets 19 (13 × 1.5, rounded down). At 96 DPI every value is the
// design's own.
//
// The face follows the scale too. "MS Sans Serif", the design's face, is a bitmap font on Windows, made
// in the few sizes 96 DPI needs: at any other scale GDI would take a near size or enlarge its glyphs,
// blocky and not the size computed here. There the program asks for "Microsoft Sans Serif", its outline
// twin with the same metrics (Windows 2000 and later), so the text is drawn at the computed size.
#pragma once

#include <windows.h>

namespace korva::ui {

// A position and size in design pixels (96 DPI).
struct Bounds {
    int left = 0, top = 0, width = 0, height = 0;
};

// A font size as the design gives it.
struct FontSize {
    enum class Unit { Points, Pixels };
    int value = 8;
    Unit unit = Unit::Points;
};
constexpr FontSize Points(int points) {
    return {points, FontSize::Unit::Points};
}
constexpr FontSize Pixels(int pixels) {
    return {pixels, FontSize::Unit::Pixels};
}

// A font as a form asks for it (see Scale::Font).
struct FontRequest {
    const char* face;
    int height;
};

class Scale {
public:
    static constexpr int kDesignDpi = 96;

    explicit Scale(int dpi = kDesignDpi) : dpi_(dpi > 0 ? dpi : kDesignDpi) {}
    int Dpi() const { return dpi_; }

    // A length, a position or a width of the design.
    int Of(int designPixels) const { return ::MulDiv(designPixels, dpi_, kDesignDpi); }
    // A rectangle of the design, each edge scaled on its own.
    RECT Of(const Bounds& b) const {
        return {Of(b.left), Of(b.top), Of(b.left + b.width), Of(b.top + b.height)};
    }
    // The font a form asks for at this scale: the face, and the LOGFONT height (negative, the
    // character height in pixels).
    FontRequest Font(FontSize size) const {
        const char* face = dpi_ == kDesignDpi ? "MS Sans Serif" : "Microsoft Sans Serif";
        if (size.unit == FontSize::Unit::Pixels)
            return {face, -Of(size.value)};
        const int atDesign = ::MulDiv(size.value, kDesignDpi, 72);
        const int followingDpi = ::MulDiv(size.value, dpi_, 72);
        const int withControls = atDesign * dpi_ / kDesignDpi;
        return {face, -(followingDpi < withControls ? followingDpi : withControls)};
    }

private:
    int dpi_;
};

// The DPI the program starts with: the screen's (the system DPI; LogPixels under Wine).
int SystemDpi();
// The DPI of the monitor a window is on, where Windows tells it (GetDpiForWindow, Windows 10 1607 and
// later, looked up at run time so that the program still starts on XP); elsewhere the system DPI.
int WindowDpi(HWND window);

// The window's outer size for a client area, with the frame at that DPI (AdjustWindowRectExForDpi
// where Windows has it, else the frame of the system DPI).
SIZE WindowSizeFor(SIZE client, DWORD style, DWORD exStyle, int dpi);

// The top-left corner that keeps a window of that outer size inside the work area of the monitor
// nearest to the wanted corner: moved left and up as far as needed, never past the work area's
// top-left corner.
POINT KeptInWorkArea(POINT wanted, SIZE size);

} // namespace korva::ui
