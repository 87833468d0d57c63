// Shared message dispatch for every loop of the program.
#include "platform/win32/MessageLoop.h"

namespace korva::win32 {

void DispatchQueuedMessage(MSG& msg) {
    HWND root = msg.hwnd ? ::GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
    if (root && ::IsDialogMessageW(root, &msg))
        return;
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
}

BOOL WaitForMessage(MSG& msg) { return ::GetMessageW(&msg, nullptr, 0, 0); }

bool ProcessPendingMessages() {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            return false;
        }
        DispatchQueuedMessage(msg);
    }
    return true;
}

} // namespace korva::win32
