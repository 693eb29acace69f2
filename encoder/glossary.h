// The terms of the serial communication module in both languages, each
// written once: the Chinese is that of the module family's Chinese manuals
// and of the programming tool's switch setting. Every table of words refers
// to these for a setting's name or value, and is checked against kGlossary
// where it is compiled: a text whose English uses a term must use the
// term's Chinese too (words.h, FollowsGlossary), so that "stop bit" is 停止位
// everywhere and never 结束位 in one place.
//
// What is the module's own stays as it is in every language: the channel
// names "CH1" and "CH2", the protocol names ("GX Connection",
// "Format 5 (4C Binary)"), rates in bps, hexadecimal values.
#pragma once

#include <array>

#include "words.h"

namespace tessivar::glossary {

// The module and its switches.
inline constexpr Words kSerialModule{"serial communication module", "串行通信模块"};
inline constexpr Words kModule{"module", "模块"};
inline constexpr Words kSwitch{"switch", "开关"};  // "Switch 1": 开关1
inline constexpr Words kSwitchSetting{"switch setting", "开关设置"};
inline constexpr Words kSetting{"setting", "设置"};
inline constexpr Words kValue{"value", "值"};
inline constexpr Words kChannel{"channel", "通道"};  // the channels themselves are CH1, CH2
inline constexpr Words kChannelSelection{"channel selection", "通道选择"};
inline constexpr Words kSameSetting{"same setting", "相同设置"};  // CH1和CH2相同设置
inline constexpr Words kProgrammingTool{"programming tool", "编程工具"};

// Switch 1 and 3: the transmission setting (low byte) and the rate (high).
inline constexpr Words kTransmissionSetting{"transmission setting", "传送设置"};
inline constexpr Words kOperationSetting{"operation setting", "动作设置"};
inline constexpr Words kOperation{"operation", "动作"};
inline constexpr Words kIndependent{"independent", "独立"};
inline constexpr Words kLinked{"linked", "联动"};
inline constexpr Words kDataBit{"data bit", "数据位"};
inline constexpr Words kParity{"parity", "奇偶校验"};
inline constexpr Words kParityBit{"parity bit", "奇偶校验位"};
inline constexpr Words kOddEven{"odd/even", "奇数/偶数"};
inline constexpr Words kOdd{"odd", "奇数"};
inline constexpr Words kEven{"even", "偶数"};
inline constexpr Words kStopBit{"stop bit", "停止位"};
inline constexpr Words kSumCheck{"sum check", "和校验"};
inline constexpr Words kSumCheckCode{"sum check code", "和校验代码"};
inline constexpr Words kCheckSum{"check sum", "和校验代码"};  // the window's "Check Sum"
inline constexpr Words kWriteDuringRun{"write during RUN", "RUN中写入"};
inline constexpr Words kSettingChange{"setting change", "设置更改"};
inline constexpr Words kChangeSetting{"change setting", "设置更改"};  // the window's caption
inline constexpr Words kEnable{"enable", "允许"};                     // "enabled" too
inline constexpr Words kDisable{"disable", "禁止"};                   // "disabled" too
inline constexpr Words kRate{"rate", "传送速度"};                     // "baud rate", "rate code"
inline constexpr Words kTransmissionSpeed{"transmission speed", "传送速度"};
inline constexpr Words kRateSetting{"rate setting", "传送速度设置"};

// Switch 2 and 4: the protocol; Switch 5: the station number.
inline constexpr Words kProtocol{"protocol", "协议"};  // "MC protocol": MC协议
inline constexpr Words kCommunicationProtocol{"communication protocol", "通信协议"};
inline constexpr Words kProtocolSetting{"protocol setting", "通信协议设置"};
inline constexpr Words kMcProtocol{"MC protocol", "MC协议"};
inline constexpr Words kStationNumber{"station number", "站号"};
inline constexpr Words kStationNumberSetting{"station number setting", "站号设置"};

// How values are written, and what a reading says beside them.
inline constexpr Words kHexadecimal{"hexadecimal", "十六进制"};
inline constexpr Words kDecimal{"decimal", "十进制"};
inline constexpr Words kDefault{"default", "默认"};  // the window's initial selection
inline constexpr Words kOption{"option", "选项"};
inline constexpr Words kNote{"note", "注意"};
inline constexpr Words kError{"error", "错误"};

// The station alone ("station 18"), and what the page does and shows.
inline constexpr Words kStation{"station", "站号"};
inline constexpr Words kCalculate{"calculate", "计算"};
inline constexpr Words kReadValues{"read values", "读取值"};
inline constexpr Words kCopy{"copy", "复制"};
inline constexpr Words kCommissioningSheet{"commissioning sheet", "调试记录表"};
inline constexpr Words kLanguage{"language", "语言"};

// The terms that every table's texts are checked against. A term added above
// belongs here too.
inline constexpr std::array kGlossary{kSerialModule,
                                      kModule,
                                      kSwitch,
                                      kSwitchSetting,
                                      kSetting,
                                      kValue,
                                      kChannel,
                                      kChannelSelection,
                                      kSameSetting,
                                      kProgrammingTool,
                                      kTransmissionSetting,
                                      kOperationSetting,
                                      kOperation,
                                      kIndependent,
                                      kLinked,
                                      kDataBit,
                                      kParity,
                                      kParityBit,
                                      kOddEven,
                                      kOdd,
                                      kEven,
                                      kStopBit,
                                      kSumCheck,
                                      kSumCheckCode,
                                      kCheckSum,
                                      kWriteDuringRun,
                                      kSettingChange,
                                      kChangeSetting,
                                      kEnable,
                                      kDisable,
                                      kRate,
                                      kTransmissionSpeed,
                                      kRateSetting,
                                      kProtocol,
                                      kCommunicationProtocol,
                                      kProtocolSetting,
                                      kMcProtocol,
                                      kStationNumber,
                                      kStationNumberSetting,
                                      kHexadecimal,
                                      kDecimal,
                                      kDefault,
                                      kOption,
                                      kNote,
                                      kError,
                                      kStation,
                                      kCalculate,
                                      kReadValues,
                                      kCopy,
                                      kCommissioningSheet,
                                      kLanguage};

// The values of the YES/NO groups (parity bit, sum check code: 有 and 无,
// as the manuals' tables write them). They are not in kGlossary: "no" and
// "on" are common English words, which the check would find in any text.
inline constexpr Words kYes{"yes", "有"};
inline constexpr Words kNo{"no", "无"};

// Names that are the module's own.
inline constexpr Words kCH1 = SameInEveryLanguage("CH1");
inline constexpr Words kCH2 = SameInEveryLanguage("CH2");
inline constexpr Words kBps = SameInEveryLanguage("bps");
inline constexpr Words kRun = SameInEveryLanguage("RUN");

// Each term is translated, says one thing in either language (no English
// term given twice), and its Chinese follows every term of the glossary
// that its English uses ("sum check code" is 和校验代码, which holds 和校验).
constexpr bool GlossaryIsSound() {
    for (std::size_t i = 0; i < kGlossary.size(); ++i) {
        if (!words_check::IsTranslated(kGlossary[i]) || kGlossary[i].same) return false;
        if (!words_check::FollowsGlossary(kGlossary[i], kGlossary)) return false;
        for (std::size_t k = 0; k < i; ++k) {
            if (kGlossary[k].en == kGlossary[i].en) return false;
        }
    }
    return words_check::IsTranslated(kYes) && words_check::IsTranslated(kNo);
}
static_assert(GlossaryIsSound(),
              "a term of the glossary is untranslated, given twice or "
              "written otherwise than a shorter term it holds");

}  // namespace tessivar::glossary
