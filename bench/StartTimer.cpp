// Times the start of window programs under Wine, two ways; judges nothing.
//   korva_start_timer <pairs> <program A> <program B>
//     Starts the two in turn with CreateProcess, inside Wine: each timed from CreateProcess to the
//     moment a top-level window of its process is visible (the program's own start, Wine's process
//     start included), with its working set then. One line per pair:
//     "pair=<n> a_ms=<t> b_ms=<t> a_kb=<k> b_kb=<k>".
//   korva_start_timer watch <count> <window class>...
//     Waits, count times, for a visible top-level window of one of the classes, of a program started
//     from outside (by the wine command, as a user's launcher does): prints "class=<c> at=<s> kb=<k>",
//     at being the wall-clock time (seconds since 1970) for the caller to set against its own start.
//     After "ready" it is watching.
// Each copy is closed (WM_CLOSE to its windows) and waited for before the next starts, since a second
// KORVA would only hand over to the first. The working set is read (GetProcessMemoryInfo) once the
// program waits for input.
#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

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

struct Watched {
    const std::vector<std::string>* classes;
    HWND found = nullptr;
    std::string name;
};

BOOL CALLBACK FindClass(HWND window, LPARAM lParam) {
    auto* watched = reinterpret_cast<Watched*>(lParam);
    char name[64] = {};
    ::GetClassNameA(window, name, sizeof name);
    for (const std::string& wanted : *watched->classes)
        if (wanted == name && ::IsWindowVisible(window)) {
            watched->found = window;
            watched->name = name;
            return FALSE;
        }
    return TRUE;
}

double WallClockSeconds() {
    FILETIME now;
    ::GetSystemTimeAsFileTime(&now);
    const unsigned long long ticks = (static_cast<unsigned long long>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
    return static_cast<double>(ticks - 116444736000000000ULL) / 1e7; // 100 ns ticks since 1601
}

int Watch(int count, const std::vector<std::string>& classes) {
    std::printf("ready\n");
    std::fflush(stdout);
    for (int i = 0; i < count; ++i) {
        Watched watched{&classes, nullptr, {}};
        while (!watched.found) {
            ::EnumWindows(FindClass, reinterpret_cast<LPARAM>(&watched));
            if (!watched.found)
                ::Sleep(1);
        }
        const double at = WallClockSeconds();
        DWORD id = 0;
        ::GetWindowThreadProcessId(watched.found, &id);
        HANDLE process = ::OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ | SYNCHRONIZE, FALSE, id);
        PROCESS_MEMORY_COUNTERS memory{};
        if (process) {
            ::WaitForInputIdle(process, 5000);
            ::GetProcessMemoryInfo(process, &memory, sizeof memory);
        }
        std::printf("class=%s at=%.6f kb=%zu\n", watched.name.c_str(), at, static_cast<size_t>(memory.WorkingSetSize / 1024));
        std::fflush(stdout);
        ::EnumWindows(CloseWindows, static_cast<LPARAM>(id));
        if (process) {
            ::WaitForSingleObject(process, 10000);
            ::CloseHandle(process);
        }
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc >= 4 && std::string(argv[1]) == "watch")
        return Watch(std::atoi(argv[2]), std::vector<std::string>(argv + 3, argv + argc));
    if (argc != 4) {
        std::fprintf(stderr, "usage: korva_start_timer <pairs> <program A> <program B>\n"
                             "       korva_start_timer watch <count> <window class>...\n");
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
