// Thin classes over the standard controls the program's windows use. Each control is a member of its
// form: it creates its window as a child of the form, receives the form's commands, notifications and
// colour requests for it, and destroys its window with itself, unless the form's window has gone first
// and taken the control's with it. Events are std::function members, called
// with the control as sender; errors escaping them are shown by the form.
#pragma once

#include "ui/Form.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace korva::ui {

// How a control keeps its text. Most keep the system code page's. A control into which the user types or
// pastes a name is a Unicode window, read with the wide calls: an 8-bit one would hand a pasted
// full-width ampersand back as "&", and Omega as "O", before the rule for names (platform/SystemNames.h)
// could see them.
enum class TextForm { CodePage, Unicode };

class Control : public Component {
public:
    // Creates the child window of the given class at the bounds of the design, scaled to the form's
    // DPI; WS_CHILD and WS_VISIBLE are added, and WS_GROUP unless the style is a radio button's (a radio
    // group sets its own groups).
    Control(Form& parent, const char* windowClass, const std::string& caption, Bounds bounds, DWORD style,
            DWORD exStyle = 0, TextForm form = TextForm::CodePage);
    ~Control() override;
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    HWND Handle() const { return handle_.Get(); }
    int Id() const { return id_; }
    Form& Parent() const { return parent_; }

    // The text in the system code page. A Unicode control's text, which may hold characters the code
    // page lacks, is given exactly or not at all: such a text throws Error, and is read with WideText.
    std::string Text() const;
    void SetText(const std::string& text);
    // The text exactly as the window holds it.
    std::wstring WideText() const;
    bool Enabled() const;
    void SetEnabled(bool enabled);
    // The control's own visibility flag (true even while its form is hidden).
    bool Visible() const;
    void SetVisible(bool visible);
    bool Focused() const;
    void SetFocus();
    virtual void SetFont(HFONT font);

    // From the parent form's dispatch.
    virtual void HandleCommand(int /*notifyCode*/) {}
    virtual LRESULT HandleNotify(const NMHDR& /*header*/) { return 0; }
    // Colours for painting; null leaves the system's defaults.
    virtual HBRUSH PaintColors(HDC /*dc*/) { return nullptr; }
    // Puts the control (and any windows it consists of) after previous in the Tab order.
    virtual void PlaceInTabOrder(HWND& previous);
    // Places the control at its design bounds at the form's new scale (the form gives it its font
    // afterwards); controls with sizes or pictures of their own redo them too.
    virtual void Rescale(const Scale& scale);
    // Called by the form once the system has destroyed the form's window and with it this control's:
    // the handle is let go, not destroyed again (the system may have given it to another window).
    void ForgetWindow() { handle_.Release(); }

protected:
    void SetStyleBit(DWORD bit, bool on);
    // The control's place in the design (96 DPI).
    const Bounds& DesignBounds() const { return bounds_; }

    // From now on the window's messages reach Message first (called from a derived constructor, once).
    void Subclass();
    // A message to a subclassed window: a result is the answer; nothing passes the message on to the
    // window class's own procedure. An error escaping it is shown by the form, and the message passes on.
    virtual std::optional<LRESULT> Message(UINT /*msg*/, WPARAM /*wParam*/, LPARAM /*lParam*/) {
        return std::nullopt;
    }
    // The window class's own answer to a message.
    LRESULT ClassMessage(UINT msg, WPARAM wParam, LPARAM lParam) const;

private:
    static LRESULT CALLBACK SubclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

    Form& parent_;
    Bounds bounds_;
    int id_;
    TextForm form_;
    WNDPROC classProc_ = nullptr; // the class's procedure, once subclassed
    win32::WindowHandle handle_;
};

class Button : public Control {
public:
    Button(Form& parent, const std::string& caption, Bounds bounds);
    NotifyEvent OnClick;
    // Set on the form when the button is pressed; mrNone leaves the form's result alone.
    int ModalResult = mrNone;
    // Presses the button as the user would: sets the form's modal result, then runs OnClick.
    void Click();
    void HandleCommand(int notifyCode) override;
};

