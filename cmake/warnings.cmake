# Warnings on for the project's own targets; errors too when asked (CI does).
function(tessivar_warnings target)
  if(MSVC)
    target_compile_options(${target} PRIVATE /W4 $<$<BOOL:${TESSIVAR_WERROR}>:/WX>)
  else()
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic
                           $<$<BOOL:${TESSIVAR_WERROR}>:-Werror>)
  endif()
endfunction()
