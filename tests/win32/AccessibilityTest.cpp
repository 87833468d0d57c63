// What a screen reader finds through AccessibleObjectFromWindow: each edit, list and picture button by a
// name that says what it is for, from the label just before it in z-order or from its own text.
#include "ProgramWindows.h"

#include <gtest/gtest.h>

#include <oleacc.h>

namespace korva {
namespace {

TEST(Accessibility, EveryEditListAndPictureButtonIsNamed) {
    test::ProgramWindows w;
    constexpr long kText = ROLE_SYSTEM_TEXT, kAny = 0; // Wine reports buttons and lists as "client"
    const struct {
        const ui::Control& control;
        const ui::Label* label; // just before the control in z-order, or none
        std::wstring name;
        long role;
    } rows[] = {
        {w.frmMain.edFilename, &w.frmMain.lbl_info1, L"Step 1: Select the .map file to compile", kText},
        {w.frmMain.mmo_info, nullptr, L"What the compile mode does", kText},
        {w.frmAbout.mmoAbout, nullptr, L"Version", kText},
        {w.frmAbout.Memo1, nullptr, L"About KORVA", kText},
        {w.frmConfig.edHLDir, &w.frmConfig.Label10, L"Found Half-Life in:", kText},
        {w.frmConfig.edToolsDir, &w.frmConfig.Label11, L"Found Compile Tools in:", kText},
        {w.frmConfig.edMapsDir, &w.frmConfig.Label12, L"Found default maps directory:", kText},
        {w.frmConfig.btnHLBrowse, nullptr, L"Choose the Half-Life folder", kAny},
        {w.frmConfig.btnCTBrowse, nullptr, L"Choose the Compile Tools folder", kAny},
        {w.frmConfig.btnMapsBrowse, nullptr, L"Choose the default maps folder", kAny},
        {w.frmSelect.lvLocation, &w.frmSelect.Label2, L"Please doubleclick on the location you wish to use", kAny},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.name.begin(), row.name.end()));
        IAccessible* object = nullptr;
        ASSERT_EQ(::AccessibleObjectFromWindow(row.control.Handle(), static_cast<DWORD>(OBJID_CLIENT),
                                               __uuidof(IAccessible), reinterpret_cast<void**>(&object)), S_OK);
        VARIANT self{}, role{}; // self: VT_EMPTY would be refused, VT_I4 0 is CHILDID_SELF
        self.vt = VT_I4;
        BSTR name = nullptr;
        object->get_accName(self, &name);
        object->get_accRole(self, &role);
        EXPECT_EQ(std::wstring(name ? name : L""), row.name);
        EXPECT_TRUE(!row.role || role.lVal == row.role);
        ::SysFreeString(name);
        object->Release();
        EXPECT_TRUE(!row.label || ::GetWindow(row.label->Handle(), GW_HWNDNEXT) == row.control.Handle());
    }
}

} // namespace
} // namespace korva
