# Shared part of the MinGW-w64 toolchain files: Debian's posix-thread-model
# compilers (which have std::mutex and so build GoogleTest) for the target
# TESSIVAR_TRIPLE. Programs run under Wine.
set(CMAKE_SYSTEM_NAME Windows)

set(CMAKE_C_COMPILER ${TESSIVAR_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TESSIVAR_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${TESSIVAR_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${TESSIVAR_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Link the C++ runtime and winpthread statically, so that every program
# imports only Windows' own DLLs and runs wherever it is copied. No time
# stamp in the PE header (it is left 0): the same sources and compilers give
# the same file byte for byte, so a build can be checked against another.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++ -Wl,--no-insert-timestamp")

# ctest runs the Windows programs through Wine, in the project's own prefix.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run)
