// SPDX-License-Identifier: GPL-3.0-or-later
#include "batch_options.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <iterator>
#include <string_view>

#include "tamsor/grouping_spread.h"

namespace tamsor {

namespace {

constexpr std::size_t kUsageWidth = 80;
constexpr std::string_view kOptionIndent = "                    ";  // 20 blanks

// `text` after `first` (padded to the option column), wrapped at blanks to
// the usage's width, each further line under the option column.
std::string wrapped(std::string first, std::string_view text) {
    first.resize(std::max(first.size() + 1, kOptionIndent.size()), ' ');
    std::string out;
    std::string line = first;
    bool lineEmpty = true;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find(' ', start);
        if (end == std::string_view::npos) end = text.size();
        const std::string_view word = text.substr(start, end - start);
        if (!lineEmpty && line.size() + 1 + word.size() > kUsageWidth) {
            out += line + '\n';
            line = kOptionIndent;
            lineEmpty = true;
        }
        if (!lineEmpty) line += ' ';
        line += word;
        lineEmpty = false;
        start = end + 1;
    }
    return out + line + '\n';
}

std::string thousands(std::size_t count) {
    std::string digits = std::to_string(count);
    for (auto at = static_cast<std::ptrdiff_t>(digits.size()) - 3; at > 0; at -= 3)
        digits.insert(static_cast<std::size_t>(at), 1, ',');
    return digits;
}

// "Method 1, Method2, Optimal and Least spread": every technique of the table.
std::string techniqueNames() {
    std::string names;
    for (std::size_t i = 0; i < std::size(kTechniques); ++i) {
        if (i > 0) names += i + 1 == std::size(kTechniques) ? " and " : ", ";
        names += kTechniques[i].name;
    }
    return names;
}

// "1|2|optimal|spread"
std::string methodOptions() {
    std::string options;
    for (const Technique& technique : kTechniques)
        options += (options.empty() ? "" : "|") + std::string(technique.methodOption);
    return options;
}

// One entry per technique: its option, name and approach, and how many isolators it takes.
std::string techniqueUsage() {
    std::string text;
    for (const Technique& technique : kTechniques) {
        std::string description = std::string(technique.name) + ": " +
                                  std::string(technique.approach) + "; " +
                                  std::to_string(kMinIsolators) + " to " +
                                  thousands(technique.maxIsolators) + " isolators";
        if (&technique == &kTechniques[0]) description += " (the default)";
        text += wrapped("  --method " + std::string(technique.methodOption), description);
    }
    return text;
}

std::string usageText() {
    const Technique& optimum = techniqueOf(TechniqueId::kOptimal);
    const std::string lastRun(kTechniques[std::size(kTechniques) - 1].name);
    return "usage: tamsor-batch [--method " + methodOptions() +
           " | --compare] [--types N|fewest]\n"
           "                    [--tolerance T] [--format text|csv|json] FILE.DAT...\n"
           "\n"
           "Groups the isolators of each building into 1 to 9 isolator types of similar\n"
           "sustained load, writes the partition report FILE.out and the load plot file\n"
           "FILE.plt beside each input data file, and prints a summary per number of types\n"
           "with the worst spread and the capacity above need of each grouping.\n"
           "\n" +
           techniqueUsage() +
           wrapped("  --compare",
                   "run every technique on each file, in the order " + techniqueNames() +
                       ", and print per number of types the pooled variance and the worst "
                       "spread of each and how far each pooled variance lies above " +
                       std::string(optimum.name) +
                       "'s, the optimum; \"not reached\" marks a set a technique did not "
                       "reach, \"-\" a figure not defined (a set not reached, an optimum of "
                       "0). The result files left are " +
                       lastRun + "'s, the last run. " + std::to_string(kMinIsolators) + " to " +
                       thousands(kMaxClassicIsolators) + " isolators, as all take.") +
           "  --tolerance T     a tolerance in % (0 to 99.9): print per file and technique\n"
           "                    \"Fewest types within T %: N\", for Least spread the true\n"
           "                    minimum, which may exceed 9, for the others the fewest of\n"
           "                    their own groupings whose worst spread is within T, or \"none\n"
           "                    of 1 to 9\". The spread of a type is how far its smallest\n"
           "                    load lies below its largest, its design load, in % of it.\n"
           "  --types N         print the isolator schedule for N types (1 to 9) after the\n"
           "                    summary: per type the isolators, smallest, largest (the design\n"
           "                    load), mean, spread and spread in %; every isolator in data\n"
           "                    file order with its line, load, type and label (the rest of\n"
           "                    its line). A file whose run did not reach N types fails. Not\n"
           "                    with --compare.\n"
           "  --types fewest    with --method spread and --tolerance T: the schedule of Least\n"
           "                    spread's grouping into the fewest types within T; a file that\n"
           "                    needs more than 9 fails.\n"
           "  --format text     readable text (the default)\n"
           "  --format csv      comma-separated values for a spreadsheet (UTF-8, CR LF, fields\n"
           "                    with a comma or quote in double quotes): one table with a row\n"
           "                    per file, technique, number of types and type,\n"
           "                      data file,technique,type count,status,pooled variance,type,\n"
           "                      isolators,smallest,largest,mean,worst spread %,\n"
           "                      capacity above need %\n"
           "                      MUSEUM.DAT,Optimal,1,ok,93437.58,1,36,650.7,1844.9,1213.79,\n"
           "                      64.7,52.0\n"
           "                    With --types, each file gives that table for its run, an empty\n"
           "                    line, the types table, an empty line and the isolators table.\n"
           "  --format json     one JSON document per file and technique, each on one line:\n"
           "                      {\"data_file\":\"MUSEUM.DAT\",\"technique\":\"Optimal\",\n"
           "                       \"result_sets\":[{\"type_count\":1,\"status\":\"ok\",\n"
           "                       \"pooled_variance\":93437.58,\"types\":[{\"type\":1,\n"
           "                       \"isolators\":36,\"smallest\":650.7,\"largest\":1844.9,\n"
           "                       \"mean\":1213.79}],\"worst_spread_percent\":64.7,\n"
           "                       \"capacity_above_need_percent\":52.0},...],\n"
           "                       \"schedule\":null,\"tolerance_percent\":null,\n"
           "                       \"fewest_types_within_tolerance\":null}\n"
           "                    \"status\" is \"ok\" or \"not reached\"; a figure too wide for "
           "the\n"
           "                    report is null. With --types, \"schedule\" holds \"types\" and\n"
           "                    \"isolators\" ({\"line\",\"load\",\"type\",\"label\"}).\n"
           "  --help            show this text\n"
           "\n"
           "With --compare, csv and json give the runs of each file in turn, as --method\n"
           "runs would; the percentages above the optimum are the text table's alone.\n"
           "Summaries, schedules and tables go to standard output, messages and warnings to\n"
           "standard error, so that the output of csv and json stays machine-readable.\n"
           "\n"
           "An input data file holds one sustained load per line (the first number of each\n"
           "non-blank line; the rest of the line is ignored), as many as the technique\n"
           "takes; Least spread takes positive loads only.\n"
           "Exit status: 0 when every run found all nine groupings (with --compare, the\n"
           "last technique's) and every schedule asked for was printed, 1 when a file\n"
           "failed, 2 on a usage error.\n";
}

}  // namespace

