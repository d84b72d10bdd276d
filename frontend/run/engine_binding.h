// SPDX-License-Identifier: GPL-3.0-or-later
// The binding of the engine library VORBECK1: found by its file name beside the
// program or in the installed program's library folder, its entry resolved at
// the first calculation and kept for the run.
#ifndef TAMSOR_ENGINE_BINDING_H
#define TAMSOR_ENGINE_BINDING_H

#include <cstdint>
#include <string>

#include <QLibrary>
#include <QString>

#include "tamsor/calculation.h"
#include "vorbeck1.h"

namespace tamsor {

class EngineBinding {
  public:
    // libvorbeck1.so (VORBECK1.DLL on Windows) in the program's folder, as in
    // the build tree; else in the private library folder of an installed
    // program, found relative to the program's folder. Where neither holds
    // it, the first, which the message of the failed calculation then names.
    static QString libraryOfProgram(const QString& programFolder);

    explicit EngineBinding(const QString& libraryPath);

    // Runs one calculation on the input data file at `path` (the bytes by
    // which the system names it), whose engineName() the calculation has
    // found to fit: the technique's engine flag, a status set to 0 before the
    // call, the name blank padded to 120 bytes. For a bare file name the
    // working folder is the file's folder during the call and restored after
    // it. Returns the status that the engine set. A missing library or entry
    // (tried again at the next calculation) or a folder that cannot be
    // entered raises a run-time error.
    std::int32_t calculate(std::int32_t engineFlag, const std::string& path);

    // This binding as the calculation calls the classic engine.
    ClassicEngine classicEngine();

    int calculations() const { return calculations_; }
    // The library file bound, or to be bound at the first calculation.
    QString libraryPath() const { return library_.fileName(); }

  private:
    vorbeck1_entry entry();

    QLibrary library_;
    vorbeck1_entry entry_ = nullptr;
    int calculations_ = 0;
};

}  // namespace tamsor

#endif
