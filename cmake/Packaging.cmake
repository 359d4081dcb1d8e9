# The player's download: `cpack` in a Windows build tree makes glimmark-<version>-win64.zip
# (or -win32.zip from the i686 build) holding glimmark.exe and the readme for players.
install(TARGETS glimmark RUNTIME DESTINATION .)
install(FILES ${PROJECT_SOURCE_DIR}/docs/player-readme.txt DESTINATION . RENAME readme.txt)

if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(GLIMMARK_PACKAGE_PLATFORM win64)
else()
    set(GLIMMARK_PACKAGE_PLATFORM win32)
endif()

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME glimmark)
set(CPACK_PACKAGE_VENDOR Glimmark)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_FILE_NAME glimmark-${PROJECT_VERSION}-${GLIMMARK_PACKAGE_PLATFORM})
# Unzipping gives one folder of that name rather than loose files.
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
# The static C run time brings its debug sections along; players need none of them.
set(CPACK_STRIP_FILES ON)
include(CPack)
