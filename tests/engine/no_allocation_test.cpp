// SPDX-License-Identifier: GPL-3.0-or-later
// The engine runs in fixed tables: a whole call through its entry allocates
// nothing from the free store, files and refusals included.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <new>
#include <string>
#include <vector>

#include "engine_test_support.h"

namespace {

// Counted only while armed, around the engine call.
bool armed = false;
int allocations = 0;

void* allocate(std::size_t size) {
    if (armed) ++allocations;
    if (void* memory = std::malloc(size == 0 ? 1 : size)) return memory;
    throw std::bad_alloc();
}

}  // namespace

void* operator new(std::size_t size) {
    return allocate(size);
}
void* operator new[](std::size_t size) {
    return allocate(size);
}
void operator delete(void* memory) noexcept {
    std::free(memory);
}
void operator delete[](void* memory) noexcept {
    std::free(memory);
}
void operator delete(void* memory, std::size_t) noexcept {
    std::free(memory);
}
void operator delete[](void* memory, std::size_t) noexcept {
    std::free(memory);
}

namespace {

using tamsor::testing::load_lines;
using tamsor::testing::ScratchFolder;
using tamsor::testing::write_file;

TEST(EngineRun, AllocatesNothing) {
    ScratchFolder folder;
    std::vector<double> hundred;
    for (int i = 1; i <= 100; ++i)
        hundred.push_back(1000 + 7 * i + (i % 5) * 300);
    // A long path: the result names no longer fit a short string's own room.
    const std::string name(60, 'b');
    const auto data = folder.file(name + ".DAT");
    struct Case {
        std::string loads;
        int status;
    };
    for (const auto& c : {Case{load_lines(hundred), 0},
                          Case{load_lines({10, 20, 30, 40, 50, 60, 70, 80, 90, 100, 110}), 2},
                          Case{"10\nwall\n", 1}}) {
        write_file(data, c.loads);
        std::string padded = data.string();
        padded.resize(VORBECK1_PATH_LENGTH, ' ');
        std::int32_t method_flag = 1;
        std::int32_t status = 0;
        allocations = 0;
        armed = true;
        vorbeck1(&method_flag, &status, padded.data());
        armed = false;
        EXPECT_EQ(status, c.status);
        EXPECT_EQ(allocations, 0) << "status " << status;
    }
}

}  // namespace
