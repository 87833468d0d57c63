// The throttled message pump.
#include "platform/win32/Win32MessagePump.h"

#include "platform/win32/MessageLoop.h"

#include <windows.h>

namespace korva::win32 {

bool Win32MessagePump::ProcessMessages() {
    const DWORD now = ::GetTickCount(); // a memory read; wraps every 49 days, hence the unsigned difference
    if (looked_ && now - lastLook_ < interval_)
        return true;
    looked_ = true;
    lastLook_ = now;
    if (HIWORD(::GetQueueStatus(QS_ALLINPUT)) == 0)
        return true;
    return ProcessPendingMessages();
}

} // namespace korva::win32
