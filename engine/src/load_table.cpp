// SPDX-License-Identifier: GPL-3.0-or-later
#include "load_table.h"

#include "tamsor/load_file_reader.h"

namespace engine {
namespace {

// Keeps the loads alone; the engine has no use for the notes beside them.
class LoadTable final : public tamsor::LoadSink {
  public:
    explicit LoadTable(EngineState& state) : state_(state) { state_.load_count = 0; }
    void onLoad(const tamsor::LoadLine& load) override {
        state_.loads[++state_.load_count] = load.load;
    }

  private:
    EngineState& state_;
};

}  // namespace

bool readLoads(tamsor::DataFile& file, EngineState& state) {
    LoadTable table(state);
    tamsor::LoadFileReader reader(table, kMaxLoads);
    return file.readLoads(reader);
}

}  // namespace engine
