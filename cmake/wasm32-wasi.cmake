# WebAssembly for the web page: the encoder compiled by Debian's clang-14 and
# lld-14 against its wasm32 runtime packages (wasi-libc's headers and C
# library, libc++'s headers, the compiler's builtins). The module calls no
# WASI function and imports nothing, so the page needs no runtime of its own.
set(CMAKE_SYSTEM_NAME Generic)
set(CMAKE_SYSTEM_PROCESSOR wasm32)

set(CMAKE_C_COMPILER clang-14)
set(CMAKE_CXX_COMPILER clang++-14)
set(CMAKE_C_COMPILER_TARGET wasm32-wasi)
set(CMAKE_CXX_COMPILER_TARGET wasm32-wasi)
# The archiver must write a symbol index that wasm-ld reads.
set(CMAKE_AR llvm-ar-14 CACHE FILEPATH "")
set(CMAKE_RANLIB llvm-ranlib-14 CACHE FILEPATH "")

# A module without a main: no C start-up files, no C++ runtime library (the
# product code needs none), only the functions it exports.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-nostartfiles -nostdlib++ -Wl,--no-entry")
# CMake's compiler checks link no program.
set(CMAKE_TRY_COMPILE_TARGET_TYPE STATIC_LIBRARY)

set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# The module travels inside the page: clang's smallest code.
set(CMAKE_C_FLAGS_MINSIZEREL "-Oz -DNDEBUG" CACHE STRING "")
set(CMAKE_CXX_FLAGS_MINSIZEREL "-Oz -DNDEBUG" CACHE STRING "")
