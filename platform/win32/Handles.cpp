// Out-of-line parts of the handle owners.
#include "platform/win32/Handles.h"

namespace korva::win32 {

WindowClass::WindowClass(const char* name, WNDPROC proc, HICON icon) : name_(name) {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = proc;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.hIcon = icon;
    wc.hCursor = ::LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = name;
    registered_ = ::RegisterClassExA(&wc) != 0;
}

WindowClass::~WindowClass() {
    // Fails harmlessly while another window of the class still exists; that window's owner unregisters.
    if (registered_)
        ::UnregisterClassA(name_, ::GetModuleHandleA(nullptr));
}

} // namespace korva::win32
