// Dispatching window messages the same way in every loop: the run loop, modal loops and the pump that
// keeps windows alive during a long search. Every loop reads messages with the wide calls: a character
// typed into a Unicode control then reaches it as typed, where an 8-bit loop would have turned Omega
// into "O" on the way. The system converts what it hands to the 8-bit windows.
#pragma once

#include <windows.h>

namespace korva::win32 {

// Dispatches one message read from the queue. Keyboard navigation (Tab, arrow keys, Enter for the
// default button, Esc for the cancel button, Alt with an access key) is handled for the window the
// message belongs to; everything else is translated and dispatched.
void DispatchQueuedMessage(MSG& msg);

// Waits for the next message of this thread, as the loops read them (GetMessageW).
BOOL WaitForMessage(MSG& msg);

// Handles every message waiting in this thread's queue, then returns. A quit request read here is put
// back into the queue and ends the processing, so the loop that owns it still sees it. Returns false
// when a quit request was read.
bool ProcessPendingMessages();

} // namespace korva::win32
