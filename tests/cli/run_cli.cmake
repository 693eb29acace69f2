# Runs tessivar-cli once and checks what it did:
#   cmake -DCLI=PATH -DARGS=A|B|... -DSTATUS=N [-DSTDOUT=TEXT] [-DSTDOUT_MATCHES=REGEX]
#         [-DSTDERR_MATCHES=REGEX] -P run_cli.cmake
# ARGS are separated by '|'. STDOUT is the whole expected output. Without
# STDERR_MATCHES, stderr must be empty.
string(REPLACE "|" ";" args "${ARGS}")
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
if(problems)
  message(FATAL_ERROR "tessivar-cli ${args}\n${problems}--- stdout:\n${out}--- stderr:\n${err}")
endif()
