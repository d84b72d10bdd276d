// SPDX-License-Identifier: GPL-3.0-or-later
// A stand-in for the engine library, loaded by tamsor-batch in its place: it
// copies the report a test prepared onto the report name and returns the
// status the test chose, so the tests see how tamsor-batch treats a report it
// cannot trust.
#include <cstdlib>
#include <fstream>

#include "vorbeck1.h"

extern "C" VORBECK1_API void VORBECK1_CALL vorbeck1(int32_t*, int32_t* status, const char*) {
    std::ifstream from(std::getenv("TAMSOR_FAKE_REPORT_FROM"), std::ios::binary);
    std::ofstream to(std::getenv("TAMSOR_FAKE_REPORT_TO"), std::ios::binary | std::ios::trunc);
    to << from.rdbuf();
    *status = std::atoi(std::getenv("TAMSOR_FAKE_STATUS"));
}
