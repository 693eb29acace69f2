# The language of tessivar-cli's text: --lang wherever it stands, else the
# locale as GNU programs read it (the first set and non-empty of LC_ALL,
# LC_MESSAGES and LANG; zh... is Chinese). Included by CMakeLists.txt, whose
# tessivar_cli_test runs the program without the locale's variables but for
# those a test sets.

# The help in each language: its own paragraphs, none of the other's, within
# 80 columns of a terminal.
set(english_help "^Usage:\n.*\ndecode  reads Switch 1 to 5 .*\n--lang  en or zh: .*\nBad input: ")
set(chinese_help "^用法：\n.*\ndecode  将开关1至开关5的值读回为设置.*\n--lang  en或zh：.*\n输入有误时：")
set(english_only "Usage|reads Switch|computes the|prints one|Bad input")
set(chinese_only "用法|开关|输入有误")

# Which variables choose Chinese, and which English. Each case: a name, the
# language expected, then the variables.
set(locale_cases
    "lang_zh|zh|LANG=zh_CN.UTF-8"
    "lang_zh_tw|zh|LANG=zh_TW.Big5"
    "lang_en|en|LANG=en_US.UTF-8"
    "lang_c|en|LANG=C"
    "lang_posix|en|LANG=POSIX"
    "none|en|"
    "lc_all_first|en|LC_ALL=C|LC_MESSAGES=zh_CN.UTF-8|LANG=zh_CN.UTF-8"
    "lc_all_zh|zh|LC_ALL=zh_CN.UTF-8|LC_MESSAGES=en_US.UTF-8|LANG=C"
    "lc_messages_before_lang|zh|LC_MESSAGES=zh_CN.GB18030|LANG=en_GB.UTF-8"
    "lc_messages_c|en|LC_MESSAGES=C|LANG=zh_CN.UTF-8"
    "empty_skipped|zh|LC_ALL=|LC_MESSAGES=|LANG=zh_SG.UTF-8"
    "zulu|en|LANG=zu_ZA.UTF-8")
foreach(case IN LISTS locale_cases)
  string(REPLACE "|" ";" parts "${case}")
  list(POP_FRONT parts name language)
  if(language STREQUAL "zh")
    set(expected "${chinese_help}")
    set(other "${english_only}")
  else()
    set(expected "${english_help}")
    set(other "${chinese_only}")
  endif()
  tessivar_cli_test(locale_${name} STATUS 0 ARGS --help ENV ${parts}
                    STDOUT_MATCHES "${expected}" STDOUT_NOT_MATCHES "${other}" STDOUT_MAX_WIDTH 80)
endforeach()

# --lang is stronger than the locale, stands anywhere, and the last one counts.
tessivar_cli_test(lang_zh STATUS 0 ARGS --lang zh --help ENV LANG=C
                  STDOUT_MATCHES "${chinese_help}" STDOUT_NOT_MATCHES "${english_only}")
tessivar_cli_test(lang_en STATUS 0 ARGS --help --lang en ENV LC_ALL=zh_CN.UTF-8
                  STDOUT_MATCHES "${english_help}" STDOUT_NOT_MATCHES "${chinese_only}")
tessivar_cli_test(lang_last STATUS 0 ARGS --lang en --help --lang zh
                  STDOUT_MATCHES "${chinese_help}")
tessivar_cli_test(lang_in_decode STATUS 0 ARGS decode 07FC --lang zh 0004 ENV LANG=C
                  STDOUT_MATCHES "^Switch 1 \\(CH1\\) 07FC: [^\n]+\nSwitch 2 \\(CH1\\) 0004: ")
tessivar_cli_test(lang_in_encode STATUS 0 ARGS encode --channel ch2 --lang zh --baud-rate 19200
                  STDOUT_MATCHES "^Switch 3: 0762\n")

tessivar_cli_error(lang_unknown "--lang \"fr\": not a value it takes; give one of en, zh$"
                   ARGS --lang fr --help)
tessivar_cli_error(lang_locale_name "--lang \"zh_CN.UTF-8\": not a value it takes"
                   ARGS encode --lang zh_CN.UTF-8)
tessivar_cli_error(lang_no_value "--lang: no value; give one of en, zh$" ARGS decode 0B62 --lang)
tessivar_cli_error(lang_quoted "--lang \"zh\\?\": not a value it takes" ARGS --lang "zh{LF}")

# The JSON of --json is the same, byte for byte, whichever language the text
# is in: readings with notes, every encode option, and an error's status.
function(tessivar_cli_same_json name)
  list(JOIN ARGN "|" args)
  add_test(NAME cli_same_json_${name}
           COMMAND ${CMAKE_COMMAND} -DCLI=$<TARGET_FILE:tessivar-cli> "-DARGS=${args}" -P
                   ${CMAKE_CURRENT_SOURCE_DIR}/same_json.cmake)
endfunction()
tessivar_cli_same_json(decode decode --json 07FC - " \t0b01 " 0)
tessivar_cli_same_json(decode_notes decode --json 0B6B 0 0F6B 5)
tessivar_cli_same_json(encode encode --json --operation linked --data-bits 7 --parity true
                       --odd-even even --stop-bits 2 --check-sum false --write-during-run false
                       --change-setting true --baud-rate 50 --protocol 0 --channel both)