const std::string kUsage = usageText();

namespace {

bool parseTechnique(const std::string& value, TechniqueId& technique) {
    const Technique* const found = techniqueForOption(value);
    if (found != nullptr) technique = found->id;
    return found != nullptr;
}

// "--method takes 1, 2 or optimal", from the technique table.
std::string methodUsageError() {
    std::string error = "--method takes ";
    for (std::size_t i = 0; i < std::size(kTechniques); ++i) {
        if (i > 0) error += i + 1 == std::size(kTechniques) ? " or " : ", ";
        error += kTechniques[i].methodOption;
    }
    return error;
}

// A tolerance in %, 0 to 99.9, as the program's field takes it.
bool parseTolerance(const std::string& value, std::optional<double>& tolerance) {
    std::size_t used = 0;
    double parsed = 0;
    try {
        parsed = std::stod(value, &used);
    } catch (const std::exception&) {
        return false;
    }
    if (used != value.size() || !std::isfinite(parsed) || parsed < 0 ||
        parsed > kMaxTolerancePercent)
        return false;
    tolerance = parsed;
    return true;
}

bool parseFormat(const std::string& value, OutputFormat& format) {
    if (value == "text")
        format = OutputFormat::kText;
    else if (value == "csv")
        format = OutputFormat::kCsv;
    else if (value == "json")
        format = OutputFormat::kJson;
    else
        return false;
    return true;
}

}  // namespace

ParsedCommandLine parseCommandLine(const std::vector<std::string>& arguments) {
    ParsedCommandLine parsed;
    BatchOptions& options = parsed.options;
    bool methodGiven = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        const bool hasValue = i + 1 < arguments.size();
        if (argument == "--help" || argument == "-h") {
            parsed.help = true;
            return parsed;
        }
        if (argument == "--version") {
            parsed.version = true;
            return parsed;
        }
        if (argument == "--method" && hasValue) {
            if (!parseTechnique(arguments[++i], options.techniques.front())) {
                parsed.error = methodUsageError();
                return parsed;
            }
            methodGiven = true;
        } else if (argument == "--compare") {
            options.compare = true;
        } else if (argument == "--tolerance" && hasValue) {
            if (!parseTolerance(arguments[++i], options.tolerancePercent)) {
                parsed.error = "--tolerance takes a percentage from 0 to 99.9";
                return parsed;
            }
        } else if (argument == "--types" && hasValue && arguments[i + 1] == "fewest") {
            ++i;
            options.scheduleFewest = true;
        } else if (argument == "--types" && hasValue) {
            const std::string& value = arguments[++i];
            if (value.size() != 1 || value[0] < '1' || value[0] > '0' + kMaxTypes) {
                parsed.error = "--types takes a number of types from 1 to 9";
                return parsed;
            }
            options.scheduleTypes = value[0] - '0';
        } else if (argument == "--format" && hasValue) {
            if (!parseFormat(arguments[++i], options.format)) {
                parsed.error = "--format takes text, csv or json";
                return parsed;
            }
        } else if (argument.rfind("--", 0) == 0) {
            parsed.error = "unknown option " + argument;
            return parsed;
        } else {
            options.files.push_back(argument);
        }
    }
    if (options.compare) {
        if (methodGiven) {
            parsed.error = "--compare runs every technique; leave out --method";
            return parsed;
        }
        if (options.scheduleTypes != 0 || options.scheduleFewest) {
            parsed.error = "--types shows the schedule of one technique; use it with --method";
            return parsed;
        }
        // Every technique, in the order of the table.
        options.techniques.clear();
        for (const Technique& technique : kTechniques)
            options.techniques.push_back(technique.id);
    }
    if (options.scheduleFewest) {
        if (!options.tolerancePercent) {
            parsed.error = "--types fewest needs --tolerance T";
            return parsed;
        }
        if (!techniqueOf(options.techniques.front()).groupsBySpread) {
            parsed.error =
                "--types fewest shows Least spread's grouping; use it with --method spread";
            return parsed;
        }
    }
    if (options.files.empty()) parsed.error = "no input data file given";
    return parsed;
}

}  // namespace tamsor
