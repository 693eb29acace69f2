# Runs tessivar-cli once and checks what it did:
#   cmake -DCLI=PATH -DARGS=A|B|... [-DENV=NAME=VALUE|...] -DSTATUS=N [-DSTDOUT=TEXT]
#         [-DSTDOUT_MATCHES=REGEX] [-DSTDOUT_NOT_MATCHES=REGEX] [-DSTDOUT_MAX_WIDTH=N]
#         [-DSTDERR_MATCHES=REGEX] [-DSTDERR_ONE_LINE=ON] -P run_cli.cmake
# ARGS are separated by '|'; in them {LF}, {TAB} and {ESC} stand for a line
# feed, a tab and an escape, which then reach the program as they are.
# The program runs without the locale's variables (LC_ALL, LC_MESSAGES,
# LANG), whatever the caller's, and with those that ENV sets.
# STDOUT is the whole expected output; STDOUT_MAX_WIDTH the most columns a
# line of it may take in a terminal, where a character of two or three bytes
# of UTF-8 (Chinese among them) takes two. Without STDERR_MATCHES, stderr must
# be empty; with STDERR_ONE_LINE, it must be one line ending in a line feed,
# with no other control character.
string(ASCII 10 lf)
string(ASCII 9 tab)
string(ASCII 27 esc)
string(REPLACE "|" ";" args "${ARGS}")
string(REPLACE "{LF}" "${lf}" args "${args}")
string(REPLACE "{TAB}" "${tab}" args "${args}")
string(REPLACE "{ESC}" "${esc}" args "${args}")
string(REPLACE "|" ";" environment "${ENV}")
execute_process(COMMAND ${CMAKE_COMMAND} -E env --unset=LC_ALL --unset=LC_MESSAGES --unset=LANG
                        ${environment} ${CLI} ${args}
                RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
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
if(DEFINED STDOUT_NOT_MATCHES AND out MATCHES "${STDOUT_NOT_MATCHES}")
  string(APPEND problems "stdout matches ${STDOUT_NOT_MATCHES}: ${CMAKE_MATCH_0}\n")
endif()
if(DEFINED STDOUT_MAX_WIDTH)
  # A lead byte of a two- or three-byte character: one column less than its
  # bytes (a two-byte one takes one column, a three-byte one two).
  string(ASCII 194 first_lead)
  string(ASCII 239 last_lead)
  set(rest "${out}")
  string(FIND "${rest}" "\n" end)
  while(NOT end EQUAL -1)
    string(SUBSTRING "${rest}" 0 ${end} line)
    string(REGEX MATCHALL "[${first_lead}-${last_lead}]" leads "${line}")
    list(LENGTH leads lead_count)
    math(EXPR columns "${end} - ${lead_count}")
    if(columns GREATER STDOUT_MAX_WIDTH)
      string(APPEND problems "stdout has a line of ${columns} columns: ${line}\n")
    endif()
    math(EXPR next "${end} + 1")
    string(SUBSTRING "${rest}" ${next} -1 rest)
    string(FIND "${rest}" "\n" end)
  endwhile()
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
