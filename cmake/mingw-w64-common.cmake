# Shared by the 32-bit and 64-bit mingw-w64 toolchain files, which set MINGW_PREFIX and
# CMAKE_SYSTEM_PROCESSOR first. The -posix compilers are used because GoogleTest needs
# std::mutex; the product itself uses no threads and is linked statically, so it carries
# no winpthread or libstdc++ DLL.
set(CMAKE_SYSTEM_NAME Windows)

set(CMAKE_C_COMPILER ${MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# Every Windows program the build makes, tests included, runs on the Wine that matches its
# architecture, in the test environment that scripts/test-env prepares for the build folder.
set(CMAKE_CROSSCOMPILING_EMULATOR "${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run")
