// A drop made inside the program that receives it, as the system makes Explorer's: loaded into korva.exe
// by the acceptance tests (DropFiles in Desktop.cpp), it takes the drop they describe from a shared
// block named after this process, puts it into memory of GlobalAlloc's, as an HDROP must be, and posts
// WM_DROPFILES with it to their window, which releases it with DragFinish. Its work is done while it is
// being loaded, so it refuses to stay: the load fails on purpose, and the library leaves at once.
#include "support/DropFiles.h"

namespace {

using korva::test::DropRequest;

void PostDrop() {
    const std::wstring name = korva::test::DropRequestName(::GetCurrentProcessId());
    HANDLE mapping = ::OpenFileMappingW(FILE_MAP_READ | FILE_MAP_WRITE, FALSE, name.c_str());
    if (!mapping)
        return;
    if (auto* request = static_cast<DropRequest*>(::MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, 0))) {
        if (HGLOBAL drop = ::GlobalAlloc(GMEM_MOVEABLE, request->bytes)) {
            std::memcpy(::GlobalLock(drop), request + 1, request->bytes);
            ::GlobalUnlock(drop);
            const auto window = reinterpret_cast<HWND>(static_cast<std::uintptr_t>(request->window));
            if (::PostMessageW(window, WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0))
                request->posted = 1;
            else
                ::GlobalFree(drop);
        }
        ::UnmapViewOfFile(request);
    }
    ::CloseHandle(mapping);
}

} // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
    if (reason != DLL_PROCESS_ATTACH)
        return TRUE;
    PostDrop();
    return FALSE;
}
