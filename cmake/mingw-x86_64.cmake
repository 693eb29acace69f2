# 64-bit Windows: the same sources, for running the Windows-side tests on
# machines whose Wine can start only 64-bit programs.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(TESSIVAR_TRIPLE x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
