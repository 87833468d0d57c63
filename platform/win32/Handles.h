// RAII owners for Win32 handles. Each is move-only and releases its handle exactly once.
#pragma once

#include <windows.h>

#include "platform/win32/SystemLibrary.h"

#include <cstdint>
#include <utility>

namespace korva::win32 {

// Owns one handle: its type, the function that closes it, and the value that means "no handle" (as an
// integer, since a template cannot take INVALID_HANDLE_VALUE itself). One line declares each owner below.
template <typename Type, auto Close, std::intptr_t InvalidValue = 0> class UniqueHandle {
public:
    static Type Invalid() { return reinterpret_cast<Type>(InvalidValue); }

    UniqueHandle() = default;
    explicit UniqueHandle(Type handle) : handle_(handle) {}
    ~UniqueHandle() { Reset(); }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.Release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other)
            Reset(other.Release());
        return *this;
    }

    Type Get() const { return handle_; }
    bool Valid() const { return handle_ != Invalid(); }
    explicit operator bool() const { return Valid(); }

    Type Release() { return std::exchange(handle_, Invalid()); }
    void Reset(Type handle = Invalid()) {
        if (Valid())
            Close(handle_);
        handle_ = handle;
    }

private:
    Type handle_ = Invalid();
};

// DestroyWindow calls that failed in this process. Every window has exactly one owner, so none should:
// a failure means a window was destroyed twice, and the system may have given its handle to another
// window in between. Counted for the tests, which check that ending the program leaves it at 0.
inline int failedWindowDestroys = 0;

inline void DestroyOwnedWindow(HWND window) {
    if (!::DestroyWindow(window))
        ++failedWindowDestroys;
}

using FileHandle = UniqueHandle<HANDLE, ::CloseHandle, -1>;    // CreateFile: INVALID_HANDLE_VALUE fails
using ProcessHandle = UniqueHandle<HANDLE, ::CloseHandle>;     // CreateProcess and the like: null fails
using FindHandle = UniqueHandle<HANDLE, ::FindClose, -1>;      // FindFirstFile: INVALID_HANDLE_VALUE fails
using RegistryKey = UniqueHandle<HKEY, ::RegCloseKey>;
using FontHandle = UniqueHandle<HFONT, ::DeleteObject>;
using BrushHandle = UniqueHandle<HBRUSH, ::DeleteObject>;
using BitmapHandle = UniqueHandle<HBITMAP, ::DeleteObject>;
using WindowHandle = UniqueHandle<HWND, DestroyOwnedWindow>;
using HookHandle = UniqueHandle<HHOOK, ::UnhookWindowsHookEx>;
using IconHandle = UniqueHandle<HICON, ::DestroyIcon>; // LoadImage, not shared
using MemoryDc = UniqueHandle<HDC, ::DeleteDC>;       // CreateCompatibleDC
using DropHandle = UniqueHandle<HDROP, FinishDrop>;    // the files of a WM_DROPFILES

// A registered window class, unregistered when the owner goes. Registering a class that exists already
// is no error (a second window of the same kind shares it).
class WindowClass {
public:
    WindowClass(const char* name, WNDPROC proc, HICON icon);
    ~WindowClass();
    WindowClass(const WindowClass&) = delete;
    WindowClass& operator=(const WindowClass&) = delete;
    const char* Name() const { return name_; }

private:
    const char* name_;
    bool registered_ = false;
};

} // namespace korva::win32
