// Writes what the browser tests expect of the web page, as JSON, from the
// tests' own tables (switch_tables.h) and the encoder suite's independent
// model: the window's group captions and member captions, its initial
// selection, its version label, and the switch writes of every selection
// the window can make.
//
//   web_expectations FILE
#include <cstdio>
#include <string>

#include "../win/expected_version.h"
#include "reference_model.h"

namespace {

using namespace encoder_test;
using switch_tables::Caption;

// A JSON string; the captions hold no character that needs more than this.
std::string Quoted(const char* text) {
    std::string quoted = "\"";
    for (const char* c = text; *c != '\0'; ++c) {
        if (*c == '"' || *c == '\\') quoted += '\\';
        quoted += *c;
    }
    return quoted + '"';
}

std::string Captions(const Caption* begin, const Caption* end) {
    std::string list = "[";
    for (const Caption* c = begin; c != end; ++c)
        list += (c == begin ? "" : ", ") + Quoted(c->text);
    return list + "]";
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: web_expectations FILE\n");
        return 2;
    }
    std::FILE* out = std::fopen(argv[1], "w");
    if (out == nullptr) {
        std::perror(argv[1]);
        return 1;
    }
    // Groups in the window's order: the eight pairs, rate, protocol, channel.
    std::fprintf(out, "{\"groups\": [\n");
    for (const switch_tables::Pair& pair : switch_tables::kPairs) {
        std::fprintf(out, "  {\"caption\": %s, \"members\": %s},\n",
                     Quoted(pair.frame.text).c_str(),
                     Captions(pair.members.data(), pair.members.data() + 2).c_str());
    }
    std::string rates = "[";
    for (const auto& rate : kRates)
        rates += (rates.size() > 1 ? ", " : "") + Quoted(rate.caption.text);
    std::fprintf(out, "  {\"caption\": %s, \"members\": %s},\n",
                 Quoted(switch_tables::kRateFrame.text).c_str(), (rates + "]").c_str());
    std::fprintf(out, "  {\"caption\": %s, \"members\": %s},\n",
                 Quoted(switch_tables::kProtocolFrame.text).c_str(),
                 Captions(kProtocols.data(), kProtocols.data() + kProtocols.size()).c_str());
    std::fprintf(out, "  {\"caption\": %s, \"members\": %s}],\n",
                 Quoted(switch_tables::kChannelFrame.text).c_str(),
                 Captions(switch_tables::kChannels.data(),
                          switch_tables::kChannels.data() + switch_tables::kChannels.size())
                     .c_str());
    // The member each group opens with, in the same order.
    std::fprintf(out, "\"initial\": [");
    for (const bool odd : switch_tables::kInitialOdd) std::fprintf(out, "%d, ", odd ? 1 : 0);
    std::fprintf(out, "%d, %d, %d],\n", switch_tables::kInitialRate,
                 switch_tables::kInitialProtocol, switch_tables::kInitialChannel);

    // The label is ASCII, so each wide character is one narrow one.
    std::string version;
    for (const wchar_t* c = harness::kVersionLabel; *c != L'\0'; ++c)
        version += static_cast<char>(*c);
    std::fprintf(out, "\"version\": %s,\n", Quoted(version.c_str()).c_str());

    // Every selection: the member index of each group ("01000110 12 5 0")
    // and the writes in order ("1=0B62 2=5").
    std::fprintf(out, "\"selections\": [\n");
    bool first = true;
    for (unsigned state = 0; state < 256; ++state) {
        std::array<bool, 8> odd{};
        std::string pairs;
        for (unsigned k = 0; k < 8; ++k) {
            odd[k] = (state & kPairWeight[k]) != 0;
            pairs += odd[k] ? '1' : '0';
        }
        const std::string transmission = Hex2(ByteOf(odd));
        for (unsigned rate = 0; rate < kRates.size(); ++rate) {
            for (unsigned protocol = 0; protocol < kProtocols.size(); ++protocol) {
                for (unsigned channel = 0; channel < 3; ++channel) {
                    std::array<bool, 3> channels{};
                    channels[channel] = true;
                    std::string writes;
                    for (const auto& [number, text] :
                         ExpectedWrites(kRates[rate].code + transmission, std::to_string(protocol),
                                        channels)) {
                        if (!writes.empty()) writes += ' ';
                        writes.append(std::to_string(number)).append("=").append(text);
                    }
                    std::fprintf(out, "%s[\"%s %u %u %u\", \"%s\"]", first ? "" : ",\n",
                                 pairs.c_str(), rate, protocol, channel, writes.c_str());
                    first = false;
                }
            }
        }
    }
    std::fprintf(out, "]}\n");
    return std::fclose(out) == 0 ? 0 : 1;
}
