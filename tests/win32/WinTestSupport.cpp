// Helpers for the Windows tests.
#include "WinTestSupport.h"

#include "platform/win32/MessageLoop.h"

#include <tlhelp32.h>

#include <vector>

namespace korva::test {

void PumpMessages() { win32::ProcessPendingMessages(); }

bool WaitFor(const std::function<bool()>& condition, int milliseconds) {
    // The unsigned difference stays right when the tick count wraps.
    const DWORD start = ::GetTickCount();
    while (!condition()) {
        if (::GetTickCount() - start > static_cast<DWORD>(milliseconds))
            return false;
        PumpMessages();
        ::Sleep(10);
    }
    return true;
}

void EndChildProcesses() {
    HANDLE snapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return;
    std::vector<PROCESSENTRY32> all;
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL ok = ::Process32First(snapshot, &entry); ok; ok = ::Process32Next(snapshot, &entry))
        all.push_back(entry);
    ::CloseHandle(snapshot);
    // This process's descendants: the consoles and whatever they started.
    std::vector<DWORD> children = {::GetCurrentProcessId()};
    for (size_t i = 0; i < children.size(); ++i)
        for (const auto& p : all)
            if (p.th32ParentProcessID == children[i] && p.th32ProcessID != children[i])
                children.push_back(p.th32ProcessID);
    children.erase(children.begin());
    for (DWORD id : children) {
        if (HANDLE process = ::OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id)) {
            ::TerminateProcess(process, 0);
            ::WaitForSingleObject(process, 5000);
            ::CloseHandle(process);
        }
    }
}

} // namespace korva::test
