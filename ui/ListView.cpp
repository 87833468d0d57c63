// The report-view list.
#include "ui/ListView.h"

#include "platform/win32/CodePageText.h"

#include <commctrl.h>

#include <vector>

namespace korva::ui {

ListView::ListView(Form& parent, const std::string& name, Bounds bounds)
    : Control(parent, WC_LISTVIEWA, name, bounds,
              LVS_REPORT | LVS_SINGLESEL | LVS_NOSORTHEADER | LVS_EDITLABELS | WS_TABSTOP, WS_EX_CLIENTEDGE,
              TextForm::Unicode) {
    // Its notifications come in Unicode, as the form answers a Unicode control's question about them
    // (WM_NOTIFYFORMAT): an edited caption arrives as LVN_ENDLABELEDITW, as typed.
    ListView_SetExtendedListViewStyleEx(Handle(), LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    Subclass(); // for Enter and F2
}

void ListView::AddColumn(const std::string& caption, int width) {
    std::wstring text = win32::WideText(caption);
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.pszText = text.data();
    column.cx = Parent().GetScale().Of(width);
    const int count = Header_GetItemCount(ListView_GetHeader(Handle()));
    ::SendMessageW(Handle(), LVM_INSERTCOLUMNW, static_cast<WPARAM>(count),
                   reinterpret_cast<LPARAM>(&column));
    columnWidths_.push_back(width);
}

void ListView::Rescale(const Scale& scale) {
    Control::Rescale(scale);
    for (size_t i = 0; i < columnWidths_.size(); ++i)
        ListView_SetColumnWidth(Handle(), static_cast<int>(i), scale.Of(columnWidths_[i]));
}

void ListView::AddItem(const std::string& caption) {
    std::wstring text = win32::WideText(caption);
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = Count();
    item.pszText = text.data();
    ::SendMessageW(Handle(), LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    // Without a focused row, the list shows and announces nothing until an arrow key is pressed.
    if (item.iItem == 0)
        ListView_SetItemState(Handle(), 0, LVIS_FOCUSED, LVIS_FOCUSED);
}

int ListView::Count() const { return ListView_GetItemCount(Handle()); }

std::string ListView::Caption(int index) const {
    return win32::ExactCodePageText(WideCaption(index));
}

std::wstring ListView::WideCaption(int index) const {
    // The list reports how much it copied, not how long the text is: grow until it fits.
    for (size_t size = 260;; size *= 2) {
        std::vector<wchar_t> text(size, L'\0');
        LVITEMW item{};
        item.iSubItem = 0;
        item.pszText = text.data();
        item.cchTextMax = static_cast<int>(size);
        const auto copied = static_cast<size_t>(::SendMessageW(
            Handle(), LVM_GETITEMTEXTW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item)));
        if (copied + 1 < size)
            return std::wstring(text.data(), copied);
    }
}

void ListView::Clear() {
    retyped_.reset();
    ListView_DeleteAllItems(Handle());
}

int ListView::SelectedIndex() const { return ListView_GetNextItem(Handle(), -1, LVNI_SELECTED); }

std::optional<std::wstring> ListView::SelectedCaption() const {
    const int index = SelectedIndex();
    if (index < 0)
        return std::nullopt;
    return WideCaption(index);
}

std::optional<LRESULT> ListView::Message(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_GETDLGCODE: {
        // Enter comes to the list, rather than to a default button the form may not have.
        const auto* key = reinterpret_cast<const MSG*>(lParam);
        if (key && (key->message == WM_KEYDOWN || key->message == WM_CHAR) && key->wParam == VK_RETURN)
            return ClassMessage(msg, wParam, lParam) | DLGC_WANTMESSAGE;
        return std::nullopt;
    }
    case WM_KEYDOWN: {
        const int focused = ListView_GetNextItem(Handle(), -1, LVNI_FOCUSED);
        if (wParam == VK_RETURN) {
            if (focused >= 0)
                ListView_SetItemState(Handle(), focused, LVIS_SELECTED, LVIS_SELECTED);
            if (OnDblClick)
                OnDblClick(this);
            return 0;
        }
        if (wParam == VK_F2 && focused >= 0) {
            ::SendMessageW(Handle(), LVM_EDITLABELW, static_cast<WPARAM>(focused), 0);
            return 0;
        }
        return std::nullopt;
    }
    case WM_CHAR:
        if (wParam == VK_RETURN)
            return 0; // handled as a key: no search for a row starting with it, no beep
        return std::nullopt;
    default:
        return std::nullopt;
    }
}

LRESULT ListView::HandleNotify(const NMHDR& header) {
    switch (header.code) {
    case NM_DBLCLK:
        if (OnDblClick)
            OnDblClick(this);
        return 0;
    case LVN_BEGINLABELEDITW:
        // The editing started again after a refusal: it shows the text as the user left it.
        if (retyped_) {
            if (HWND editor = reinterpret_cast<HWND>(::SendMessageW(Handle(), LVM_GETEDITCONTROL, 0, 0))) {
                ::SetWindowTextW(editor, retyped_->c_str());
                ::SendMessageW(editor, EM_SETSEL, 0, -1);
            }
            retyped_.reset();
        }
        return FALSE; // editing may start
    case LVN_ENDLABELEDITW: {
        const auto& info = reinterpret_cast<const NMLVDISPINFOW&>(header);
        if (!info.item.pszText)
            return FALSE; // cancelled, or left as it was
        const std::wstring text = info.item.pszText;
        if (!OnEdited || OnEdited(this, text))
            return TRUE;
        retyped_ = text;
        ::PostMessageW(Handle(), LVM_EDITLABELW, static_cast<WPARAM>(info.item.iItem), 0);
        return FALSE;
    }
    default:
        return 0;
    }
}

} // namespace korva::ui
