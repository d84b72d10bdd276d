// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer target: any bytes as a load table, previewed and imported with
// settings drawn from the first byte. An import that succeeds must give a
// data file that the shared reader reads back to the same loads and labels.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "tamsor/domain_limits.h"
#include "tamsor/load_file_reader.h"
#include "tamsor/load_table_import.h"

namespace {

[[noreturn]] void fail(const std::string& what) {
    std::fprintf(stderr, "load table: %s\n", what.c_str());
    std::abort();
}

class KeepLoads final : public tamsor::LoadSink {
  public:
    void onLoad(const tamsor::LoadLine& line) override {
        loads.push_back(line.load);
        labels.emplace_back(line.label);
    }
    std::vector<float> loads;
    std::vector<std::string> labels;
};

// The settings: load column 1 to 4, the sign, the decimal mark and the
// delimiter (detected for 4 to 7).
tamsor::ImportSettings settingsFrom(std::uint8_t choice) {
    tamsor::ImportSettings settings;
    settings.loadColumn = tamsor::ColumnChoice::at(1 + (choice & 3));
    // The columns before the load are its labels.
    for (std::size_t column = 1; column < settings.loadColumn.position; ++column)
        settings.labelColumns.push_back(tamsor::ColumnChoice::at(column));
    settings.compressionIsNegative = (choice & 4) != 0;
    if ((choice & 8) != 0) settings.decimalMark = tamsor::DecimalMark::kComma;
    const int delimiter = (choice >> 4) & 7;
    if (delimiter < 4) settings.reading.delimiter = static_cast<tamsor::Delimiter>(delimiter);
    return settings;
}

void checkDataFile(const tamsor::ImportedTable& table) {
    const std::string text = tamsor::dataFileText(table);
    if (!tamsor::isWellFormedUtf8(text)) fail("the data file is not UTF-8");
    KeepLoads read;
    tamsor::LoadFileReader reader(read, tamsor::kMaxOptimalIsolators);
    if (!reader.feed(text.data(), text.size()) || !reader.finish())
        fail("the data file is refused at line " + std::to_string(reader.fault().line));
    if (read.loads.size() != table.loads.size()) fail("the data file holds other loads");
    for (std::size_t i = 0; i < read.loads.size(); ++i) {
        const tamsor::ImportedLoad& load = table.loads[i];
        // The same bits: -0 and 0 differ, as they would in the engine.
        if (std::signbit(read.loads[i]) != std::signbit(load.load) || !(read.loads[i] == load.load))
            fail("row " + std::to_string(load.row) + ": the load reads back differently");
        if (table.magnitudesTaken && std::signbit(load.load))
            fail("row " + std::to_string(load.row) + ": a negative magnitude");
        // The reader shows the first 256 bytes after the load.
        if (load.label.size() <= 250 && read.labels[i] != load.label)
            fail("row " + std::to_string(load.row) + ": the label reads back differently");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
    const tamsor::ImportSettings settings = settingsFrom(data[0]);

    const tamsor::TablePreview preview = tamsor::previewLoadTable(bytes, settings.reading);
    if (!tamsor::isWellFormedUtf8(preview.problem)) fail("the preview's problem is not UTF-8");
    if (preview.rows.size() > preview.rowCount) fail("more rows shown than the table has");
    for (const tamsor::PreviewRow& row : preview.rows)
        for (const std::string& field : row.fields)
            if (!tamsor::isWellFormedUtf8(field)) fail("a field is not UTF-8");

    const tamsor::ImportOutcome outcome = tamsor::importLoadTable(bytes, settings);
    if (!outcome.ok()) {
        if (outcome.refusal.message.empty() || !tamsor::isWellFormedUtf8(outcome.refusal.message))
            fail("a refusal without a readable message");
        return 0;
    }
    const tamsor::ImportedTable& table = *outcome.table;
    if (table.loads.size() < tamsor::kMinIsolators) fail("too few loads kept");
    if (table.loads.size() + table.droppedCount() > table.rowCount)
        fail("more rows kept and dropped than the table has");
    checkDataFile(table);
    (void)tamsor::describeImport(table);
    return 0;
}
