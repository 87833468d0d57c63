// The application window and the run loop.
#include "ui/Application.h"

#include "platform/Error.h"
#include "platform/win32/MessageLoop.h"
#include "res/resource.h"
#include "ui/Scale.h"

namespace korva::ui {
namespace {

constexpr UINT kActivateForm = WM_APP + 1;

} // namespace

Application::Application(const std::string& title)
    : class_("KorvaApplication", WindowProc,
             ::LoadIconA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_KORVA))) {
    // A captioned window of no size: invisible, but it gives the program one taskbar entry with the
    // application title, whatever the caption of the main window.
    RECT work{};
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    window_.Reset(::CreateWindowExA(0, class_.Name(), title.c_str(),
                                    WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX,
                                    (work.left + work.right) / 2, (work.top + work.bottom) / 2, 0, 0, nullptr,
                                    nullptr, ::GetModuleHandleA(nullptr), nullptr));
    if (!window_)
        throw Error("Unable to create the application window");
    // The taskbar entry's icons.
    icons_.Show(Handle(), Scale(SystemDpi()));
}

void Application::Run(Form& mainForm) {
    mainForm.SetMainForm(true);
    ::ShowWindow(Handle(), SW_SHOWNOACTIVATE);
    mainForm.Show();
    MSG msg;
    while (win32::WaitForMessage(msg) > 0)
        win32::DispatchQueuedMessage(msg);
}

LRESULT CALLBACK Application::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_SETFOCUS:
        // Activated from the taskbar: pass the activation on to the program's current window.
        ::PostMessageA(hwnd, kActivateForm, 0, 0);
        break;
    case kActivateForm:
        if (!::IsIconic(hwnd) && ::GetFocus() == hwnd) {
            HWND popup = ::GetLastActivePopup(hwnd);
            if (popup && popup != hwnd && ::IsWindowVisible(popup))
                ::SetForegroundWindow(popup);
        }
        return 0;
    case WM_CLOSE:
        // Closing from the taskbar closes the program's current window, as its own close box would.
        if (HWND popup = ::GetLastActivePopup(hwnd); popup && popup != hwnd)
            ::PostMessageA(popup, WM_CLOSE, 0, 0);
        return 0;
    default:
        break;
    }
    return ::DefWindowProcA(hwnd, msg, wParam, lParam);
}

} // namespace korva::ui
