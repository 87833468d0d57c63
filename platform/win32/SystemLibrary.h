// Functions of system libraries looked up at run time: those of newer Windows, which the program must
// not import since Windows XP lacks them, and those of libraries that only some actions need (the file
// dialog's comdlg32, the shell's shell32, COM's ole32). Start-up then loads none of the latter: each
// is loaded from the system folder at its first use and stays loaded for the rest of the run.
#pragma once

#include <windows.h>

#include <shellapi.h> // HDROP

namespace korva::win32 {

// The function's address, or null where this Windows has none or the library cannot be loaded.
FARPROC SystemFunctionAddress(const char* library, const char* name);

// The function as its type, or null (see SystemFunctionAddress).
template <typename Function> Function SystemFunction(const char* library, const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(SystemFunctionAddress(library, name)));
}

// A function every supported Windows has; Error when it cannot be found (a damaged system).
FARPROC RequiredFunctionAddress(const char* library, const char* name);
template <typename Function> Function RequiredFunction(const char* library, const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(RequiredFunctionAddress(library, name)));
}

// A function of user32 that newer Windows have; null where this Windows has none.
template <typename Function> Function NewerUser32Function(const char* name) {
    return SystemFunction<Function>("user32.dll", name);
}

// COM on this thread, for the file dialog and the shell: initialised at the first call (in a
// single-threaded apartment), and left so until the program ends. A failure is left to the caller of
// the dialog or the shell, which then reports its own.
void UseCom();

// The shell's DragQueryFileW, loaded at the first drop; Error where it cannot be found.
UINT QueryDroppedFile(HDROP drop, UINT index, wchar_t* name, UINT size);
// The shell's DragFinish: releases a drop (or, should the shell be missing, leaves it). Never throws.
void FinishDrop(HDROP drop);

} // namespace korva::win32
