// The four windows at 100%, 125%, 150% and 200% (96, 120, 144 and 192 DPI): the client area is the
// design's scaled, every caption fits its control in the control's own font, the memos show their lines
// unwrapped, no two controls overlap (but the choices in their group), the window stays inside the
// work area, and the fonts are the faces and sizes the scale asks for; and a window told of another DPI
// (WM_DPICHANGED) lays itself out at it, in the place Windows suggests.
//
// A process reads its DPI once (under Wine, LogPixels in HKCU\Control Panel\Desktop), so the table runs
// this program again for each DPI, with only Layout.AtThisScale and KORVA_LAYOUT_DPI set.
#include "ProgramWindows.h"
#include "WinTestSupport.h"
#include "platform/win32/Handles.h"
#include "ui/Scale.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace korva {
namespace {

constexpr const char* kDpiVariable = "KORVA_LAYOUT_DPI";

std::string ClassOf(HWND window) {
    char name[64] = {};
    ::GetClassNameA(window, name, sizeof name);
    return name;
}

LONG_PTR StyleOf(HWND window) {
    return ::GetWindowLongPtrA(window, GWL_STYLE);
}

// The form's controls: its own children, not the parts of a control (a list view's header).
std::vector<HWND> Children(HWND form) {
    std::vector<HWND> children;
    for (HWND child = ::GetWindow(form, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
        children.push_back(child);
    return children;
}

RECT ClientRectIn(HWND form, HWND child) {
    RECT r{};
    ::GetWindowRect(child, &r);
    ::MapWindowPoints(nullptr, form, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

// The size of a text drawn in a window's own font; a caption's "&" marks its access key.
SIZE TextSize(HWND window, const std::string& text, UINT format) {
    HDC dc = ::GetDC(window);
    const HGDIOBJ old =
        ::SelectObject(dc, reinterpret_cast<HGDIOBJ>(::SendMessageA(window, WM_GETFONT, 0, 0)));
    RECT r{0, 0, 0, 0};
    ::DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &r, format | DT_CALCRECT);
    ::SelectObject(dc, old);
    ::ReleaseDC(window, dc);
    return {r.right - r.left, r.bottom - r.top};
}

int LineHeight(HWND window) {
    HDC dc = ::GetDC(window);
    const HGDIOBJ old =
        ::SelectObject(dc, reinterpret_cast<HGDIOBJ>(::SendMessageA(window, WM_GETFONT, 0, 0)));
    TEXTMETRICA metrics{};
    ::GetTextMetricsA(dc, &metrics);
    ::SelectObject(dc, old);
    ::ReleaseDC(window, dc);
    return metrics.tmHeight;
}

std::string TextOf(HWND window) {
    std::string text(static_cast<size_t>(::GetWindowTextLengthA(window)) + 1, '\0');
    text.resize(static_cast<size_t>(::GetWindowTextA(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

// The fonts a window's controls were given: each face and LOGFONT height once.
using Fonts = std::set<std::pair<std::string, LONG>>;
Fonts FontsOf(HWND form) {
    Fonts fonts;
    for (HWND child : Children(form)) {
        LOGFONTA font{};
        const auto handle = reinterpret_cast<HFONT>(::SendMessageA(child, WM_GETFONT, 0, 0));
        if (handle && ::GetObjectA(handle, sizeof font, &font))
            fonts.insert({font.lfFaceName, font.lfHeight});
    }
    return fonts;
}

// Everything wrong with one window's layout at one scale; empty when there is nothing. A window moved
// partly onto another monitor may run past this one's work area.
std::vector<std::string> LayoutFaults(const ui::Form& form, SIZE design, const ui::Scale& scale,
                                      bool inWorkArea) {
    std::vector<std::string> faults;
    const HWND window = form.Handle();
    const std::string name = form.Caption() + " at " + std::to_string(scale.Dpi()) + " DPI: ";

    RECT client{};
    ::GetClientRect(window, &client);
    if (std::abs(client.right - scale.Of(design.cx)) > 1 || std::abs(client.bottom - scale.Of(design.cy)) > 1)
        faults.push_back(name + "client area " + std::to_string(client.right) + " x " +
                         std::to_string(client.bottom));
    RECT outer{}, work{};
    ::GetWindowRect(window, &outer);
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    if (inWorkArea && (outer.left < work.left || outer.top < work.top || outer.right > work.right ||
                       outer.bottom > work.bottom))
        faults.push_back(name + "the window runs past the work area");

    std::vector<std::pair<HWND, RECT>> shown;
    for (HWND child : Children(window)) {
        const std::string kind = ClassOf(child), text = TextOf(child);
        const LONG_PTR style = StyleOf(child);
        const RECT r = ClientRectIn(window, child);
        RECT inside{};
        ::GetClientRect(child, &inside);
        if (style & WS_VISIBLE)
            shown.push_back({child, r});
        const LONG_PTR type = style & BS_TYPEMASK;
        // An owner-drawn button's text is its name for a screen reader, not drawn.
        const bool button = kind == "Button" && type != BS_OWNERDRAW, group = button && type == BS_GROUPBOX;
        const bool choice = button && (type == BS_AUTOCHECKBOX || type == BS_AUTORADIOBUTTON);
        const bool label = kind == "Static" && (style & SS_TYPEMASK) == SS_LEFT;
        if ((button || label) && !text.empty()) {
            const SIZE needed = TextSize(child, text, DT_SINGLELINE | (label ? DT_NOPREFIX : 0));
            int room = inside.right;
            if (choice)
                room -= ::GetSystemMetrics(SM_CXMENUCHECK); // the box or circle
            if (group)
                room -= scale.Of(16); // the frame's corner before the caption, and after it
            if (needed.cx > room || needed.cy > inside.bottom)
                faults.push_back(name + "\"" + text + "\" needs " + std::to_string(needed.cx) + " x " +
                                 std::to_string(needed.cy) + ", has " + std::to_string(room) + " x " +
                                 std::to_string(inside.bottom));
        }
        if (kind == "Edit" && (style & ES_MULTILINE)) {
            const int lines = static_cast<int>(::SendMessageA(child, EM_GETLINECOUNT, 0, 0));
            int written = 1;
            for (size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at + 2))
                ++written;
            RECT format{};
            ::SendMessageA(child, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&format));
            if (lines != written || written * LineHeight(child) > format.bottom - format.top)
                faults.push_back(name + "a memo shows " + std::to_string(written) + " lines as " +
                                 std::to_string(lines) + ", in " +
                                 std::to_string(format.bottom - format.top) + " pixels: \"" +
                                 text.substr(0, 40) + "...\"");
        }
    }
    for (size_t i = 0; i < shown.size(); ++i)
        for (size_t j = i + 1; j < shown.size(); ++j) {
            RECT both{};
            if (!::IntersectRect(&both, &shown[i].second, &shown[j].second))
                continue;
            // The choices of a radio group lie in its frame, as designed.
            const bool nested = (StyleOf(shown[i].first) & BS_TYPEMASK) == BS_GROUPBOX ||
                                (StyleOf(shown[j].first) & BS_TYPEMASK) == BS_GROUPBOX;
            if (!nested || ClassOf(shown[i].first) != "Button" || ClassOf(shown[j].first) != "Button")
                faults.push_back(name + "\"" + TextOf(shown[i].first) + "\" overlaps \"" +
                                 TextOf(shown[j].first) + "\"");
        }
    return faults;
}

// The four windows on screen, the chooser with a row.
struct Program : test::ProgramWindows {
    Program() {
        frmSelect.lvLocation.AddItem("D:\\Tools\\Compile\\");
        for (ui::Form* form : Forms())
            form->Show();
        test::PumpMessages();
    }
    ~Program() {
        for (ui::Form* form : Forms())
            form->Destroy();
    }
    std::vector<ui::Form*> Forms() { return {&frmMain, &frmAbout, &frmConfig, &frmSelect}; }

    // Every fault at this scale; the main window's with the help text of each compile mode in turn.
    std::vector<std::string> Faults(const ui::Scale& scale, bool inWorkArea = true) {
        std::vector<std::string> faults;
        auto add = [&](const std::vector<std::string>& more) {
            faults.insert(faults.end(), more.begin(), more.end());
        };
        for (size_t i = 1; i < 4; ++i)
            add(LayoutFaults(*Forms()[i], kDesigns[i], scale, inWorkArea));
        for (int mode = 0; mode < kModeCount; ++mode) {
            frmMain.rgComMode.SetItemIndex(mode);
            add(LayoutFaults(frmMain, kDesigns[0], scale, inWorkArea));
        }
        return faults;
    }

    // The client sizes of the four windows' designs, in the order of Forms().
    static constexpr SIZE kDesigns[] = {{435, 453}, {508, 282}, {495, 314}, {309, 194}};
};

// The rectangle Windows suggests with WM_DPICHANGED: at that place, the size for that DPI.
RECT Suggested(const ui::Form& form, SIZE design, int dpi, POINT at) {
    const ui::Scale scale(dpi);
    const SIZE size = ui::WindowSizeFor(
        {scale.Of(design.cx), scale.Of(design.cy)}, static_cast<DWORD>(StyleOf(form.Handle())),
        static_cast<DWORD>(::GetWindowLongPtrA(form.Handle(), GWL_EXSTYLE)), dpi);
    return {at.x, at.y, at.x + size.cx, at.y + size.cy};
}

TEST(Layout, AtThisScale) {
    const char* wanted = std::getenv(kDpiVariable);
    if (!wanted)
        GTEST_SKIP() << "run by Layout.EveryWindowAtEveryScale, once for each DPI";
    const int dpi = std::atoi(wanted);
    ASSERT_EQ(ui::SystemDpi(), dpi) << "the display did not take LogPixels";
    Program program;
    for (const std::string& fault : program.Faults(ui::Scale(dpi)))
        ADD_FAILURE() << fault;

    // At 100% the design's face; at any other scale its outline twin, which Windows draws at any size.
    const struct {
        int dpi;
        Fonts fonts[4]; // in the order of Forms()
    } asked[] = {
        {96,
         {{{"MS Sans Serif", -11}, {"MS Sans Serif", -13}},
          {{"MS Sans Serif", -11}},
          {{"MS Sans Serif", -11}, {"MS Sans Serif", -13}},
          {{"MS Sans Serif", -11}}}},
        {144,
         {{{"Microsoft Sans Serif", -16}, {"Microsoft Sans Serif", -19}},
          {{"Microsoft Sans Serif", -16}},
          {{"Microsoft Sans Serif", -17}, {"Microsoft Sans Serif", -20}},
          {{"Microsoft Sans Serif", -17}}}},
    };
    for (const auto& a : asked) {
        if (a.dpi != dpi)
            continue;
        for (size_t i = 0; i < 4; ++i)
            EXPECT_EQ(FontsOf(program.Forms()[i]->Handle()), a.fonts[i]) << program.Forms()[i]->Caption();
    }

    if (dpi != ui::Scale::kDesignDpi)
        return;
    // Dragged onto a monitor at 150% to the right of this one, and back. Windows switches the scale once
    // most of the window is on the other monitor, and suggests a rectangle there: here two thirds of it
    // past this screen's right edge. The window takes that place as it is.
    RECT before[4];
    for (size_t i = 0; i < 4; ++i)
        ::GetWindowRect(program.Forms()[i]->Handle(), &before[i]);
    RECT work{};
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    for (const int next : {144, 96}) {
        for (size_t i = 0; i < 4; ++i) {
            const ui::Form& form = *program.Forms()[i];
            // At 150% a third of it on this screen; back at 100% where it stood.
            RECT suggested = Suggested(form, Program::kDesigns[i], next, {before[i].left, before[i].top});
            if (next != ui::Scale::kDesignDpi) {
                const LONG width = suggested.right - suggested.left;
                ::OffsetRect(&suggested, work.right - width / 3 - suggested.left, 0);
            }
            ::SendMessageA(form.Handle(), 0x02E0 /* WM_DPICHANGED */, MAKEWPARAM(next, next),
                           reinterpret_cast<LPARAM>(&suggested));
            RECT placed{};
            ::GetWindowRect(form.Handle(), &placed);
            EXPECT_EQ(placed.left, suggested.left) << form.Caption() << " at " << next << " DPI";
            EXPECT_EQ(placed.top, suggested.top) << form.Caption() << " at " << next << " DPI";
        }
        for (const std::string& fault : program.Faults(ui::Scale(next), next == ui::Scale::kDesignDpi))
            ADD_FAILURE() << "after WM_DPICHANGED: " << fault;
    }
}

// Sets Wine's display DPI for the processes started from now on; puts the earlier value back at the end.
class LogPixels {
public:
    LogPixels() {
        ::RegCreateKeyExA(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                          &key_, nullptr);
        DWORD size = sizeof before_;
        had_ = ::RegQueryValueExA(key_, "LogPixels", nullptr, nullptr, reinterpret_cast<BYTE*>(&before_),
                                  &size) == ERROR_SUCCESS;
    }
    ~LogPixels() {
        if (had_)
            Set(before_);
        else
            ::RegDeleteValueA(key_, "LogPixels");
        ::RegCloseKey(key_);
    }
    LogPixels(const LogPixels&) = delete;
    LogPixels& operator=(const LogPixels&) = delete;
    void Set(DWORD dpi) {
        ::RegSetValueExA(key_, "LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dpi), sizeof dpi);
    }

private:
    HKEY key_ = nullptr;
    DWORD before_ = 96;
    bool had_ = false;
};

TEST(Layout, EveryWindowAtEveryScale) {
    if (std::getenv(kDpiVariable))
        GTEST_SKIP() << "the run for one DPI";
    char self[MAX_PATH * 4] = {};
    ::GetModuleFileNameA(nullptr, self, sizeof self);
    LogPixels logPixels;
    for (const int dpi : {96, 120, 144, 192}) {
        SCOPED_TRACE(std::to_string(dpi) + " DPI");
        logPixels.Set(static_cast<DWORD>(dpi));
        ::SetEnvironmentVariableA(kDpiVariable, std::to_string(dpi).c_str());
        std::string command =
            std::string("\"") + self + "\" --gtest_filter=Layout.AtThisScale --gtest_brief=1";
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION started{};
        const bool ran = ::CreateProcessA(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                          nullptr, &startup, &started) != FALSE;
        ::SetEnvironmentVariableA(kDpiVariable, nullptr);
        ASSERT_TRUE(ran);
        win32::ProcessHandle process(started.hProcess);
        win32::ProcessHandle thread(started.hThread);
        EXPECT_EQ(::WaitForSingleObject(process.Get(), 60000), WAIT_OBJECT_0);
        DWORD exitCode = 1;
        ::GetExitCodeProcess(process.Get(), &exitCode);
        EXPECT_EQ(exitCode, 0u) << "the layout at this DPI has faults: see the run's output above";
    }
}

} // namespace
} // namespace korva
