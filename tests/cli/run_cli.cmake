# Runs tessivar-cli once and checks what it did:
#   cmake -DCLI=PATH -DARGS=A|B|... -DSTATUS=N [-DSTDOUT=TEXT] [-DSTDOUT_MATCHES=REGEX]
#         [-DSTDERR_MATCHES=REGEX] [-DSTDERR_ONE_LINE=ON] -P run_cli.cmake
# ARGS are separated by '|'; in them {LF}, {TAB} and {ESC} stand for a line
# feed, a tab and an escape, which then reach the program as they are.
# STDOUT is the whole expected output. Without STDERR_MATCHES, stderr must
# be empty; with STDERR_ONE_LINE, it must be one line ending in a line feed,
# with no other control character.
string(ASCII 10 lf)
string(ASCII 9 tab)
string(ASCII 27 esc)
string(REPLACE "|" ";" args "${ARGS}")
string(REPLACE "{LF}" "${lf}" args "${args}")
string(REPLACE "{TAB}" "${tab}" args "${args}")
string(REPLACE "{ESC}" "${esc}" args "${args}")
execute_process(COMMAND ${CLI} ${args} RESULT_VARIABLE status OUTPUT_VARIABLE out
                ERROR_VARIABLE err)
set(problems "")
if(NOT status STREQUAL STATUS)
  string(APPEND problems "exit status ${status}, expected ${STATUS}\n")
endif()
if(DEFINED STDOUT AND NOT out STREQUAL STDOUT)
  string(APPEND problems "stdout differs; expected:\n${STDOUT}\n")
endif()
if(DEFINED STDOUT_MATCHES AND NOT out MATCHES "${STDOUT_MATCHES}")
  string(APPEND problems "stdout does not match ${STDOUT_MATCHES}\n")
endif()
if(DEFINED STDERR_MATCHES)
  if(NOT err MATCHES "${STDERR_MATCHES}")
    string(APPEND problems "stderr does not match ${STDERR_MATCHES}\n")
  endif()
elseif(NOT err STREQUAL "")
  string(APPEND problems "stderr is not empty\n")
endif()
if(STDERR_ONE_LINE)
  string(ASCII 1 first_control)
  string(ASCII 31 last_control)
  string(ASCII 127 delete)
  string(REGEX REPLACE "\n$" "" line "${err}")
  if(line STREQUAL err OR line MATCHES "[${first_control}-${last_control}${delete}]")
    string(APPEND problems "stderr is not one line of printable characters\n")
  endif()
endif()
if(problems)
  message(FATAL_ERROR "tessivar-cli ${args}\n${problems}--- stdout:\n${out}--- stderr:\n${err}")
endif()
