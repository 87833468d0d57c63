// A report-view list with one text column per row: rows kept in the order added, whole-row and single
// selection, captions editable in place, and a double-click event.
#pragma once

#include "ui/Controls.h"

#include <optional>
#include <string>
#include <vector>

namespace korva::ui {

class ListView : public Control {
public:
    // Column headers are shown but cannot be clicked; no sorting. Starts with no column and no row.
    ListView(Form& parent, Bounds bounds);

    // A column of that width in the design, scaled with the form.
    void AddColumn(const std::string& caption, int width);
    void AddItem(const std::string& caption);
    int Count() const;
    std::string Caption(int index) const;
    void Clear();
    // The first selected row, or -1.
    int SelectedIndex() const;
    // The caption of the selected row, or nothing when no row is selected.
    std::optional<std::string> SelectedCaption() const;

    NotifyEvent OnDblClick; // a double-click anywhere in the list, on a row or not

    LRESULT HandleNotify(const NMHDR& header) override;
    void Rescale(const Scale& scale) override;

private:
    std::vector<int> columnWidths_; // in the design
};

} // namespace korva::ui
