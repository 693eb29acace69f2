// Time of one CalculateSwitches call: for the window's initial selection, and
// cycling through selections the window can reach, picked with a fixed seed.
// Likewise one DecodeSwitch call: for the initial Switch 1 text, and cycling
// through the texts that those random selections write.
// Each benchmark also reports "allocs_per_call": the heap allocations made
// while its loop ran, divided by the calls.
#include <benchmark/benchmark.h>

#include <array>
#include <cstdint>
#include <random>
#include <vector>

#include "allocation_count.h"
#include "switch_decoder.h"
#include "switch_encoder.h"

namespace {

using encoder_bench::AllocationsSoFar;

void ReportAllocationsPerCall(benchmark::State& state, long long allocationsBefore) {
    const auto made = static_cast<double>(AllocationsSoFar() - allocationsBefore);
    state.counters["allocs_per_call"] = made / static_cast<double>(state.iterations());
}

using tessivar::CalculateSwitches;
using tessivar::SwitchSelection;

template <std::size_t N>
void SelectOnly(std::array<bool, N>& group, std::size_t index) {
    group.fill(false);
    group[index] = true;
}

// "Independant", "8", "NO", "ODD", "1", "YES", "ENABLE", "DISABLE"; "115200";
// "Format 5 (4C Binary)"; CH1.
SwitchSelection InitialSelection() {
    SwitchSelection s;
    const std::array<bool, 8> odd = {false, true, false, false, false, true, true, false};
    for (std::size_t k = 0; k < 8; ++k) s.OptOperation[2 * k + (odd[k] ? 1 : 0)] = true;
    SelectOnly(s.optBaudRate, 12);
    SelectOnly(s.optProtocol, 5);
    SelectOnly(s.optCH, 0);
    return s;
}

std::vector<SwitchSelection> RandomSelections(std::size_t count) {
    std::mt19937 rng(20240607u);
    std::vector<SwitchSelection> list(count);
    for (SwitchSelection& s : list) {
        for (std::size_t k = 0; k < 8; ++k) s.OptOperation[2 * k + rng() % 2] = true;
        SelectOnly(s.optBaudRate, rng() % 14);
        SelectOnly(s.optProtocol, rng() % 9);
        SelectOnly(s.optCH, rng() % 3);
    }
    return list;
}

void BM_InitialSelection(benchmark::State& state) {
    const SwitchSelection selection = InitialSelection();
    std::array<std::int16_t, 16> bits{};
    const long long allocationsBefore = AllocationsSoFar();
    for (auto _ : state) {
        auto writes = CalculateSwitches(selection, bits);
        benchmark::DoNotOptimize(writes);
        benchmark::DoNotOptimize(bits);
    }
    ReportAllocationsPerCall(state, allocationsBefore);
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_InitialSelection);

void BM_RandomSelections(benchmark::State& state) {
    const std::vector<SwitchSelection> selections = RandomSelections(1024);
    std::array<std::int16_t, 16> bits{};
    std::size_t next = 0;
    const long long allocationsBefore = AllocationsSoFar();
    for (auto _ : state) {
        auto writes = CalculateSwitches(selections[next], bits);
        benchmark::DoNotOptimize(writes);
        benchmark::DoNotOptimize(bits);
        next = (next + 1) % selections.size();
    }
    ReportAllocationsPerCall(state, allocationsBefore);
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_RandomSelections);

void BM_DecodeInitialSwitch1(benchmark::State& state) {
    const std::string_view text = "0B62";
    const long long allocationsBefore = AllocationsSoFar();
    for (auto _ : state) {
        benchmark::DoNotOptimize(text);
        auto reading = tessivar::DecodeSwitch(text, 1);
        benchmark::DoNotOptimize(reading);
    }
    ReportAllocationsPerCall(state, allocationsBefore);
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_DecodeInitialSwitch1);

void BM_DecodeRandomSwitches(benchmark::State& state) {
    // Every text that the random selections write, with its switch number.
    std::vector<tessivar::SwitchWrite> texts;
    std::array<std::int16_t, 16> bits{};
    for (const SwitchSelection& s : RandomSelections(1024)) {
        for (const auto& write : CalculateSwitches(s, bits)) texts.push_back(write);
    }
    std::size_t next = 0;
    const long long allocationsBefore = AllocationsSoFar();
    for (auto _ : state) {
        auto reading = tessivar::DecodeSwitch(texts[next].text(), texts[next].number);
        benchmark::DoNotOptimize(reading);
        next = (next + 1) % texts.size();
    }
    ReportAllocationsPerCall(state, allocationsBefore);
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_DecodeRandomSwitches);

}  // namespace

BENCHMARK_MAIN();
