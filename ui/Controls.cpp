// The standard controls.
#include "ui/Controls.h"

#include "platform/Error.h"
#include "platform/win32/CodePageText.h"
#include "platform/win32/WindowHelpers.h"
#include "ui/Pictures.h"

#include <cstring>

namespace korva::ui {
namespace {

bool IsRadioButton(const char* windowClass, DWORD style) {
    const DWORD type = style & BS_TYPEMASK;
    return std::strcmp(windowClass, "BUTTON") == 0 && (type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON);
}

// A procedure's own form (8-bit or Unicode) is kept, so that texts pass through unconverted.
WNDPROC SetProcedure(HWND hwnd, WNDPROC proc) {
    const auto value = reinterpret_cast<LONG_PTR>(proc);
    return reinterpret_cast<WNDPROC>(::IsWindowUnicode(hwnd) ? ::SetWindowLongPtrW(hwnd, GWLP_WNDPROC, value)
                                                              : ::SetWindowLongPtrA(hwnd, GWLP_WNDPROC, value));
}

LRESULT CallProcedure(WNDPROC proc, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return ::IsWindowUnicode(hwnd) ? ::CallWindowProcW(proc, hwnd, msg, wParam, lParam)
                                   : ::CallWindowProcA(proc, hwnd, msg, wParam, lParam);
}

} // namespace

// ---- Control

Control::Control(Form& parent, const char* windowClass, const std::string& caption, Bounds b, DWORD style,
                 DWORD exStyle, TextForm form)
    : parent_(parent), bounds_(b), id_(parent.Register(*this)), form_(form) {
    style |= WS_CHILD | WS_VISIBLE;
    if (!IsRadioButton(windowClass, style))
        style |= WS_GROUP; // every control but a radio button starts its own keyboard group
    const RECT r = parent.GetScale().Of(b);
    const auto menu = reinterpret_cast<HMENU>(static_cast<INT_PTR>(id_));
    if (form == TextForm::Unicode) {
        const std::wstring wideClass(windowClass, windowClass + std::strlen(windowClass)); // ASCII names
        handle_.Reset(::CreateWindowExW(exStyle, wideClass.c_str(), win32::WideText(caption).c_str(), style,
                                        r.left, r.top, r.right - r.left, r.bottom - r.top, parent.Handle(),
                                        menu, ::GetModuleHandleW(nullptr), nullptr));
    } else {
        handle_.Reset(::CreateWindowExA(exStyle, windowClass, caption.c_str(), style, r.left, r.top,
                                        r.right - r.left, r.bottom - r.top, parent.Handle(), menu,
                                        ::GetModuleHandleA(nullptr), nullptr));
    }
    if (!handle_) {
        parent.Unregister(*this);
        throw Error(std::string("Unable to create a control of class ") + windowClass);
    }
    // Only the window's own font: a derived class is not built yet, and one that does more with its
    // font (a label fits its size to it) does that in its own constructor.
    Control::SetFont(parent.Font());
}

Control::~Control() {
    // Stop receiving the parent's messages first: destroying the window may still send some. For the
    // same reason the class's procedure has a subclassed window back before it is destroyed.
    parent_.Unregister(*this);
    if (classProc_ && Handle())
        SetProcedure(Handle(), classProc_);
}

std::string Control::Text() const {
    if (form_ == TextForm::Unicode)
        return win32::ExactCodePageText(WideText());
    return win32::WindowText(Handle());
}

void Control::SetText(const std::string& text) {
    if (form_ == TextForm::Unicode)
        ::SetWindowTextW(Handle(), win32::WideText(text).c_str());
    else
        ::SetWindowTextA(Handle(), text.c_str());
}

std::wstring Control::WideText() const {
    std::wstring text(static_cast<size_t>(::GetWindowTextLengthW(Handle())) + 1, L'\0');
    text.resize(static_cast<size_t>(::GetWindowTextW(Handle(), text.data(), static_cast<int>(text.size()))));
    return text;
}
bool Control::Enabled() const { return ::IsWindowEnabled(Handle()) != FALSE; }
void Control::SetEnabled(bool enabled) { ::EnableWindow(Handle(), enabled); }
bool Control::Visible() const { return (::GetWindowLongPtrA(Handle(), GWL_STYLE) & WS_VISIBLE) != 0; }
void Control::SetVisible(bool visible) { ::ShowWindow(Handle(), visible ? SW_SHOWNA : SW_HIDE); }
bool Control::Focused() const { return ::GetFocus() == Handle(); }
void Control::SetFocus() { ::SetFocus(Handle()); }
void Control::SetFont(HFONT font) { ::SendMessageA(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE); }

void Control::PlaceInTabOrder(HWND& previous) {
    ::SetWindowPos(Handle(), previous, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    previous = Handle();
}

void Control::Rescale(const Scale& scale) {
    const RECT r = scale.Of(bounds_);
    ::SetWindowPos(Handle(), nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
}

void Control::Subclass() {
    ::SetWindowLongPtrW(Handle(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    classProc_ = SetProcedure(Handle(), &Control::SubclassProc);
}

LRESULT Control::ClassMessage(UINT msg, WPARAM wParam, LPARAM lParam) const {
    return CallProcedure(classProc_, Handle(), msg, wParam, lParam);
}

LRESULT CALLBACK Control::SubclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<Control*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    const WNDPROC classProc = self->classProc_;
    if (msg == WM_NCDESTROY) { // the window went with its form's: the class's procedure has it back
        SetProcedure(hwnd, classProc);
        return CallProcedure(classProc, hwnd, msg, wParam, lParam);
    }
    std::optional<LRESULT> result;
    self->Parent().Guard([&] { result = self->Message(msg, wParam, lParam); });
    return result ? *result : CallProcedure(classProc, hwnd, msg, wParam, lParam);
}

void Control::SetStyleBit(DWORD bit, bool on) {
    LONG_PTR style = ::GetWindowLongPtrA(Handle(), GWL_STYLE);
    style = on ? (style | bit) : (style & ~static_cast<LONG_PTR>(bit));
    ::SetWindowLongPtrA(Handle(), GWL_STYLE, style);
}

// ---- Button

Button::Button(Form& parent, const std::string& caption, Bounds bounds)
    : Control(parent, "BUTTON", caption, bounds, BS_PUSHBUTTON | WS_TABSTOP) {}

void Button::Click() {
    if (ModalResult != mrNone)
        Parent().SetModalResult(ModalResult);
    if (OnClick)
        OnClick(this);
}

void Button::HandleCommand(int notifyCode) {
    if (notifyCode == BN_CLICKED)
        Click();
}

// ---- CheckBox

CheckBox::CheckBox(Form& parent, const std::string& caption, Bounds bounds)
    : Control(parent, "BUTTON", caption, bounds, BS_AUTOCHECKBOX | WS_TABSTOP) {}

bool CheckBox::Checked() const { return ::SendMessageA(Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED; }
void CheckBox::SetChecked(bool checked) {
    ::SendMessageA(Handle(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

// ---- Edit and Memo

Edit::Edit(Form& parent, const std::string& text, Bounds bounds, DWORD style, DWORD exStyle, TextForm form)
    : Control(parent, "EDIT", text, bounds, style, exStyle, form) {}

bool Edit::ReadOnly() const { return (::GetWindowLongPtrA(Handle(), GWL_STYLE) & ES_READONLY) != 0; }
void Edit::SetReadOnly(bool readOnly) { ::SendMessageA(Handle(), EM_SETREADONLY, readOnly, 0); }

void Edit::HandleCommand(int notifyCode) {
    if (notifyCode == EN_SETFOCUS && OnEnter)
        OnEnter(this);
}

void Edit::SetDropButton(Control& button) {
    dropButton_ = &button;
    Subclass();
}

std::optional<LRESULT> Edit::Message(UINT msg, WPARAM wParam, LPARAM) {
    const bool drop = (msg == WM_KEYDOWN && wParam == VK_F4) || (msg == WM_SYSKEYDOWN && wParam == VK_DOWN);
    if (!drop || !dropButton_)
        return std::nullopt;
    if (dropButton_->Enabled())
        ::SendMessageA(dropButton_->Handle(), BM_CLICK, 0, 0);
    return 0;
}

Memo::Memo(Form& parent, Bounds bounds, bool border, Align align)
    : Edit(parent, "", bounds,
           ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | (align == Align::Center ? ES_CENTER : ES_LEFT),
           border ? WS_EX_CLIENTEDGE : 0) {}

Memo::~Memo() = default;

void Memo::SetAccessibleName(const std::string& name) {
    name_ = std::make_unique<Label>(Parent(), name, DesignBounds());
    name_->SetVisible(false);
    name_->Names(*this);
}

std::vector<std::string> Memo::Lines() const {
    std::vector<std::string> lines;
    const std::string text = Text();
    if (text.empty())
        return lines;
    std::string::size_type start = 0;
    for (;;) {
        const auto end = text.find("\r\n", start);
        lines.push_back(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
        if (end == std::string::npos)
            break;
        start = end + 2;
    }
    return lines;
}

void Memo::SetLines(const std::vector<std::string>& lines) {
    std::string text;
    for (const auto& line : lines) {
        if (&line != &lines.front())
            text += "\r\n";
        text += line;
    }
    SetText(text);
}

void Memo::Clear() { SetText(""); }

HBRUSH Memo::PaintColors(HDC dc) {
    ::SetTextColor(dc, ::GetSysColor(COLOR_WINDOWTEXT));
    ::SetBkColor(dc, ::GetSysColor(COLOR_BTNFACE));
    return ::GetSysColorBrush(COLOR_BTNFACE);
}

// ---- Label, Bevel, Picture

Label::Label(Form& parent, const std::string& caption, Bounds bounds, DWORD style)
    : Control(parent, "STATIC", caption, bounds, style | SS_NOPREFIX) {
    FitToText(parent.Font());
}

void Label::SetFont(HFONT font) {
    Control::SetFont(font);
    FitToText(font);
}

void Label::FitToText(HFONT font) {
    // Measured on one memory DC for every label, kept for the run: a window's own DC costs Wine a
    // trip to its server each time, and start-up fits some forty labels.
    static const win32::MemoryDc measuring(::CreateCompatibleDC(nullptr));
    HDC dc = measuring.Get();
    if (!dc)
        return;
    const HGDIOBJ old = ::SelectObject(dc, font);
    const std::string text = Text();
    SIZE size{};
    ::GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
    ::SelectObject(dc, old);
    ::SetWindowPos(Handle(), nullptr, 0, 0, size.cx + Parent().GetScale().Of(2), size.cy,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Label::SetColors(COLORREF text, COLORREF background) {
    colored_ = true;
    text_ = text;
    background_ = background;
    brush_.Reset(::CreateSolidBrush(background));
    ::InvalidateRect(Handle(), nullptr, TRUE);
}

void Label::Names(const Control& control) {
    HWND before = ::GetWindow(control.Handle(), GW_HWNDPREV);
    if (before == Handle())
        return;
    ::SetWindowPos(Handle(), before ? before : HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

HBRUSH Label::PaintColors(HDC dc) {
    if (!colored_)
        return nullptr;
    ::SetTextColor(dc, text_);
    ::SetBkColor(dc, background_);
    return brush_.Get();
}

Bevel::Bevel(Form& parent, Bounds bounds) : Control(parent, "STATIC", "", bounds, SS_ETCHEDHORZ) {}

Picture::Picture(Form& parent, int pictureResource, Bounds bounds)
    : Control(parent, "STATIC", "", bounds, SS_BITMAP), resource_(pictureResource) {
    Subclass();
}

void Picture::Rescale(const Scale& scale) {
    Control::Rescale(scale);
    if (painted_)
        ShowPicture();
}

std::optional<LRESULT> Picture::Message(UINT msg, WPARAM, LPARAM) {
    if (msg == WM_PAINT && !painted_) {
        painted_ = true;
        ShowPicture(); // then painted by the class, as always
    }
    return std::nullopt;
}

void Picture::ShowPicture() {
    const RECT size = Parent().GetScale().Of(DesignBounds());
    win32::BitmapHandle bitmap = LoadPicture(resource_, size.right - size.left, size.bottom - size.top,
                                                    ::GetSysColor(COLOR_BTNFACE));
    if (!bitmap)
        return;
    // The control shows the new bitmap before the old one goes.
    ::SendMessageA(Handle(), STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap.Get()));
    bitmap_ = std::move(bitmap);
}

// ---- RadioGroup

class RadioGroup::RadioButton : public Control {
public:
    RadioButton(RadioGroup& group, int index, const std::string& caption, Bounds bounds)
        : Control(group.Parent(), "BUTTON", caption, bounds, BS_AUTORADIOBUTTON | (index == 0 ? WS_GROUP : 0)),
          group_(group), index_(index) {}
    void HandleCommand(int notifyCode) override {
        if (notifyCode == BN_CLICKED)
            group_.Chosen(index_);
    }
    void SetTabStop(bool on) { SetStyleBit(WS_TABSTOP, on); }

private:
    RadioGroup& group_;
    int index_;
};

RadioGroup::RadioGroup(Form& parent, const std::string& caption, Bounds b, const std::vector<std::string>& items)
    : Control(parent, "BUTTON", caption, b, BS_GROUPBOX) {
    const int count = static_cast<int>(items.size());
    const int step = count > 0 ? (b.height - 24) / count : 0;
    for (int i = 0; i < count; ++i)
        buttons_.push_back(
            std::make_unique<RadioButton>(*this, i, items[i], Bounds{b.left + 10, b.top + 20 + i * step, b.width - 20, step}));
    ShowSelection();
}

RadioGroup::~RadioGroup() = default;

Control& RadioGroup::Item(int index) const { return *buttons_.at(static_cast<size_t>(index)); }

void RadioGroup::SetItemIndex(int index) {
    if (index < -1)
        index = -1;
    if (index >= Count())
        index = Count() - 1;
    Chosen(index);
}

void RadioGroup::Chosen(int index) {
    if (index == index_) {
        ShowSelection();
        return;
    }
    index_ = index;
    ShowSelection();
    if (OnClick)
        OnClick(this);
}

void RadioGroup::ShowSelection() {
    // Tab enters the group at the selected choice, or at the first when none is selected.
    for (int i = 0; i < Count(); ++i) {
        ::SendMessageA(buttons_[i]->Handle(), BM_SETCHECK, i == index_ ? BST_CHECKED : BST_UNCHECKED, 0);
        buttons_[i]->SetTabStop(i == (index_ < 0 ? 0 : index_));
    }
}

void RadioGroup::SetFont(HFONT font) {
    Control::SetFont(font);
    for (auto& button : buttons_)
        button->SetFont(font);
}

void RadioGroup::PlaceInTabOrder(HWND& previous) {
    Control::PlaceInTabOrder(previous);
    for (auto& button : buttons_)
        button->PlaceInTabOrder(previous);
}

} // namespace korva::ui
