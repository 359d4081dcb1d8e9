# Cross-compiles for 32-bit Windows with Debian's MinGW-w64; its tests run under wine32 (scripts/wine-env).
set(MINGW_PREFIX i686-w64-mingw32)
set(CMAKE_SYSTEM_PROCESSOR i686)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
