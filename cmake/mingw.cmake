# Shared part of the MinGW-w64 toolchain files: Debian's posix-thread-model
# compilers (which have std::mutex and so build GoogleTest) for the target
# TESSIVAR_TRIPLE, its sysroot, and Wine to run its programs. How the
# project's programs are linked is the project's own business (see the
# top-level CMakeLists.txt).
set(CMAKE_SYSTEM_NAME Windows)

set(CMAKE_C_COMPILER ${TESSIVAR_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TESSIVAR_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${TESSIVAR_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${TESSIVAR_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# ctest runs the Windows programs through Wine, in the project's own prefix.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run)
