// RAII owners for Win32 handles. Each is move-only and releases its handle exactly once.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <utility>

namespace korva::win32 {

// Owns one handle of the kind described by Traits (its type, its "no handle" value and how to close it).
template <typename Traits> class UniqueHandle {
public:
    using Type = typename Traits::Type;

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
    bool Valid() const { return handle_ != Traits::Invalid(); }
    explicit operator bool() const { return Valid(); }

    Type Release() { return std::exchange(handle_, Traits::Invalid()); }
    void Reset(Type handle = Traits::Invalid()) {
        if (Valid())
            Traits::Close(handle_);
        handle_ = handle;
    }

private:
    Type handle_ = Traits::Invalid();
};

struct FileHandleTraits {
    using Type = HANDLE;
    static Type Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(Type h) { ::CloseHandle(h); }
};

// FindFirstFile handles: INVALID_HANDLE_VALUE is the failure, not null.
struct FindHandleTraits {
    using Type = HANDLE;
    static Type Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(Type h) { ::FindClose(h); }
};

struct RegistryKeyTraits {
    using Type = HKEY;
    static Type Invalid() { return nullptr; }
    static void Close(Type h) { ::RegCloseKey(h); }
};

template <typename GdiObject> struct GdiObjectTraits {
    using Type = GdiObject;
    static Type Invalid() { return nullptr; }
    static void Close(Type h) { ::DeleteObject(h); }
};

// DestroyWindow calls that failed in this process. Every window has exactly one owner, so none should:
// a failure means a window was destroyed twice, and the system may have given its handle to another
// window in between. Counted for the tests, which check that ending the program leaves it at 0.
inline int failedWindowDestroys = 0;

struct WindowTraits {
    using Type = HWND;
    static Type Invalid() { return nullptr; }
    static void Close(Type h) {
        if (!::DestroyWindow(h))
            ++failedWindowDestroys;
    }
};

struct HookTraits {
    using Type = HHOOK;
    static Type Invalid() { return nullptr; }
    static void Close(Type h) { ::UnhookWindowsHookEx(h); }
};

struct ImageListTraits {
    using Type = HIMAGELIST;
    static Type Invalid() { return nullptr; }
    static void Close(Type h) { ::ImageList_Destroy(h); }
};

using FileHandle = UniqueHandle<FileHandleTraits>;
using FindHandle = UniqueHandle<FindHandleTraits>;
using RegistryKey = UniqueHandle<RegistryKeyTraits>;
using FontHandle = UniqueHandle<GdiObjectTraits<HFONT>>;
using BrushHandle = UniqueHandle<GdiObjectTraits<HBRUSH>>;
using BitmapHandle = UniqueHandle<GdiObjectTraits<HBITMAP>>;
using WindowHandle = UniqueHandle<WindowTraits>;
using HookHandle = UniqueHandle<HookTraits>;
using ImageListHandle = UniqueHandle<ImageListTraits>;

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
