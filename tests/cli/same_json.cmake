# Runs one tessivar-cli command in English and in Chinese, chosen every way
# the program takes (--lang, LANG, LC_ALL, LC_MESSAGES), and fails unless
# every run gives the same exit status, the same stdout byte for byte, and
# an empty stderr. For --json output, which scripts read:
#   cmake -DCLI=PATH -DARGS=A|B|... -P same_json.cmake
string(REPLACE "|" ";" args "${ARGS}")
set(runs
    "--lang|en"
    "--lang|zh"
    "LANG=zh_CN.UTF-8"
    "LC_ALL=zh_CN.UTF-8|LANG=C"
    "LC_MESSAGES=zh_CN.UTF-8")
set(problems "")
set(first "")
foreach(run IN LISTS runs)
  string(REPLACE "|" ";" parts "${run}")
  if(run MATCHES "^--lang")
    set(environment "")
    set(options ${parts})
  else()
    set(environment ${parts})
    set(options "")
  endif()
  execute_process(COMMAND ${CMAKE_COMMAND} -E env --unset=LC_ALL --unset=LC_MESSAGES --unset=LANG
                          ${environment} ${CLI} ${args} ${options}
                  RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT err STREQUAL "")
    string(APPEND problems "[${run}] stderr: ${err}\n")
  endif()
  if(first STREQUAL "")
    set(first "${run}")
    set(first_status "${status}")
    set(first_out "${out}")
    if(NOT status EQUAL 0 OR NOT out MATCHES "^{\"(switches|writes)\": \\[")
      string(APPEND problems "[${run}] status ${status}, not JSON:\n${out}\n")
    endif()
  elseif(NOT status STREQUAL first_status OR NOT out STREQUAL first_out)
    string(APPEND problems
           "[${run}] status ${status}, stdout:\n${out}\ndiffers from [${first}] status ${first_status}, stdout:\n${first_out}\n")
  endif()
endforeach()
if(problems)
  message(FATAL_ERROR "tessivar-cli ${args}\n${problems}")
endif()
