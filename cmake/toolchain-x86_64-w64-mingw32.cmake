# Cross build for 64-bit Windows with Debian's mingw-w64: the same source as a PE32+
# program, which runs on the 64-bit Wine of machines that run no 32-bit programs.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(MINGW_PREFIX x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
