# Debian ships both a -win32 and a -posix threading flavour; the posix one is
# what GoogleTest needs (std::mutex), and it links statically like the other.
find_program(CMAKE_CXX_COMPILER NAMES ${TAVRILL_MINGW_PREFIX}-g++-posix ${TAVRILL_MINGW_PREFIX}-g++ REQUIRED)
find_program(CMAKE_C_COMPILER NAMES ${TAVRILL_MINGW_PREFIX}-gcc-posix ${TAVRILL_MINGW_PREFIX}-gcc REQUIRED)
find_program(CMAKE_RC_COMPILER NAMES ${TAVRILL_MINGW_PREFIX}-windres REQUIRED)
set(CMAKE_FIND_ROOT_PATH /usr/${TAVRILL_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Windows programs built here run through Wine (tests, test discovery).
find_program(TAVRILL_WINE NAMES wine wine64)
if(TAVRILL_WINE AND CMAKE_SYSTEM_PROCESSOR STREQUAL "x86_64")
    set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run.sh)
endif()
