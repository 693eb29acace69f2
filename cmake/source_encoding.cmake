# The sources are UTF-8, and the window's captions in them are not all
# ASCII. MSVC reads a source file without a byte-order mark in the system's
# code page unless told otherwise; GCC and Clang read UTF-8 already.
if(MSVC)
  add_compile_options("$<$<COMPILE_LANGUAGE:C,CXX>:/utf-8>")
endif()
