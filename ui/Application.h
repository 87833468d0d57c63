// The application: a hidden owner window that carries the program's taskbar entry under the
// application title, and the run loop.
#pragma once

#include "platform/win32/Handles.h"
#include "ui/Form.h"

#include <string>

namespace korva::ui {

class Application {
public:
    // Creates the owner window titled with the application title. Throws Error when it cannot.
    explicit Application(const std::string& title);
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    // The owner for the program's windows.
    HWND Handle() const { return window_.Get(); }

    // Shows the main form (its OnShow runs) and dispatches messages until a quit request is read or the
    // main form closes.
    void Run(Form& mainForm);

private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

    win32::WindowClass class_;
    WindowIcons icons_; // outlive the window that shows them
    win32::WindowHandle window_;
};

} // namespace korva::ui
