// The location chooser with the real list: rows in the order given, the double-click that closes it, a
// caption edited in place, the keys (F2 edits, Enter chooses, Esc does nothing), and a close with no row
// selected.
#include "WinTestSupport.h"
#include "config/Select.h"
#include "fakes/FakeNameConversion.h"
#include "fakes/FakePrompts.h"

#include <gtest/gtest.h>

#include <commctrl.h>

namespace korva {
namespace {

class ConfigSelectTest : public ::testing::Test {
protected:
    ConfigSelectTest() : select(prompts, names, nullptr) {}
    ~ConfigSelectTest() override { select.Destroy(); }

    HWND List() const { return select.lvLocation.Handle(); }
    void SelectRow(int row) {
        ListView_SetItemState(List(), row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    }

    void PostKey(WPARAM key) {
        ::PostMessageA(List(), WM_KEYDOWN, key, 0);
        ::PostMessageA(List(), WM_KEYUP, key, 0xC0000000);
    }
    // A double-click in the list's client area, read by the chooser's own loop.
    void PostDoubleClick(int x, int y) {
        ::PostMessageA(List(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(x, y));
        ::PostMessageA(List(), WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    }
    void PostDoubleClickOnRow(int row) {
        RECT r{};
        ListView_GetItemRect(List(), row, &r, LVIR_LABEL);
        PostDoubleClick((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    }
    // Whether the chooser's loop has read every double-click posted.
    bool DoubleClickWaiting() const {
        MSG msg;
        return ::PeekMessageA(&msg, List(), WM_LBUTTONDBLCLK, WM_LBUTTONDBLCLK, PM_NOREMOVE) != FALSE;
    }

    fakes::FakePrompts prompts;
    fakes::FakeNameConversion names;
    TfrmSelect select;
    std::vector<std::string> rowsShown;
};

TEST_F(ConfigSelectTest, ADoubleClickOnARowChoosesItAndTheListEmpties) {
    prompts.onShowModal = [&](ModalWindow& window) {
        for (int i = 0; i < select.lvLocation.Count(); ++i)
            rowsShown.push_back(select.lvLocation.Caption(i));
        // Opened with the first row focused, for the keyboard, but not chosen.
        EXPECT_EQ(ListView_GetNextItem(List(), -1, LVNI_FOCUSED), 0);
        EXPECT_EQ(select.lvLocation.SelectedIndex(), -1);
        SelectRow(1);
        // Esc leaves the window open: the double-click after it is read by its loop.
        PostKey(VK_ESCAPE);
        PostDoubleClickOnRow(1);
        return window.RunModal();
    };
    bool listFocused = false;
    const ui::NotifyEvent close = select.lvLocation.OnDblClick;
    select.lvLocation.OnDblClick = [&](ui::Component* sender) {
        listFocused = select.lvLocation.Focused();
        close(sender);
    };
    const auto chosen = select.Choose({"C:\\Sierra\\Tools\\", "D:\\Compile\\"});
    EXPECT_EQ(rowsShown, (std::vector<std::string>{"C:\\Sierra\\Tools\\", "D:\\Compile\\"}));
    EXPECT_EQ(chosen, std::optional<std::string>("D:\\Compile\\"));
    EXPECT_FALSE(DoubleClickWaiting());
    EXPECT_FALSE(select.Visible());
    EXPECT_TRUE(listFocused);
    EXPECT_EQ(select.lvLocation.Count(), 0);

    // The next showing lists only its own folders.
    rowsShown.clear();
    select.Choose({"E:\\Only\\"});
    EXPECT_EQ(rowsShown, std::vector<std::string>{"E:\\Only\\"});
}

// A caption edited in place (F2 on the focused row) passes the rule for names, as a typed folder does:
// pasted with a full-width ampersand, which a best fit made "&", it is refused in a box that names it as
// pasted, and the editing starts again with the text as typed; corrected, Enter makes it the choice, with
// "\" for "/".
TEST_F(ConfigSelectTest, ACaptionEditedInPlaceIsTheChoiceOnceItPassesTheRuleForNames) {
    const std::wstring pasted = L"F:\\Tools\uFF06More\\";
    std::wstring retyped;
    prompts.onShowModal = [&](ModalWindow& window) {
        select.Show();
        PostKey(VK_F2);
        test::PumpMessages();
        HWND editor = ListView_GetEditControl(List());
        EXPECT_NE(editor, nullptr);
        ::SetWindowTextW(editor, pasted.c_str());
        ::SendMessageW(editor, WM_KEYDOWN, VK_RETURN, 0); // ends the edit, offering the text
        test::PumpMessages();
        editor = ListView_GetEditControl(List());
        EXPECT_NE(editor, nullptr) << "the editing did not start again";
        retyped.resize(260);
        retyped.resize(static_cast<size_t>(::GetWindowTextW(editor, retyped.data(), 260)));
        ::SetWindowTextW(editor, L"F:/Edited/");
        ::SendMessageW(editor, WM_KEYDOWN, VK_RETURN, 0);
        PostKey(VK_RETURN);
        return window.RunModal();
    };
    EXPECT_EQ(select.Choose({"C:\\A\\", "C:\\B\\"}), std::optional<std::string>("F:\\Edited\\"));
    EXPECT_EQ(retyped, pasted);
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].kind, MessageKind::Error);
    EXPECT_EQ(prompts.messages[0].wideText.rfind(L"KORVA cannot use \"" + pasted + L"\" as the tools folder: ", 0), 0u);
}

TEST_F(ConfigSelectTest, ADoubleClickBelowTheRowsClosesItWithNothingChosen) {
    prompts.onShowModal = [&](ModalWindow& window) {
        PostDoubleClick(150, 140);
        return window.RunModal();
    };
    EXPECT_EQ(select.Choose({"C:\\A\\", "C:\\B\\"}), std::nullopt);
    EXPECT_FALSE(DoubleClickWaiting());
}

} // namespace
} // namespace korva
