// SPDX-License-Identifier: GPL-3.0-or-later
#include "tamsor/schedule_text.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "comma_decimal_locale.h"
#include "hand_worked_building.h"
#include "tamsor/terminal_text.h"

namespace tamsor {
namespace {

TEST(ScheduleText, AlignedTablesWithTheLabelLast) {
    std::ostringstream out;
    out.imbue(commaDecimalLocale());
    writeScheduleText(out, handWorkedSchedule());
    // clang-format off
    EXPECT_EQ(out.str(),
        "  Isolator types\n"
        "  type  isolators  smallest  largest (design load)     mean  spread  largest above mean %  spread %\n"
        "     1          2     640.0                  980.0   810.00  340.00                  21.0      34.7\n"
        "     2          3     980.0                 1250.5  1110.17  270.50                  12.6      21.6\n"
        "     3          2    1250.5                 2010.0  1630.25  759.50                  23.3      37.8\n"
        "  Worst spread 37.8 %  \xC2\xB7  capacity above need 18.5 %\n"
        "\n"
        "  Isolators in data file order\n"
        "  line    load  type  label\n"
        "     2  1250.5     2  axis B/4\n"
        "     3   980.0     1  column C, north\n"
        "     5  1250.5     3  pier \"P7\"\n"
        "     6   640.0     1  S\xC3\xA4ule \xC3\x84/3\n"
        "     7  1100.0     2\n"
        "     9   980.0     2  corner A/1\n"
        "    10  2010.0     3  core wall, \"east\"\n");
    // clang-format on
}

TEST(ScheduleText, ControlCharactersOfLabelsAreShownAsEscapes) {
    const std::vector<IsolatorLoad> loads = {
        {1, 10.0f, "\x1b[31mred\x1b[0m"},
        {2, 20.0f, "over\rwrite"},
        {3, 30.0f, "tab\there, line\nbreak"},
        {4, 40.0f,
         "C1 \xC2\x9B"
         "2J \xC2\x85"},
        {5, 50.0f, std::string("DEL \x7F NUL \0 BEL \x07", 17)},
        {6, 60.0f, "Latin-1 S\xE4ule, cut \xE2\x82"},
        {7, 70.0f, "caf\xC3\xA9 \xC3\xB8 \xE4\xB8\xAD\xE6\x96\x87 \xC2\xA0 C:\\x1b"},
    };
    std::ostringstream out;
    writeScheduleText(out, makeIsolatorSchedule(loads, std::vector{1, 8}));
    const std::string text = out.str();
    const std::string isolators = text.substr(text.find("  Isolators in data file order\n"));
    EXPECT_EQ(
        isolators,
        "  Isolators in data file order\n"
        "  line  load  type  label\n"
        "     1  10.0     1  \\x1b[31mred\\x1b[0m\n"
        "     2  20.0     1  over\\rwrite\n"
        "     3  30.0     1  tab\\there, line\\nbreak\n"
        "     4  40.0     1  C1 \\xc2\\x9b2J \\xc2\\x85\n"
        "     5  50.0     1  DEL \\x7f NUL \\x00 BEL \\x07\n"
        "     6  60.0     1  Latin-1 S\\xe4ule, cut \\xe2\\x82\n"
        "     7  70.0     1  caf\xC3\xA9 \xC3\xB8 \xE4\xB8\xAD\xE6\x96\x87 \xC2\xA0 C:\\x1b\n");
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        EXPECT_TRUE((byte >= 0x20 && byte != 0x7F) || byte == '\n') << "byte " << i;
        EXPECT_FALSE(byte == 0xC2 && static_cast<unsigned char>(text[i + 1]) < 0xA0)
            << "byte " << i;
    }

    // A data file's name, as the command-line tool prints it above the tables.
    EXPECT_EQ(terminalText("tower\x1b]0;title\x07.DAT\r"), "tower\\x1b]0;title\\x07.DAT\\r");
    EXPECT_EQ(terminalText("b\xC3\xBCro/\xE5\xA1\x94.DAT"), "b\xC3\xBCro/\xE5\xA1\x94.DAT");
}

}  // namespace
}  // namespace tamsor
