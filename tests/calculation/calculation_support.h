// SPDX-License-Identifier: GPL-3.0-or-later
// The calculation as the tests request it: the engine linked in, and another
// run's lock on a data file.
#ifndef TAMSOR_TESTS_CALCULATION_SUPPORT_H
#define TAMSOR_TESTS_CALCULATION_SUPPORT_H

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

#include "tamsor/calculation.h"
#include "vorbeck1.h"

namespace tamsor::testing {

inline std::int32_t linkedEngine(std::int32_t methodFlag, const std::string& path) {
    std::string name = path;
    name.resize(VORBECK1_PATH_LENGTH, ' ');
    std::int32_t status = 0;
    vorbeck1(&methodFlag, &status, name.data());
    return status;
}

inline CalculationRequest requestFor(const std::string& path, std::vector<TechniqueId> techniques) {
    CalculationRequest request;
    request.path = path;
    request.techniques = std::move(techniques);
    request.engine.run = linkedEngine;
    request.waitForLock = waitAtMost(std::chrono::seconds(5));
    return request;
}

// Another run holding the data file's lock until it finishes.
class OtherRun {
  public:
    explicit OtherRun(const std::string& path) : descriptor_(::open(path.c_str(), O_RDONLY)) {
        ::flock(descriptor_, LOCK_EX);
    }
    OtherRun(const OtherRun&) = delete;
    OtherRun& operator=(const OtherRun&) = delete;
    ~OtherRun() { finish(); }

    void finish() {
        if (descriptor_ >= 0) ::close(descriptor_);
        descriptor_ = -1;
    }

  private:
    int descriptor_;
};

}  // namespace tamsor::testing

#endif
