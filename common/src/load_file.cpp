// SPDX-License-Identifier: GPL-3.0-or-later
#include "tamsor/load_file.h"

#include <cstdio>
#include <cstring>

#include "tamsor/data_file.h"

namespace tamsor {
namespace {

class KeepEverything final : public LoadSink {
  public:
    explicit KeepEverything(LoadFile& file) : file_(file) {}
    void onLoad(const LoadLine& load) override {
        file_.loads.push_back({load.line, load.load, std::string(load.label)});
        if (!load.decimalComma.empty())
            file_.warnings.push_back(
                {load.line, std::string(load.decimalComma), std::string(load.number)});
    }

  private:
    LoadFile& file_;
};

std::string shown(std::string_view text, bool cut) {
    std::string result = "\"";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F || c == '"' || c == '\\') {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
            result += escaped;
        } else {
            result += c;
        }
    }
    return result + (cut ? "...\"" : "\"");
}

}  // namespace

LoadFile readLoadFile(const std::string& path, std::size_t maxLoads) {
    LoadFile file;
    DataFile data;
    if (!data.open(path.c_str())) {
        file.fault.kind = data.fault();
        file.fault.systemError = data.systemError();
        return file;
    }
    KeepEverything sink(file);
    LoadFileReader reader(sink, maxLoads);
    if (!data.readLoads(reader)) {
        file.fault = reader.fault();
        file.fault.kind = data.fault();
        file.fault.systemError = data.systemError();
    }
    return file;
}

std::string describeLoadFault(const LoadFault& fault) {
    switch (fault.kind) {
        case LoadFaultKind::kNone:
            return "read";
        case LoadFaultKind::kCannotOpen:
            return std::string("cannot be opened: ") + std::strerror(fault.systemError);
        case LoadFaultKind::kNotARegularFile:
            return "not a regular file";
        case LoadFaultKind::kReadError:
            return std::string("cannot be read: ") + std::strerror(fault.systemError);
        case LoadFaultKind::kNotANumber:
            return shown(fault.text(), fault.textCut) + " is not a number";
        case LoadFaultKind::kOutOfRange:
            return shown(fault.text(), fault.textCut) + " is beyond the range of a load";
        case LoadFaultKind::kTooManyLoads:
            return "more loads than the technique takes";
    }
    return {};
}

}  // namespace tamsor
