// A top-level window with child controls: creation from a small description, dispatch of control events,
// keyboard navigation, default and cancel buttons, modal showing, the display scale, and the rule that
// no exception ever leaves a window procedure (it is shown in the "KORVA" error box instead).
#pragma once

#include "platform/Cursor.h"
#include "platform/Prompts.h"
#include "platform/win32/Handles.h"
#include "ui/Scale.h"

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

// What closing a window does: caHide hides it.
enum class CloseAction { caHide };
using CloseEvent = std::function<void(Component* Sender, CloseAction& Action)>;

// Files or folders dropped on a window (from Explorer), each name exactly as the system gives it, in
// UTF-16: the window takes it through the rule for names (platform/SystemNames.h).
using DropEvent = std::function<void(Component* Sender, const std::vector<std::wstring>& Files)>;

enum class FormBorder {
    Single,           // fixed frame; system menu with close, and minimise
    Dialog,           // dialog frame; title bar with close only
    DialogNoIcons,    // dialog frame; no system menu, no close box
    ToolWindowNoIcons // thin caption bar; no system menu, no close box
};

enum class FormPosition { Designed, ScreenCenter };

// How a form looks and where it opens, at 96 DPI (the form scales it, see ui/Scale.h); written with
// designated initialisers by each window.
struct FormDesign {
    const char* className = nullptr; // the window class name, registered on first use
    std::string caption;
    int clientWidth = 0;
    int clientHeight = 0;
    FormPosition position = FormPosition::Designed;
    int left = 0; // outer position on the screen, for Designed
    int top = 0;
    FormBorder border = FormBorder::Single;
    FontSize font = Pixels(11);
    bool topMost = false;
    HWND owner = nullptr;           // the application window, or none
    const Cursor* cursor = nullptr; // the program-wide pointer shown over the form while set, or none
};

// The program's icon on a window at the sizes its title bar and the taskbar ask for at a scale (the
// icon holds 16 to 64 pixels). Owns the icons: the window must go first, or be given others.
class WindowIcons {
public:
    void Show(HWND window, const Scale& scale);

private:
    win32::IconHandle small_;
    win32::IconHandle big_;
};

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
    DropEvent OnDropFiles; // files dropped on the window or a control on it, once AcceptFiles is called

    // Lets the user drop files on the window (DragAcceptFiles); each drop runs OnDropFiles. Where the
    // program runs as administrator, the drop messages of programs with less rights (Explorer) are let
    // through too, which Windows otherwise filters out.
    void AcceptFiles();

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

    HFONT Font() const { return fonts_.front().handle.Get(); }
    // A font of this form's face at another size; the form keeps it for its lifetime and makes it anew
    // when the DPI changes (controls using it are given the new one).
    HFONT MakeFont(FontSize size);

    // The scale the form is laid out at: its window's DPI.
    const Scale& GetScale() const { return scale_; }

    // Runs action, and shows an error that escapes it in the "KORVA" error box.
    void Guard(const std::function<void()>& action);

    // Called by controls: each gets an id and receives its parent's commands, notifications and colours.
    int Register(Control& control);
    void Unregister(Control& control);

private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    Control* Find(HWND hwnd) const;
    void RunOnClose();
    void RestoreFocus();
    void ShowIcons();
    std::vector<HWND> DisableOtherWindows();

    struct FormFont {
        FontSize size;
        win32::FontHandle handle;
    };
    // Lays the form out again at another DPI: fonts, every control, and the window. With a suggested
    // rectangle (as WM_DPICHANGED gives it) the window takes its place as given and the exact size
    // there; without one (at creation) it is fitted as FitWindow does.
    void ApplyDpi(int dpi, const RECT* suggested);
    SIZE OuterSize(const Scale& scale) const;
    // The outer size whose client area is the design's at the form's scale, with the frame the system
    // gives the window where it stands.
    SIZE SizeAroundClient() const;
    // At creation: sizes the window as SizeAroundClient says, moved as little as keeps it inside the
    // work area.
    void FitWindow();

    Prompts& prompts_;
    FormDesign design_;
    Scale scale_;
    win32::WindowClass class_;
    std::vector<FormFont> fonts_; // the form's own first
    WindowIcons icons_;
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
