# The product's own code throws nothing, asks no object for its type and
# allocates nothing from the C++ runtime, so it is built without exceptions,
# RTTI and unwind tables: the runtime's exception machinery (and the thread
# library that its unwinder needs) then stays out of the executable. Unused
# functions and data go to their own sections for the linker to drop. Tests
# keep their own flags.
if(MSVC)
  # CMake's default flags give every target exceptions and RTTI (/EHsc /GR);
  # a product target's /EHs-c- /GR- beside them would only override them
  # with a warning (D9025). So each target gets its own: the defaults for
  # the others, none for product code.
  string(REPLACE "/EHsc" "" CMAKE_CXX_FLAGS "${CMAKE_CXX_FLAGS}")
  string(REPLACE "/GR" "" CMAKE_CXX_FLAGS "${CMAKE_CXX_FLAGS}")
  add_compile_options(
    "$<$<AND:$<COMPILE_LANGUAGE:CXX>,$<NOT:$<BOOL:$<TARGET_PROPERTY:TESSIVAR_PRODUCT_CODE>>>>:/EHsc;/GR>")
endif()

function(tessivar_product_code target)
  set_target_properties(${target} PROPERTIES TESSIVAR_PRODUCT_CODE ON)
  if(WIN32)
    # Windows 7 is the oldest system the product runs on. Built for it, the
    # SDK declares nothing newer, so a direct call to a newer function fails
    # to compile instead of stopping the program from starting there.
    target_compile_definitions(${target} PRIVATE _WIN32_WINNT=0x0601 WINVER=0x0601)
  endif()
  if(MSVC)
    target_compile_options(${target} PRIVATE /EHs-c- /GR-)
    target_compile_definitions(${target} PRIVATE _HAS_EXCEPTIONS=0)
  else()
    target_compile_options(${target} PRIVATE -fno-exceptions -fno-rtti
                           -fno-asynchronous-unwind-tables -ffunction-sections -fdata-sections)
  endif()
endfunction()

# Link options of the product's executables (Tessivar.exe, tessivar-cli.exe):
# ASLR and DEP on, as MSVC's linker does by default (high-entropy ASLR on
# 64-bit); unused code dropped and symbols stripped, for size.
function(tessivar_product_executable target)
  if(MINGW)
    target_link_options(${target} PRIVATE -Wl,--dynamicbase -Wl,--nxcompat -Wl,--gc-sections -s)
    if(CMAKE_SIZEOF_VOID_P EQUAL 8)
      target_link_options(${target} PRIVATE -Wl,--high-entropy-va)
    endif()
  endif()
endfunction()
