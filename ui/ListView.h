// A report-view list with one text column per row: rows kept in the order added, whole-row and single
// selection, captions editable in place, and a double-click event. From the keyboard: the first row
// added has the focus mark (not the selection), Enter selects the focused row and acts as a
// double-click, and F2 edits the focused row's caption in place as a click on it does. It is a Unicode window, so a caption
// typed or pasted in place comes back exactly as the user wrote it.
#pragma once

#include "ui/Controls.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace korva::ui {

// The user ended editing a caption in place with this text (not for a cancelled edit). True keeps the
// text; false refuses it, and the editing starts again with the text as typed, for the user to correct
// (or to cancel with Esc, which puts the caption back).
using EditedEvent = std::function<bool(Component* Sender, const std::wstring& text)>;

class ListView : public Control {
public:
    // Column headers are shown but cannot be clicked; no sorting. Starts with no column and no row.
    // name: what a screen reader calls the list (the window's text, not shown), for one that does not
    // take it from the label before the list; give the label's text.
    ListView(Form& parent, const std::string& name, Bounds bounds);

    // A column of that width in the design, scaled with the form.
    void AddColumn(const std::string& caption, int width);
    // A row whose caption is text of the system code page; the first one added gets the focus mark.
    void AddItem(const std::string& caption);
    int Count() const;
    // A row's caption exactly as the list holds it.
    std::wstring WideCaption(int index) const;
    // A row's caption in the code page, exactly; Error when it holds a character the code page lacks.
    std::string Caption(int index) const;
    // Removes every row (and a refused text waiting for its editing to start again).
    void Clear();
    // The first selected row, or -1.
    int SelectedIndex() const;
    // The caption of the selected row, or nothing when no row is selected.
    std::optional<std::wstring> SelectedCaption() const;

    NotifyEvent OnDblClick; // a double-click anywhere in the list, on a row or not; Enter
    EditedEvent OnEdited;   // none: every edit is kept

    LRESULT HandleNotify(const NMHDR& header) override;
    void Rescale(const Scale& scale) override;

protected:
    std::optional<LRESULT> Message(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    std::vector<int> columnWidths_;       // in the design
    std::optional<std::wstring> retyped_; // a refused text, for the editing that starts again
};

} // namespace korva::ui