class CheckBox : public Control {
public:
    CheckBox(Form& parent, const std::string& caption, Bounds bounds);
    bool Checked() const;
    void SetChecked(bool checked);
};

class Edit : public Control {
public:
    Edit(Form& parent, const std::string& text, Bounds bounds, DWORD style = ES_AUTOHSCROLL | WS_TABSTOP,
         DWORD exStyle = WS_EX_CLIENTEDGE, TextForm form = TextForm::CodePage);
    NotifyEvent OnEnter; // the control received the focus
    bool ReadOnly() const;
    void SetReadOnly(bool readOnly);
    void HandleCommand(int notifyCode) override;
    // A button beside the edit that takes no focus: F4 or Alt+Down in the edit press it while it is
    // enabled, as they open a combo box's list. The button outlives the edit's window.
    void SetDropButton(Control& button);

protected:
    std::optional<LRESULT> Message(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    Control* dropButton_ = nullptr;
};

// A read-only multi-line edit on the button-face colour, not a tab stop.
class Label;

class Memo : public Edit {
public:
    enum class Align { Left, Center };
    Memo(Form& parent, Bounds bounds, bool border, Align align = Align::Left);
    ~Memo() override;
    std::vector<std::string> Lines() const;
    void SetLines(const std::vector<std::string>& lines);
    void Clear();
    HBRUSH PaintColors(HDC dc) override;
    // What a screen reader calls the memo, which has no label on screen: a hidden label just before it
    // in z-order (call it after the form's SetTabOrder). Its text is the memo's value, not its name.
    void SetAccessibleName(const std::string& name);

private:
    std::unique_ptr<Label> name_;
};

// A label sizes itself to its text (width and height) whenever its font changes.
class Label : public Control {
public:
    Label(Form& parent, const std::string& caption, Bounds bounds, DWORD style = SS_LEFT);
    // Sets the font and fits the label's size to its text in it.
    void SetFont(HFONT font) override;
    // Paints the text in one colour on a ground of another (for status marks).
    void SetColors(COLORREF text, COLORREF background);
    // Puts the label just before the control in z-order, where a screen reader looks for the control's
    // name. A label takes no focus, so the Tab order stays; call it after the form's SetTabOrder.
    void Names(const Control& control);
    HBRUSH PaintColors(HDC dc) override;

private:
    void FitToText(HFONT font);

    bool colored_ = false;
    COLORREF text_ = 0;
    COLORREF background_ = 0;
    win32::BrushHandle brush_;
};

// A horizontal etched line across a form.
class Bevel : public Control {
public:
    Bevel(Form& parent, Bounds bounds);
};

// A picture from the program's resources (see ui/Pictures.h), drawn at 200% and shown scaled
// smoothly to the control's size at the form's scale. It is decoded when it is first painted, so a
// window that is created but not yet shown has not paid for it.
class Picture : public Control {
public:
    Picture(Form& parent, int pictureResource, Bounds bounds);
    void Rescale(const Scale& scale) override;

protected:
    std::optional<LRESULT> Message(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    void ShowPicture();

    int resource_;
    bool painted_ = false;
    win32::BitmapHandle bitmap_;
};

// A framed group of radio buttons in one column. ItemIndex -1 means no choice is selected.
class RadioGroup : public Control {
public:
    RadioGroup(Form& parent, const std::string& caption, Bounds bounds, const std::vector<std::string>& items);
    ~RadioGroup() override;

    int Count() const { return static_cast<int>(buttons_.size()); }
    int ItemIndex() const { return index_; }
    // Selects a choice, bounded to -1 .. Count()-1; runs OnClick when the selection changes.
    void SetItemIndex(int index);
    Control& Item(int index) const;
    void SetFont(HFONT font) override;
    void PlaceInTabOrder(HWND& previous) override;

    NotifyEvent OnClick; // the selected choice changed, by the user or in code

private:
    class RadioButton;
    void Chosen(int index);
    void ShowSelection();

    std::vector<std::unique_ptr<RadioButton>> buttons_;
    int index_ = -1;
};

} // namespace korva::ui
