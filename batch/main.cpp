// SPDX-License-Identifier: GPL-3.0-or-later
// tamsor-batch: groups the isolators of input data files from a script.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

#include "batch_options.h"
#include "batch_output.h"
#include "batch_run.h"
#include "import_command.h"
#include "tamsor/version_text.h"

namespace {

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
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    const tamsor::ParsedCommandLine parsed = tamsor::parseCommandLine(arguments);
    if (parsed.help) {
        std::cout << tamsor::kUsage << tamsor::kImportUsage;
        return outputWritten() ? 0 : 1;
    }
    if (parsed.version) {
        std::cout << tamsor::versionText(TAMSOR_VERSION);
        return outputWritten() ? 0 : 1;
    }
    if (tamsor::asksForImport(arguments)) {
        const tamsor::ParsedImportCommand import = tamsor::parseImportCommand(arguments);
        if (!import.error.empty()) {
            std::cerr << "tamsor-batch: " << import.error << "\nTry 'tamsor-batch --help'.\n";
            return 2;
        }
        return tamsor::runImport(import.command, std::cerr);
    }
    if (!parsed.error.empty()) {
        // The reason and where to read more: the whole help would bury the reason.
        std::cerr << "tamsor-batch: " << parsed.error << "\nTry 'tamsor-batch --help'.\n";
        return 2;
    }
    const tamsor::BatchOptions& options = parsed.options;
    tamsor::BatchOutput output(options, std::cout);
    output.begin();
    bool allPartitioned = true;
    for (const auto& file : options.files)
        allPartitioned = tamsor::partitionFile(file, options, output, std::cerr) && allPartitioned;
    const bool written = outputWritten();
    return allPartitioned && written ? 0 : 1;
}
