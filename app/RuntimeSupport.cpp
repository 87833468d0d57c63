// The C++ runtime's failure paths, as this program needs them. libstdc++'s own pull in much that a
// window program never uses: the default terminate handler prints an uncaught exception's type
// through a name demangler (some 46 KB), and the functions that containers and strings call to throw
// construct the standard exception classes, which bring a second, reference-counted std::string with
// them (some 50 KB). Defined here, in the program itself, the linker takes these and leaves the
// library's out. Only korva.exe links this file; the tests keep the library's own.
#include "platform/Error.h"
#include "platform/Prompts.h"

#include <windows.h>

#include <bits/functexcept.h>
#include <cstdlib>
#include <new>

namespace __gnu_cxx {

// Run should an exception ever escape where none may (no error leaves a window procedure): a fault of
// the program, which says so and ends.
void __verbose_terminate_handler() {
    ::MessageBoxA(nullptr, "KORVA met an error it cannot recover from, and has to close.", korva::kApplicationTitle,
                  MB_ICONERROR | MB_OK | MB_TASKMODAL);
    std::abort();
}

} // namespace __gnu_cxx

namespace std {

// Out of memory, and sizes no allocation can have, as the library throws them.
void __throw_bad_alloc() { throw bad_alloc(); }
void __throw_bad_array_new_length() { throw bad_array_new_length(); }

// A container or string used wrongly, or grown past its largest size: a fault of the program, shown
// in the error box like every other error, with the library's own words.
void __throw_length_error(const char* what) { throw korva::Error(what); }
void __throw_logic_error(const char* what) { throw korva::Error(what); }
void __throw_out_of_range_fmt(const char* format, ...) { throw korva::Error(format); }

} // namespace std
