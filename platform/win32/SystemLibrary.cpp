// Run-time lookup of system functions, and COM started at its first use.
#include "platform/win32/SystemLibrary.h"

#include "platform/Error.h"

#include <objbase.h>

#include <string>

namespace korva::win32 {

FARPROC SystemFunctionAddress(const char* library, const char* name) {
    HMODULE module = ::GetModuleHandleA(library);
    if (!module) {
        // From the system folder only: never a DLL of that name beside the program or in the current
        // folder.
        char folder[MAX_PATH];
        const UINT length = ::GetSystemDirectoryA(folder, MAX_PATH);
        if (length == 0 || length >= MAX_PATH)
            return nullptr;
        module = ::LoadLibraryA((std::string(folder, length) + "\\" + library).c_str());
    }
    return module ? ::GetProcAddress(module, name) : nullptr;
}

FARPROC RequiredFunctionAddress(const char* library, const char* name) {
    if (const FARPROC found = SystemFunctionAddress(library, name))
        return found;
    throw Error(std::string("Unable to find ") + name + " in " + library);
}

void UseCom() {
    using Initialize = HRESULT(WINAPI*)(void*, DWORD);
    using Uninitialize = void(WINAPI*)();
    static const struct Com {
        Com() {
            const auto initialize = SystemFunction<Initialize>("ole32.dll", "CoInitializeEx");
            initialized = initialize && SUCCEEDED(initialize(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE));
        }
        ~Com() {
            if (initialized)
                if (const auto uninitialize = SystemFunction<Uninitialize>("ole32.dll", "CoUninitialize"))
                    uninitialize();
        }
        bool initialized = false;
    } com;
}

UINT QueryDroppedFile(HDROP drop, UINT index, wchar_t* name, UINT size) {
    using Query = UINT(WINAPI*)(HDROP, UINT, wchar_t*, UINT);
    static const auto query = RequiredFunction<Query>("shell32.dll", "DragQueryFileW");
    return query(drop, index, name, size);
}

void FinishDrop(HDROP drop) {
    using Finish = void(WINAPI*)(HDROP);
    static const auto finish = SystemFunction<Finish>("shell32.dll", "DragFinish");
    if (finish)
        finish(drop);
}

} // namespace korva::win32
