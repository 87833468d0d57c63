# Cross-build for Windows with mingw-w64; the including toolchain file sets KORVA_MINGW_ARCH.
#
# The thread model is chosen per build tree with KORVA_MINGW_THREADS:
#   win32 (the default): the programs that ship. No threads runtime is linked, so nothing newer than
#         Windows XP is imported (winpthread imports GetTickCount64, which XP lacks).
#   posix: the test trees. GoogleTest needs std::mutex, which the win32 model of GCC 12 lacks.
if(NOT KORVA_MINGW_THREADS)
    set(KORVA_MINGW_THREADS win32)
endif()
# try_compile projects read this file again and must see the same choice.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES KORVA_MINGW_THREADS)

set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${KORVA_MINGW_ARCH})
set(CMAKE_C_COMPILER ${KORVA_MINGW_ARCH}-w64-mingw32-gcc-${KORVA_MINGW_THREADS})
set(CMAKE_CXX_COMPILER ${KORVA_MINGW_ARCH}-w64-mingw32-g++-${KORVA_MINGW_THREADS})
set(CMAKE_RC_COMPILER ${KORVA_MINGW_ARCH}-w64-mingw32-windres)
set(CMAKE_OBJCOPY ${KORVA_MINGW_ARCH}-w64-mingw32-objcopy)
set(CMAKE_STRIP ${KORVA_MINGW_ARCH}-w64-mingw32-strip)
set(CMAKE_FIND_ROOT_PATH /usr/${KORVA_MINGW_ARCH}-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# One file, no DLLs of our own: libgcc and libstdc++ (and, in the test trees, winpthread) are linked in.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
# Tests run through Wine with the project's own prefix (see cmake/wine-run.sh).
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/wine-run.sh)
