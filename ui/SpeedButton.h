// A small button that shows a picture and never takes the keyboard focus (no tab stop, no focus on a
// click), with a second, greyed picture for the disabled state. It reports a press as a push button
// does (BN_CLICKED to its form, also for BM_CLICK), so OnClick runs through the form's dispatch. It is
// an owner-drawn push button that paints and takes the mouse itself: a screen reader announces it as a
// push button, by the name it is given.
#pragma once

#include "platform/win32/Handles.h"
#include "ui/Controls.h"

namespace korva::ui {

// The pictures of a speed button: picture resources (see ui/Pictures.h) drawn for 100% and for
// 200%, each with its greyed form for the disabled button.
struct Glyph {
    int size = 16; // square, in the design
    int normal = 0;
    int disabled = 0;
    int normal2x = 0; // drawn at twice the size: scaled down smoothly for 125% to 200%
    int disabled2x = 0;
};

class SpeedButton : public Control {
public:
    // name: what a screen reader says the button does ("Choose the Half-Life folder"); not shown.
    SpeedButton(Form& parent, const std::string& name, const Glyph& glyph, Bounds bounds);

    NotifyEvent OnClick;
    void HandleCommand(int notifyCode) override;
    void Rescale(const Scale& scale) override;

protected:
    std::optional<LRESULT> Message(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    void Paint();
    void SetPressed(bool pressed);
    void Clicked();
    // The two pictures at the form's scale, laid over the button face.
    void LoadGlyphs();

    Glyph glyph_;
    win32::BitmapHandle enabled_;
    win32::BitmapHandle disabled_;
    bool tracking_ = false; // the left button went down on this button and is held
    bool pressed_ = false;  // drawn pushed in
};

} // namespace korva::ui
