// The folder scanner as the program runs it: one TSearchFolders scan of a folder, timed, with a window
// on screen that asks to be repainted every 16 ms, so the figures show whether it stays alive.
// Usage: korva_scan_bench <folder> [mask] [--messages|--no-messages|--messages-every-entry]
// (--messages-every-entry looks at the queue after every entry instead of every 10 ms.)
// Prints the matches, the folders announced, the time taken, the repaints during the scan and the
// peak working set.
#include "platform/win32/Win32FolderSystem.h"
#include "platform/win32/MessageLoop.h"
#include "platform/win32/Win32MessagePump.h"
#include "search/SFolders.h"

#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

long paints = 0;

LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_TIMER:
        ::InvalidateRect(hwnd, nullptr, FALSE);
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        ::BeginPaint(hwnd, &paint);
        ::EndPaint(hwnd, &paint);
        ++paints;
        return 0;
    }
    default:
        return ::DefWindowProcA(hwnd, msg, wParam, lParam);
    }
}

HWND ShowWindowThatWantsPainting() {
    WNDCLASSA wc{};
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.lpszClassName = "KorvaScanBench";
    ::RegisterClassA(&wc);
    HWND hwnd = ::CreateWindowExA(0, wc.lpszClassName, "scan", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100,
                                  nullptr, nullptr, wc.hInstance, nullptr);
    if (hwnd)
        ::SetTimer(hwnd, 1, 16, nullptr);
    return hwnd;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: korva_scan_bench <folder> [mask] [--messages|--no-messages|--messages-every-entry]\n");
        return 2;
    }
    const char* option = argc > 2 ? argv[argc - 1] : "";
    korva::win32::Win32FolderSystem folders;
    korva::win32::Win32MessagePump pump(std::strcmp(option, "--messages-every-entry") == 0 ? 0 : 10);
    korva::TSearchFolders sf(folders, pump);
    sf.ScanOptions = korva::soSpecifiedDir;
    sf.ScanDir = argv[1];
    sf.FileMask = argc > 2 && argv[2][0] != '-' ? argv[2] : "QCSG.EXE";
    sf.DoRecursive = true;
    sf.Messages = std::strcmp(option, "--no-messages") != 0;
    long announced = 0;
    sf.OnProcess = [&](korva::TSearchFolders&, const std::string&, std::int64_t, std::int64_t) { ++announced; };

    const HWND window = ShowWindowThatWantsPainting();
    korva::win32::ProcessPendingMessages();
    paints = 0;

    LARGE_INTEGER frequency, start, end;
    ::QueryPerformanceFrequency(&frequency);
    ::QueryPerformanceCounter(&start);
    sf.Scan();
    ::QueryPerformanceCounter(&end);
    const long paintsDuringScan = paints;
    if (window)
        ::DestroyWindow(window);

    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof memory;
    ::GetProcessMemoryInfo(::GetCurrentProcess(), &memory, sizeof memory);

    std::printf("matches=%lld folders=%ld seconds=%.4f messages=%s paints=%ld window=%s peak_kb=%llu\n",
                static_cast<long long>(sf.CountFiles()), announced,
                double(end.QuadPart - start.QuadPart) / double(frequency.QuadPart), sf.Messages ? "on" : "off",
                paintsDuringScan, window ? "yes" : "no",
                static_cast<unsigned long long>(memory.PeakWorkingSetSize / 1024));
}
