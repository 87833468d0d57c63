// A small button that shows a picture and never takes the keyboard focus (no tab stop, no focus on a
// click), with a second, greyed picture for the disabled state. It reports a press as a push button
// does (BN_CLICKED to its form, also for BM_CLICK), so OnClick runs through the form's dispatch.
#pragma once

#include "platform/win32/Handles.h"
#include "ui/Controls.h"

namespace korva::ui {

class SpeedButton : public Control {
public:
    // The two pictures are bitmap resources of the same size whose magenta (255, 0, 255) pixels are
    // transparent.
    SpeedButton(Form& parent, int bitmapResource, int disabledBitmapResource, Bounds bounds);
    ~SpeedButton() override;

    NotifyEvent OnClick;
    void HandleCommand(int notifyCode) override;

private:
    // The window class, registered on first use for the life of the program.
    static const char* ClassName();
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    void Paint();
    void SetPressed(bool pressed);
    void Clicked();

    win32::ImageListHandle images_; // 0: enabled picture, 1: disabled picture
    bool tracking_ = false;         // the left button went down on this button and is held
    bool pressed_ = false;          // drawn pushed in
};

} // namespace korva::ui
