// tamsor-batch: runs the partition engine on input data files from a script.
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "report_summary.h"
#include "tamsor/free_form_reader.h"
#include "tamsor/result_names.h"
#include "vorbeck1.h"

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

const char* technique_name(std::int32_t method_flag) {
    return method_flag == 0 ? "Method 1 (equal load ranges)"
                            : "Method 2 (equal numbers of isolators)";
}

// Runs the engine on one file and prints its summary; returns whether it succeeded.
bool partition(const std::string& path, std::int32_t method_flag) {
    if (path.size() > VORBECK1_PATH_LENGTH) {
        std::cerr << "tamsor-batch: " << path << ": path longer than " << VORBECK1_PATH_LENGTH
                  << " characters\n";
        return false;
    }
    char name[VORBECK1_PATH_LENGTH];
    std::memset(name, ' ', sizeof name);
    std::memcpy(name, path.data(), path.size());
    std::int32_t status = 0;
    std::int32_t flag = method_flag;
    vorbeck1(&flag, &status, name);

    if (status == VORBECK1_UNREADABLE) {
        std::cerr << "tamsor-batch: " << path
                  << ": cannot read the loads (a line that does not start with a number, fewer than"
                     " 11 or more than 100 isolators) or cannot write the result files\n";
        return false;
    }

    const auto names = tamsor::result_names_for(path);
    std::vector<tamsor::ResultSet> sets;
    try {
        sets = tamsor::read_report(names.report);
    } catch (const tamsor::ReadError& error) {
        std::cerr << "tamsor-batch: " << path << ": " << error.what() << '\n';
        return false;
    }
    const int isolators = sets.empty() ? 0 : [&] {
        int count = 0;
        for (const auto& type : sets.front().types)
            count += type.isolators;
        return count;
    }();
    std::cout << path << ": " << isolators << " isolators, " << technique_name(method_flag) << '\n';
    tamsor::print_summary(std::cout, sets);

    if (status == VORBECK1_EMPTY_PARTITION) {
        const int failed_at = static_cast<int>(sets.size()) + 1;
        std::cout << "  stopped at " << failed_at << " types: an isolator type became empty\n\n";
        std::cerr << "tamsor-batch: " << path << ": cannot calculate the optimum solution for "
                  << failed_at << " types; try " << (method_flag == 0 ? "--method 2" : "--method 1")
                  << '\n';
        return false;
    }
    std::cout << "  report " << names.report << ", plot " << names.plot << "\n\n";
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    std::int32_t method_flag = 0;
    std::vector<std::string> files;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--help" || argument == "-h") {
            std::cout << kUsage;
            return 0;
        }
        if (argument == "--method" && i + 1 < argc) {
            const std::string value = argv[++i];
            if (value != "1" && value != "2") {
                std::cerr << "tamsor-batch: --method takes 1 or 2\n" << kUsage;
                return 2;
            }
            method_flag = value == "1" ? 0 : 1;
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
    bool all_partitioned = true;
    for (const auto& file : files)
        all_partitioned = partition(file, method_flag) && all_partitioned;
    return all_partitioned ? 0 : 1;
}
