// Helpers for tests against the real Windows API: message pumping, waiting and ending the programs a
// test started; files and folders come from support/TestFiles.h.
#pragma once

#include <windows.h>

#include "support/TestFiles.h"

#include <functional>

namespace korva::test {

// Dispatches this thread's pending messages as the program's loops do.
void PumpMessages();
// Pumps messages until condition holds or the time is up; returns the condition's last value.
bool WaitFor(const std::function<bool()>& condition, int milliseconds = 10000);

// Ends the programs this process started that are still running (consoles left open by "/k").
void EndChildProcesses();

} // namespace korva::test
