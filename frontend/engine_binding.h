// The binding of the engine library VORBECK1: found by its file name beside the
// program, its entry resolved at the first calculation and kept for the run.
#ifndef TAMSOR_ENGINE_BINDING_H
#define TAMSOR_ENGINE_BINDING_H

#include <cstdint>

#include <QLibrary>
#include <QString>

#include "vorbeck1.h"

namespace tamsor {

class EngineBinding {
  public:
    // libvorbeck1.so (VORBECK1.DLL on Windows) in the program's folder.
    static QString libraryBesideProgram();

    explicit EngineBinding(const QString& libraryPath);

    // Runs one calculation on the input data file named by the blank padded
    // path: the technique widened to 32 bits, a status set to 0 before the
    // call, the path as 120 bytes of 8-bit text in the system's encoding.
    // Returns the status that the engine set. A missing library or entry
    // raises a run-time error (and is tried again at the next calculation).
    std::int32_t calculate(std::int16_t methodFlag, const QString& dataFileName);

    int calculations() const { return calculations_; }

  private:
    vorbeck1_entry entry();

    QLibrary library_;
    vorbeck1_entry entry_ = nullptr;
    int calculations_ = 0;
};

}  // namespace tamsor

#endif
