# 64-bit Windows: the build for 64-bit Windows and the one run.sh starts under Wine.
set(KORVA_MINGW_ARCH x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
