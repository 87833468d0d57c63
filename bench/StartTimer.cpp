// Times the start of two window programs, taking turns: each from CreateProcess to the moment a
// top-level window of its process is visible, and its working set then (GetProcessMemoryInfo, once it
// waits for input). Each copy is closed (WM_CLOSE to its windows) and waited for before the next
// starts, since a second KORVA would only hand over to the first.
// Usage: korva_start_timer <pairs> <program A> <program B>
// Prints one line per pair, "pair=<n> a_ms=<t> b_ms=<t> a_kb=<k> b_kb=<k>", and judges nothing.
#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

struct Found {
    DWORD process;
    bool visible = false;
};

BOOL CALLBACK FindVisible(HWND window, LPARAM lParam) {
    auto* found = reinterpret_cast<Found*>(lParam);
    DWORD process = 0;
    ::GetWindowThreadProcessId(window, &process);
    if (process == found->process && ::IsWindowVisible(window)) {
        found->visible = true;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK CloseWindows(HWND window, LPARAM lParam) {
    DWORD process = 0;
    ::GetWindowThreadProcessId(window, &process);
    if (process == static_cast<DWORD>(lParam))
        ::PostMessageA(window, WM_CLOSE, 0, 0);
    return TRUE;
}

struct Start {
    double milliseconds = -1;
    SIZE_T workingSetKb = 0;
};

Start TimeStart(const std::string& program) {
    LARGE_INTEGER frequency, begin, end;
    ::QueryPerformanceFrequency(&frequency);
    std::string command = "\"" + program + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    Start result;
    ::QueryPerformanceCounter(&begin);
    if (!::CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &started))
        return result;
    Found found{started.dwProcessId};
    while (!found.visible && ::WaitForSingleObject(started.hProcess, 0) == WAIT_TIMEOUT) {
        ::EnumWindows(FindVisible, reinterpret_cast<LPARAM>(&found));
        if (!found.visible)
            ::Sleep(1);
    }
    ::QueryPerformanceCounter(&end);
    if (found.visible)
        result.milliseconds = 1000.0 * static_cast<double>(end.QuadPart - begin.QuadPart) /
                              static_cast<double>(frequency.QuadPart);
    ::WaitForInputIdle(started.hProcess, 5000);
    PROCESS_MEMORY_COUNTERS memory{};
    if (::GetProcessMemoryInfo(started.hProcess, &memory, sizeof memory))
        result.workingSetKb = memory.WorkingSetSize / 1024;
    ::EnumWindows(CloseWindows, static_cast<LPARAM>(started.dwProcessId));
    if (::WaitForSingleObject(started.hProcess, 10000) != WAIT_OBJECT_0)
        ::TerminateProcess(started.hProcess, 1);
    ::CloseHandle(started.hThread);
    ::CloseHandle(started.hProcess);
    return result;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: korva_start_timer <pairs> <program A> <program B>\n");
        return 2;
    }
    const int pairs = std::atoi(argv[1]);
    TimeStart(argv[2]); // a first start of each warms the caches and Wine's services
    TimeStart(argv[3]);
    for (int pair = 1; pair <= pairs; ++pair) {
        // Each pair in the other order, so that what the first start leaves warm favours neither.
        Start a, b;
        if (pair % 2) {
            a = TimeStart(argv[2]);
            b = TimeStart(argv[3]);
        } else {
            b = TimeStart(argv[3]);
            a = TimeStart(argv[2]);
        }
        std::printf("pair=%d a_ms=%.1f b_ms=%.1f a_kb=%zu b_kb=%zu\n", pair, a.milliseconds, b.milliseconds,
                    static_cast<size_t>(a.workingSetKb), static_cast<size_t>(b.workingSetKb));
        std::fflush(stdout);
    }
    return 0;
}
