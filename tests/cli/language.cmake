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
                  STDOUT_MATCHES "^开关1（CH1）07FC：[^\n]+\n开关2（CH1）0004：")
tessivar_cli_test(lang_in_encode STATUS 0 ARGS encode --channel ch2 --lang zh --baud-rate 19200
                  STDOUT "开关3：0762\n开关4：5\n")

# A reading in Chinese, whole, with its notes: by the locale and by --lang.
# Every field in words of the module family's manuals; the module's own
# names (rates in bps, CH1, the protocols) as they are.
string(CONCAT chinese_decode
  "开关1（CH1）0B6B：115200 bps，数据位8，奇偶校验位无，偶数，停止位1，和校验代码有，RUN中写入允许，设置更改禁止，联动动作\n"
  "  注意：开关1：设置了联动动作，但CH1必须设置为独立动作；联动动作应在CH2侧（开关3）设置\n"
  "  注意：开关1：奇偶校验位为无时设置了偶数（EVEN），该设置无效\n"
  "开关2（CH1）0005：通信协议5，Format 5 (4C Binary)\n"
  "开关3（CH2）0723：19200 bps，数据位8，奇偶校验位无，奇数，停止位1，和校验代码有，RUN中写入禁止，设置更改禁止，联动动作\n"
  "开关4（CH2）0007：通信协议7，Bi-directional\n"
  "开关5 0012：站号为十进制18\n")
tessivar_cli_test(chinese_decode_locale STATUS 0 ARGS decode 0B6B 5 0723 7 12
                  ENV LANG=zh_CN.UTF-8 STDOUT "${chinese_decode}")
tessivar_cli_test(chinese_decode_lang STATUS 0 ARGS --lang zh decode 0B6B 5 0723 7 12
                  ENV LANG=en_US.UTF-8 STDOUT "${chinese_decode}")
# The notes of a pair in Chinese, naming both switches.
tessivar_cli_test(chinese_decode_pair_note STATUS 0 ARGS decode 0B40 5 ENV LANG=zh_CN.UTF-8
  STDOUT_MATCHES "\n开关2（CH1）0005：通信协议5，Format 5 \\(4C Binary\\)\n  注意：开关1和开关2：Format 5 \\(4C Binary\\)需要8位数据位；数据位为7时，模块会丢弃每个字节的最高位\n$")
# encode's notes on stderr, and Switch 5's reading, in Chinese.
tessivar_cli_test(chinese_encode_note STATUS 0 ARGS encode --data-bits 7 --station 18
                  ENV LC_ALL=zh_CN.UTF-8 STDOUT "开关1：0B60\n开关2：5\n开关5：0012（站号为十进制18）\n"
                  STDERR_MATCHES "^tessivar-cli: 注意：开关1和开关2：Format 5 \\(4C Binary\\)需要8位数据位；[^\n]+\n$")
# Errors in Chinese: the decoder's and the program's own, one line each
# after the program's name, as the whole of stderr; nothing on stdout.
function(tessivar_cli_chinese_error name stderr_line)
  tessivar_cli_test(${name} STATUS 2 STDOUT "" STDERR_ONE_LINE ON
                    STDERR_MATCHES "^tessivar-cli: 错误：${stderr_line}\n$" ${ARGN})
endfunction()
tessivar_cli_chinese_error(chinese_error_value "开关1：\"0G62\"不是开关值；请给出1至4位十六进制数字（0至FFFF），可在前面加0x或在后面加H"
                   ARGS --lang zh decode 0G62)
tessivar_cli_chinese_error(chinese_error_station "开关5：\"20\"为十进制32，超过了最大站号；请给出十六进制0至1F（站号0至31）"
                   ARGS decode - - - - 20 ENV LANG=zh_CN.UTF-8)
tessivar_cli_chinese_error(chinese_error_option "--parity \"x\"：不是该选项可取的值；请给出以下之一：false, true"
                   ARGS encode --parity x ENV LANG=zh_CN.UTF-8)
tessivar_cli_chinese_error(chinese_error_station_option "--station \"32\"：不是站号；请给出十进制0至31"
                   ARGS encode --station 32 ENV LANG=zh_CN.UTF-8)
tessivar_cli_chinese_error(chinese_error_command "未知命令\"x\"；请给出decode或encode"
                   ARGS x ENV LANG=zh_CN.UTF-8)
tessivar_cli_chinese_error(chinese_error_sixth "decode：\"6\"是第六个开关值；最多给出五个（开关1至开关5）"
                   ARGS decode 1 2 3 4 5 6 ENV LANG=zh_CN.UTF-8)
# The option lines of the help in Chinese: the translated names beside the
# values, the module's own as they are.
tessivar_cli_test(chinese_help_options STATUS 0 ARGS --help ENV LANG=zh_CN.UTF-8
  STDOUT_MATCHES "\n  --operation +independent\\* = 独立, linked = 联动\n.*\n  --parity +false\\* = 无, true = 有\n.*\n  --write-during-run +false = 禁止, true\\* = 允许\n.*  --protocol +0 = GX Connection, .*\n  --channel +ch1\\*, ch2, both = CH1和CH2相同设置\n  --station +N = 开关5，站号：0至31")

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
tessivar_cli_same_json(decode_pair_notes decode --json 0B40 5 0B43 7 12)
tessivar_cli_same_json(encode_notes encode --json --data-bits 7 --ch2-protocol 0 --channel both
                       --station 18)
tessivar_cli_same_json(encode encode --json --operation linked --data-bits 7 --parity true
                       --odd-even even --stop-bits 2 --check-sum false --write-during-run false
                       --change-setting true --baud-rate 50 --protocol 0 --channel both)
