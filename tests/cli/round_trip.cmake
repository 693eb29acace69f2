# decode --json, then encode from each reading's "settings" alone, as a
# script would: "--KEY VALUE" for every entry, with no table of its own. The
# encode must write the switch back as it was given.
#   cmake -DCLI=PATH -P round_trip.cmake
#
# Each case is a word switch and a protocol switch, read once as Switch 1 and
# 2 (CH1) and once as Switch 3 and 4 (CH2), in the form encode writes them.
# Together they have every rate code, every transmission bit both set and
# clear, and every protocol. Each station is Switch 5 alone.
set(cases
  0F00:0 0062:1 01FF:2 0201:3 0380:4 0455:5 05AA:6 069D:7 0762:8 0800:0 09FE:1 0A7F:2 0B62:5 0C01:8)
set(stations 0000 0001 0012 001F)

set(failures "")
set(encodes 0)

# Decodes the given values (texts: what each of Switch 1 to 5 was, - for
# none), expects `expected_readings` readings, and encodes each from its
# "settings" alone.
macro(round_trip given texts expected_readings)
  set(expected_texts "${texts}")  # a macro's arguments are no variables
  execute_process(COMMAND ${CLI} decode --json ${given} RESULT_VARIABLE status
                  OUTPUT_VARIABLE json ERROR_VARIABLE err)
  if(NOT status EQUAL 0)
    string(APPEND failures "decode ${given}: status ${status}: ${err}")
  else()
    string(JSON readings LENGTH "${json}" switches)
    if(NOT readings EQUAL ${expected_readings})
      string(APPEND failures "decode ${given}: ${readings} readings\n")
    endif()
    math(EXPR last "${readings} - 1")
    foreach(r RANGE ${last})
      string(JSON number GET "${json}" switches ${r} switch)
      string(JSON count LENGTH "${json}" switches ${r} settings)
      set(options "")
      math(EXPR last_setting "${count} - 1")
      foreach(s RANGE ${last_setting})
        string(JSON key MEMBER "${json}" switches ${r} settings ${s})
        string(JSON type TYPE "${json}" switches ${r} settings ${key})
        string(JSON value GET "${json}" switches ${r} settings ${key})
        # CMake gives a JSON boolean as ON or OFF.
        if(type STREQUAL "BOOLEAN")
          if(value)
            set(value true)
          else()
            set(value false)
          endif()
        elseif(NOT type STREQUAL "STRING" AND NOT type STREQUAL "NUMBER")
          string(APPEND failures "Switch ${number}: setting ${key} is a JSON ${type}\n")
        endif()
        list(APPEND options "--${key}" "${value}")
      endforeach()
      execute_process(COMMAND ${CLI} encode ${options} RESULT_VARIABLE status
                      OUTPUT_VARIABLE written ERROR_VARIABLE err)
      list(JOIN options " " options)
      math(EXPR encodes "${encodes} + 1")
      math(EXPR index "${number} - 1")
      list(GET expected_texts ${index} expected)
      if(NOT status EQUAL 0)
        string(APPEND failures "encode ${options}: status ${status}: ${err}")
      elseif(NOT written MATCHES "(^|\n)Switch ${number}: ([^ \n]*)[^\n]*\n")
        string(APPEND failures "encode ${options} wrote no Switch ${number}:\n${written}")
      elseif(NOT CMAKE_MATCH_2 STREQUAL expected)
        string(APPEND failures
               "Switch ${number} ${expected}: encode ${options} wrote ${CMAKE_MATCH_2}\n")
      endif()
    endforeach()
  endif()
endmacro()

foreach(case IN LISTS cases)
  string(REPLACE ":" ";" pair "${case}")
  list(GET pair 0 word)
  list(GET pair 1 protocol)
  round_trip("${word};${protocol}" "${word};${protocol};-;-;-" 2)
  round_trip("-;-;${word};${protocol}" "-;-;${word};${protocol};-" 2)
endforeach()
foreach(station IN LISTS stations)
  round_trip("-;-;-;-;${station}" "-;-;-;-;${station}" 1)
endforeach()

list(LENGTH cases count)
list(LENGTH stations station_count)
math(EXPR expected_encodes "${count} * 4 + ${station_count}")
if(NOT encodes EQUAL expected_encodes)
  string(APPEND failures "${encodes} encodes, expected ${expected_encodes}\n")
endif()
if(failures)
  message(FATAL_ERROR "${failures}")
endif()
