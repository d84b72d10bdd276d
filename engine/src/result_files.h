// The partition report (".out") and the load plot file (".plt").
#ifndef VORBECK1_RESULT_FILES_H
#define VORBECK1_RESULT_FILES_H

#include <array>
#include <cstddef>
#include <cstdio>

#include "engine_state.h"
#include "number_fields.h"

namespace engine {

// A result file opened for writing from its start. Lines gather in a buffer
// and go to the file in large writes; a failed write is remembered, so that a
// full disk is reported rather than ignored.
class ResultFile {
  public:
    ResultFile() = default;
    ResultFile(const ResultFile&) = delete;
    ResultFile& operator=(const ResultFile&) = delete;
    ~ResultFile() { close(); }

    bool open(const char* name);  // creates or empties the file
    bool is_open() const { return file_ != nullptr; }
    void write(const FieldLine& line);
    bool close();  // true when every write since open reached the file

  private:
    void flush();

    std::FILE* file_ = nullptr;
    bool failed_ = false;
    std::array<char, 8192> pending_;
    std::size_t pending_size_ = 0;
};

// Formats the result set for the current partition count (boundaries, means,
// operation count) with the pooled variance total_deviation / N, two lines.
void format_result_set(const EngineState& state, FieldLine& first_line, FieldLine& second_line);

// Writes the result set for the current partition count.
void write_result_set(ResultFile& report, const EngineState& state);

// Writes the step curve of the sorted loads: (i, load i) for every load, and
// (i+1, load i) where the next load differs and for the last load.
void write_load_plot(ResultFile& plot, const EngineState& state);

}  // namespace engine

#endif
