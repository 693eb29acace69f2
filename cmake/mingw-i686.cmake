# 32-bit Windows: the product build of Tessivar.exe.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(TESSIVAR_TRIPLE i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
