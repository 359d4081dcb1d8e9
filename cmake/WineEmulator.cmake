# Runs the Windows test programs under Wine with a prefix of their own inside the
# build tree, in the Japanese locale so that Shift-JIS texts come through.
# scripts/wine-prefix makes the prefix; a -D given on the command line still wins.
if(CMAKE_CROSSCOMPILING AND CMAKE_CROSSCOMPILING_EMULATOR STREQUAL "wine")
    set(GLIMMARK_WINEPREFIX ${CMAKE_BINARY_DIR}/wineprefix CACHE PATH "Wine prefix the tests run in")
    set(CMAKE_CROSSCOMPILING_EMULATOR
        /usr/bin/env WINEDEBUG=-all LC_ALL=ja_JP.UTF-8 WINEPREFIX=${GLIMMARK_WINEPREFIX}
        WINEDLLOVERRIDES=mscoree,mshtml= wine)
endif()
