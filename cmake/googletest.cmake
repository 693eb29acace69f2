# GoogleTest for both builds: the machine's package natively, and its sources
# (Debian's googletest package, /usr/src/googletest) built with the cross
# compiler for the Windows-side programs.
if(CMAKE_CROSSCOMPILING)
  set(TESSIVAR_GTEST_SOURCE_DIR /usr/src/googletest CACHE PATH "GoogleTest sources")
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(${TESSIVAR_GTEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  if(NOT TARGET GTest::gtest_main)
    add_library(GTest::gtest ALIAS gtest)
    add_library(GTest::gtest_main ALIAS gtest_main)
  endif()
else()
  find_package(GTest REQUIRED)
endif()
