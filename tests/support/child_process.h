// SPDX-License-Identifier: GPL-3.0-or-later
// Work done in a child process, so that a test survives what it provokes: a
// call that would block for ever, a file size limit, a program run with its
// output captured.
#ifndef TAMSOR_TESTS_CHILD_PROCESS_H
#define TAMSOR_TESTS_CHILD_PROCESS_H

#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "scratch_folder.h"

namespace tamsor::testing {

struct ChildLimits {
    // Largest file the child may write (RLIMIT_FSIZE); SIGXFSZ is ignored, so
    // a write beyond it fails with EFBIG instead of ending the child.
    std::optional<rlim_t> fileSizeLimit;
    std::chrono::seconds patience{20};
};

// How a child ended: its exit status, or -1 when it was stopped after
// `patience` (it hung) or ended by a signal.
struct ChildEnd {
    int exitStatus = -1;
    bool timedOut = false;
};

inline void applyLimits(const ChildLimits& limits) {
    if (limits.fileSizeLimit) {
        ::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{*limits.fileSizeLimit, *limits.fileSizeLimit};
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
}

inline ChildEnd waitForChild(pid_t child, std::chrono::seconds patience) {
    const auto deadline = std::chrono::steady_clock::now() + patience;
    int status = 0;
    for (;;) {
        const pid_t ended = ::waitpid(child, &status, WNOHANG);
        if (ended == child) break;
        if (std::chrono::steady_clock::now() > deadline) {
            ::kill(child, SIGKILL);
            ::waitpid(child, &status, 0);
            return {-1, true};
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, false};
}

// Runs `work` in a child process; its result (0..255) is the exit status.
inline ChildEnd runInChild(const std::function<int()>& work, const ChildLimits& limits = {}) {
    const pid_t child = ::fork();
    if (child == 0) {
        applyLimits(limits);
        ::_exit(work());
    }
    return waitForChild(child, limits.patience);
}

struct ProgramRun {
    ChildEnd end;
    std::string out;  // standard output, unless sent elsewhere
    std::string err;  // standard error
};

// Runs a program with `arguments`, its standard output and error captured in
// files of `folder` (or the output sent to `outputPath`), with extra
// environment variables "NAME=value".
inline ProgramRun runProgram(const std::string& program, const std::vector<std::string>& arguments,
                             const ScratchFolder& folder, const ChildLimits& limits = {},
                             const std::vector<std::string>& environment = {},
                             const std::string& outputPath = {}) {
    static std::atomic<int> runs{0};
    const std::string tag = std::to_string(::getpid()) + "-" + std::to_string(++runs);
    const auto outPath = outputPath.empty() ? folder.file(".stdout-" + tag).string() : outputPath;
    const auto errPath = folder.file(".stderr-" + tag).string();
    // Everything the child needs is made before the fork: the child of a
    // threaded test only opens, duplicates and executes.
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (const auto& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    std::vector<char*> envp;
    for (char** variable = environ; *variable != nullptr; ++variable)
        envp.push_back(*variable);
    for (const auto& variable : environment)
        envp.push_back(const_cast<char*>(variable.c_str()));
    envp.push_back(nullptr);

    const pid_t child = ::fork();
    if (child == 0) {
        applyLimits(limits);
        const int out = ::open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const int err = ::open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (out < 0 || err < 0) ::_exit(126);
        ::dup2(out, 1);
        ::dup2(err, 2);
        ::execve(program.c_str(), argv.data(), envp.data());
        ::_exit(127);
    }
    ProgramRun run;
    run.end = waitForChild(child, limits.patience);
    if (outputPath.empty()) {
        run.out = read_file(outPath);
        std::filesystem::remove(outPath);
    }
    run.err = read_file(errPath);
    std::filesystem::remove(errPath);
    return run;
}

}  // namespace tamsor::testing

#endif
