# 64-bit Windows: the build that runs and is tested under Wine.
set(KORVA_MINGW_ARCH x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
