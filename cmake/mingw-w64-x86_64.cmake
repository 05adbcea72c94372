# Cross build for 64-bit Windows with MinGW-w64. On Windows itself, use the MinGW
# compilers on PATH directly (the "win64-host" preset) and leave this file out.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(TAVRILL_MINGW_PREFIX x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
