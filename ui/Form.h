// A top-level window with child controls: creation from a small description, dispatch of control events,
// keyboard navigation, default and cancel buttons, modal showing, and the rule that no exception ever
// leaves a window procedure (it is shown in the "KORVA" error box instead).
#pragma once

#include "platform/Prompts.h"
#include "platform/win32/Handles.h"

#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

namespace korva::ui {

class Control;
class Button;

// Anything that can send an event: handlers receive the sender and, by convention, ignore it.
class Component {
public:
    virtual ~Component() = default;
};

using NotifyEvent = std::function<void(Component* Sender)>;

// An event that calls a handler method of a window: btnCompile.OnClick = Handler(this, &TfrmMain::btnCompileClick).
template <typename Window> NotifyEvent Handler(Window* window, void (Window::*method)(Component*)) {
    return [window, method](Component* sender) { (window->*method)(sender); };
}

// What closing a window does: caHide hides it (the default), caNone keeps it open.
enum class CloseAction { caNone, caHide };
using CloseEvent = std::function<void(Component* Sender, CloseAction& Action)>;

struct Bounds {
    int left = 0, top = 0, width = 0, height = 0;
};

enum class FormBorder {
    Single,           // fixed frame; system menu with close, and minimise
    Dialog,           // dialog frame; title bar with close only
    DialogNoIcons,    // dialog frame; no system menu, no close box
    ToolWindowNoIcons // thin caption bar; no system menu, no close box
};

enum class FormPosition { Designed, ScreenCenter };

// How a form looks and where it opens; written with designated initialisers by each window.
struct FormDesign {
    const char* className = nullptr; // the window class name, registered on first use
    std::string caption;
    int clientWidth = 0;
    int clientHeight = 0;
    FormPosition position = FormPosition::Designed;
    int left = 0; // outer position on the screen, for Designed
    int top = 0;
    FormBorder border = FormBorder::Single;
    int fontHeight = -11; // LOGFONT height: negative is the character height in pixels
    bool topMost = false;
    HWND owner = nullptr; // the application window, or none
};

// The LOGFONT height of a font of that many points on this screen.
int FontHeightForPoints(int points);

class Form : public Component, public ModalWindow {
public:
    // Creates the window, hidden. Errors escaping its events are shown through prompts.
    Form(Prompts& prompts, const FormDesign& design);
    ~Form() override;
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    HWND Handle() const { return handle_.Get(); }
    Prompts& GetPrompts() const { return prompts_; }
    std::string Caption() const;

    NotifyEvent OnShow;    // each time the window is about to become visible
    CloseEvent OnClose;    // each time it closes (close box, Close, a modal result)
    NotifyEvent OnDestroy; // once, from Destroy

    // Runs OnShow and shows the window; the active control gets the focus.
    void Show();
    void Hide();
    bool Visible() const;
    // Closes as the close box does: runs OnClose; a modal showing then ends with mrCancel unless a result
    // is set; the main form ends the program's run loop.
    void Close();
    // Shows the window and runs a nested loop until it closes; other windows of the program are disabled
    // meanwhile. A quit request read meanwhile closes it as cancelled and stays in the queue.
    int RunModal() override;
    bool Modal() const { return modal_; }
    int ModalResult() const { return modalResult_; }
    // A result other than mrNone ends a modal showing once the current event has been handled.
    void SetModalResult(int result) { modalResult_ = result; }

    // Marks the window whose closing ends the program's run loop.
    void SetMainForm(bool isMain) { isMain_ = isMain; }
    // Runs OnDestroy (an escaping error is shown) and destroys the window and its controls' windows;
    // the form and its controls then hold no handle. Does nothing once the window has gone.
    void Destroy();

    // Enter presses the default button, Esc the cancel button. A modal showing closed from outside
    // (WM_CLOSE) presses the cancel button too, while it is enabled.
    void SetDefaultButton(Button& button);
    void SetCancelButton(Button& button) { cancelButton_ = &button; }
    // The control that gets the focus when the window is shown.
    void SetActiveControl(Control& control);
    // Orders the controls for Tab and sets the dialog groups; controls not named keep their place after.
    void SetTabOrder(std::initializer_list<Control*> order);

    HFONT Font() const { return font_.Get(); }
    // A font of this form's face at another height; the form keeps it for its lifetime.
    HFONT MakeFont(int height);

    // Runs action, and shows an error that escapes it in the "KORVA" error box.
    void Guard(const std::function<void()>& action);

    // Called by controls: each gets an id and receives its parent's commands, notifications and colours.
    int Register(Control& control);
    void Unregister(Control& control);

private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    Control* Find(HWND hwnd) const;
    bool RunOnClose();
    void RestoreFocus();
    std::vector<HWND> DisableOtherWindows();

    Prompts& prompts_;
    win32::WindowClass class_;
    win32::FontHandle font_;
    std::vector<win32::FontHandle> extraFonts_;
    win32::WindowHandle handle_;
    HWND owner_ = nullptr;
    std::vector<Control*> controls_;
    int nextId_ = 100;
    Button* defaultButton_ = nullptr;
    Button* cancelButton_ = nullptr;
    HWND focus_ = nullptr; // the control to focus when activated
    bool modal_ = false;
    bool isMain_ = false;
    int modalResult_ = mrNone;
};

} // namespace korva::ui
