#include "batch_options.h"

#include <iterator>

namespace tamsor {

const char* const kUsage =
    "usage: tamsor-batch [--method 1|2|optimal | --compare] [--types N]\n"
    "                    [--format text|csv|json] FILE.DAT...\n"
    "\n"
    "Groups the isolators of each building into 1 to 9 isolator types of similar\n"
    "sustained load, writes the partition report FILE.out and the load plot file\n"
    "FILE.plt beside each input data file, and prints a summary per number of types.\n"
    "\n"
    "  --method 1        Method 1: start from equal load ranges (the default)\n"
    "  --method 2        Method2: start from equal numbers of isolators\n"
    "  --method optimal  Optimal: the best grouping, the smallest pooled variance\n"
    "                    possible for every number of types; 11 to 1,000,000 isolators\n"
    "  --compare         run all three techniques on each file, in the order\n"
    "                    Method 1, Method2, Optimal, and print per number of types the\n"
    "                    pooled variance of each and how far Method 1 and Method2 lie\n"
    "                    above the optimum; \"not reached\" marks a set a technique did\n"
    "                    not reach, \"-\" a percentage not defined (a set not reached,\n"
    "                    an optimum of 0). The result files left are Optimal's, the\n"
    "                    last run. 11 to 100 isolators, as all three take.\n"
    "  --types N         print the isolator schedule for N types (1 to 9) after the\n"
    "                    summary: per type the isolators, smallest, largest (the design\n"
    "                    load), mean and spread; every isolator in data file order with\n"
    "                    its line, load, type and label (the rest of its line). A file\n"
    "                    whose run did not reach N types fails. Not with --compare.\n"
    "  --format text     readable text (the default)\n"
    "  --format csv      comma-separated values for a spreadsheet (UTF-8, CR LF, fields\n"
    "                    with a comma or quote in double quotes): one table with a row\n"
    "                    per file, technique, number of types and type,\n"
    "                      data file,technique,type count,status,pooled variance,type,\n"
    "                      isolators,smallest,largest,mean\n"
    "                      MUSEUM.DAT,Optimal,1,ok,93437.58,1,36,650.7,1844.9,1213.79\n"
    "                    With --types, each file gives that table for its run, an empty\n"
    "                    line, the types table, an empty line and the isolators table.\n"
    "  --format json     one JSON document per file and technique, each on one line:\n"
    "                      {\"data_file\":\"MUSEUM.DAT\",\"technique\":\"Optimal\",\n"
    "                       \"result_sets\":[{\"type_count\":1,\"status\":\"ok\",\n"
    "                       \"pooled_variance\":93437.58,\"types\":[{\"type\":1,\n"
    "                       \"isolators\":36,\"smallest\":650.7,\"largest\":1844.9,\n"
    "                       \"mean\":1213.79}]},...],\"schedule\":null}\n"
    "                    \"status\" is \"ok\" or \"not reached\"; a figure too wide for the\n"
    "                    report is null. With --types, \"schedule\" holds \"types\" and\n"
    "                    \"isolators\" ({\"line\",\"load\",\"type\",\"label\"}).\n"
    "  --help            show this text\n"
    "  --version         show the version and licence of TAMSOR\n"
    "\n"
    "With --compare, csv and json give the three runs of each file in turn, as three\n"
    "--method runs would; the percentages are the text table's alone. Summaries,\n"
    "schedules and tables go to standard output, messages and warnings to standard\n"
    "error, so that the output of csv and json stays machine-readable.\n"
    "\n"
    "An input data file holds one sustained load per line (the first number of each\n"
    "non-blank line; the rest of the line is ignored), 11 to 100 isolators, or up to\n"
    "1,000,000 with --method optimal.\n"
    "Exit status: 0 when every run found all nine groupings (with --compare,\n"
    "Optimal's) and every schedule asked for was printed, 1 when a file failed, 2 on\n"
    "a usage error.\n";

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
            parsed.error = "--compare runs all three techniques; leave out --method";
            return parsed;
        }
        if (options.scheduleTypes != 0) {
            parsed.error = "--types shows the schedule of one technique; use it with --method";
            return parsed;
        }
        // The classic techniques against the optimum, which the comparison takes as the last.
        options.techniques = {TechniqueId::kMethod1, TechniqueId::kMethod2, TechniqueId::kOptimal};
    }
    if (options.files.empty()) parsed.error = "no input data file given";
    return parsed;
}

}  // namespace tamsor
