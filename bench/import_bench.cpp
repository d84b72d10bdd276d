// SPDX-License-Identifier: GPL-3.0-or-later
// Importing support-reaction tables of large buildings: the preview the
// import dialog shows and the whole import with the data file's text, on
// tables of three load cases per isolator.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "tamsor/load_table_import.h"

namespace {

// A comma-separated export: title, header, units, then per joint its dead,
// live and sustained reactions with compression negative.
std::string supportReactions(int isolators) {
    std::string text = "Support reactions\nStory,Joint,Load Case,FX,FY,FZ\n,,,kN,kN,kN\n";
    char line[128];
    for (int joint = 1; joint <= isolators; ++joint) {
        const double dead = 1000.0 + (joint * 7919 % 3000) + 0.25;
        const char* cases[] = {"Dead", "Live", "Sustained"};
        const double axial[] = {dead, dead * 0.2, dead * 1.06};
        for (int c = 0; c < 3; ++c) {
            std::snprintf(line, sizeof line, "Base,J%d,%s,%.2f,%.2f,%.2f\n", joint, cases[c],
                          0.01 * (joint % 100), -0.02 * (joint % 50), -axial[c]);
            text += line;
        }
    }
    return text;
}

void BM_PreviewLoadTable(benchmark::State& state) {
    const std::string table = supportReactions(static_cast<int>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(tamsor::previewLoadTable(table, {}));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * table.size()));
}
BENCHMARK(BM_PreviewLoadTable)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_ImportLoadTable(benchmark::State& state) {
    const std::string table = supportReactions(static_cast<int>(state.range(0)));
    tamsor::ImportSettings settings;
    settings.loadColumn = tamsor::ColumnChoice::named("FZ");
    settings.labelColumns = {tamsor::ColumnChoice::named("Story"),
                             tamsor::ColumnChoice::named("Joint")};
    settings.conditions = {{tamsor::ColumnChoice::named("Load Case"), "Sustained"}};
    settings.compressionIsNegative = true;
    for (auto _ : state) {
        const tamsor::ImportOutcome outcome = tamsor::importLoadTable(table, settings);
        if (!outcome.ok()) state.SkipWithError(outcome.refusal.message.c_str());
        benchmark::DoNotOptimize(tamsor::dataFileText(*outcome.table));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * table.size()));
}
BENCHMARK(BM_ImportLoadTable)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace
