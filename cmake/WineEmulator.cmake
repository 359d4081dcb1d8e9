# Runs the Windows test programs under Wine through scripts/wine-env, the one Wine
# environment of the project, in a prefix that scripts/wine-prefix makes. A -D given on
# the command line still wins, for the runner and for the prefixes.
if(CMAKE_CROSSCOMPILING AND CMAKE_CROSSCOMPILING_EMULATOR STREQUAL "wine")
    set(GLIMMARK_WINEPREFIX ${CMAKE_BINARY_DIR}/wineprefix CACHE PATH "Windowless Wine prefix the tests run in")
    set(GLIMMARK_X11_WINEPREFIX ${CMAKE_BINARY_DIR}/wineprefix-x11 CACHE PATH "Wine prefix of the play-through")
    set(CMAKE_CROSSCOMPILING_EMULATOR ${PROJECT_SOURCE_DIR}/scripts/wine-env ${GLIMMARK_WINEPREFIX})
endif()
