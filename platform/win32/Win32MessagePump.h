// The message pump that keeps the windows alive during a folder search.
#pragma once

#include "platform/MessagePump.h"

namespace korva::win32 {

// Asking the system whether messages wait costs about as much as listing a directory entry under Wine
// (and a kernel call on Windows), so the pump looks at the queue at most once per interval and only
// handles messages when some wait. At the default 10 ms the windows repaint and answer clicks without
// a noticeable delay, and a search runs as fast as without the pump.
class Win32MessagePump final : public MessagePump {
public:
    explicit Win32MessagePump(unsigned intervalMs = 10) : interval_(intervalMs) {}
    // Handles the waiting messages through the program's shared dispatch (dialog keys included). A quit
    // request is put back for the loop that owns it, and the call returns false. Handler exceptions pass
    // through.
    bool ProcessMessages() override;

private:
    unsigned interval_;
    unsigned long lastLook_ = 0;
    bool looked_ = false;
};

} // namespace korva::win32
