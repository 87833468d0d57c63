// The report-view list.
#include "ui/ListView.h"

#include <commctrl.h>

#include <vector>

namespace korva::ui {

ListView::ListView(Form& parent, Bounds bounds)
    : Control(parent, WC_LISTVIEWA, "", bounds,
              LVS_REPORT | LVS_SINGLESEL | LVS_NOSORTHEADER | LVS_EDITLABELS | WS_TABSTOP, WS_EX_CLIENTEDGE) {
    ListView_SetExtendedListViewStyleEx(Handle(), LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
}

void ListView::AddColumn(const std::string& caption, int width) {
    std::string text = caption;
    LVCOLUMNA column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.pszText = text.data();
    column.cx = Parent().GetScale().Of(width);
    const int count = Header_GetItemCount(ListView_GetHeader(Handle()));
    ::SendMessageA(Handle(), LVM_INSERTCOLUMNA, static_cast<WPARAM>(count), reinterpret_cast<LPARAM>(&column));
    columnWidths_.push_back(width);
}

void ListView::Rescale(const Scale& scale) {
    Control::Rescale(scale);
    for (size_t i = 0; i < columnWidths_.size(); ++i)
        ListView_SetColumnWidth(Handle(), static_cast<int>(i), scale.Of(columnWidths_[i]));
}

void ListView::AddItem(const std::string& caption) {
    std::string text = caption;
    LVITEMA item{};
    item.mask = LVIF_TEXT;
    item.iItem = Count();
    item.pszText = text.data();
    ::SendMessageA(Handle(), LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
}

int ListView::Count() const { return ListView_GetItemCount(Handle()); }

std::string ListView::Caption(int index) const {
    // The list reports how much it copied, not how long the text is: grow until it fits.
    for (size_t size = 260;; size *= 2) {
        std::vector<char> text(size, '\0');
        LVITEMA item{};
        item.iSubItem = 0;
        item.pszText = text.data();
        item.cchTextMax = static_cast<int>(size);
        const auto copied = static_cast<size_t>(
            ::SendMessageA(Handle(), LVM_GETITEMTEXTA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item)));
        if (copied + 1 < size)
            return std::string(text.data(), copied);
    }
}

void ListView::Clear() { ListView_DeleteAllItems(Handle()); }

int ListView::SelectedIndex() const { return ListView_GetNextItem(Handle(), -1, LVNI_SELECTED); }

std::optional<std::string> ListView::SelectedCaption() const {
    const int index = SelectedIndex();
    if (index < 0)
        return std::nullopt;
    return Caption(index);
}

LRESULT ListView::HandleNotify(const NMHDR& header) {
    switch (header.code) {
    case NM_DBLCLK:
        if (OnDblClick)
            OnDblClick(this);
        return 0;
    case LVN_ENDLABELEDITA:
        // A caption edited in place is kept as typed; null text means the edit was cancelled.
        return reinterpret_cast<const NMLVDISPINFOA&>(header).item.pszText != nullptr;
    case LVN_ENDLABELEDITW:
        return reinterpret_cast<const NMLVDISPINFOW&>(header).item.pszText != nullptr;
    default:
        return 0;
    }
}

} // namespace korva::ui
