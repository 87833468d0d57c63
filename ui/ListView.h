// A report-view list with one text column per row: rows kept in the order added, whole-row and single
// selection, captions editable in place, and a double-click event.
#pragma once

#include "ui/Controls.h"

#include <optional>
#include <string>

namespace korva::ui {

class ListView : public Control {
public:
    // Column headers are shown but cannot be clicked; no sorting. Starts with no column and no row.
    ListView(Form& parent, Bounds bounds);

    void AddColumn(const std::string& caption, int width);
    void AddItem(const std::string& caption);
    int Count() const;
    std::string Caption(int index) const;
    void Clear();
    // The first selected row, or -1.
    int SelectedIndex() const;
    // Selects the row (and gives it the focus mark); -1 clears the selection.
    void Select(int index);
    // The caption of the selected row, or nothing when no row is selected.
    std::optional<std::string> SelectedCaption() const;

    NotifyEvent OnDblClick; // a double-click anywhere in the list, on a row or not

    LRESULT HandleNotify(const NMHDR& header) override;
};

} // namespace korva::ui
