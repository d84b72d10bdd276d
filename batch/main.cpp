// tamsor-batch: runs the partition engine on input data files from a script.
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

#include "batch_run.h"

namespace {

constexpr const char* kUsage =
    "usage: tamsor-batch [--method 1|2] FILE.DAT...\n"
    "\n"
    "Groups the isolators of each building into 1 to 9 isolator types of similar\n"
    "sustained load, writes the partition report FILE.out and the load plot file\n"
    "FILE.plt beside each input data file, and prints a summary per number of types.\n"
    "\n"
    "  --method 1   start from equal load ranges (the default)\n"
    "  --method 2   start from equal numbers of isolators\n"
    "  --help       show this text\n"
    "\n"
    "An input data file holds one sustained load per line (the first number of each\n"
    "non-blank line; the rest of the line is ignored), 11 to 100 isolators.\n"
    "Exit status: 0 when every file was partitioned, 1 when a file failed, 2 on a usage error.\n";

// Whether everything written to standard output reached it (not, say, a full disk).
bool outputWritten() {
    // The first failure's reason: a later flush may find nothing left to write.
    errno = 0;
    std::cout.flush();
    int error = errno;
    if (std::fflush(stdout) != 0 && error == 0) error = errno;
    const bool written = std::cout.good() && !std::ferror(stdout);
    if (!written)
        std::cerr << "tamsor-batch: cannot write the output"
                  << (error != 0 ? std::string(": ") + std::strerror(error) : std::string())
                  << '\n';
    return written;
}

}  // namespace

int main(int argc, char** argv) {
    std::int32_t methodFlag = 0;
    std::vector<std::string> files;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--help" || argument == "-h") {
            std::cout << kUsage;
            return outputWritten() ? 0 : 1;
        }
        if (argument == "--method" && i + 1 < argc) {
            const std::string value = argv[++i];
            if (value != "1" && value != "2") {
                std::cerr << "tamsor-batch: --method takes 1 or 2\n" << kUsage;
                return 2;
            }
            methodFlag = value == "1" ? 0 : 1;
        } else if (argument.rfind("--", 0) == 0) {
            std::cerr << "tamsor-batch: unknown option " << argument << '\n' << kUsage;
            return 2;
        } else {
            files.push_back(argument);
        }
    }
    if (files.empty()) {
        std::cerr << kUsage;
        return 2;
    }
    bool allPartitioned = true;
    for (const auto& file : files)
        allPartitioned =
            tamsor::partitionFile(file, methodFlag, std::cout, std::cerr) && allPartitioned;
    const bool written = outputWritten();
    return allPartitioned && written ? 0 : 1;
}
