# The product's own code throws nothing, asks no object for its type and
# allocates nothing from the C++ runtime, so it is built without exceptions,
# RTTI and unwind tables: the runtime's exception machinery (and the thread
# library that its unwinder needs) then stays out of the executable. Unused
# functions and data go to their own sections for the linker to drop. Tests
# keep their own flags.
function(tessivar_product_code target)
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
