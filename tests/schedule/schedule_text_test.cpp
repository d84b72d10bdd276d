#include "tamsor/schedule_text.h"

#include <gtest/gtest.h>

#include <sstream>

#include "comma_decimal_locale.h"
#include "hand_worked_building.h"

namespace tamsor {
namespace {

TEST(ScheduleText, AlignedTablesWithTheLabelLast) {
    std::ostringstream out;
    out.imbue(commaDecimalLocale());
    writeScheduleText(out, handWorkedSchedule());
    // clang-format off
    EXPECT_EQ(out.str(),
        "  Isolator types\n"
        "  type  isolators  smallest  largest (design load)     mean  spread  largest above mean %\n"
        "     1          2       640                    980   810.00  340.00                  21.0\n"
        "     2          3       980                 1250.5  1110.17  270.50                  12.6\n"
        "     3          2    1250.5                   2010  1630.25  759.50                  23.3\n"
        "\n"
        "  Isolators in data file order\n"
        "  line    load  type  label\n"
        "     2  1250.5     2  axis B/4\n"
        "     3     980     1  column C, north\n"
        "     5  1250.5     3  pier \"P7\"\n"
        "     6     640     1  S\xC3\xA4ule \xC3\x84/3\n"
        "     7    1100     2\n"
        "     9     980     2  corner A/1\n"
        "    10    2010     3  core wall, \"east\"\n");
    // clang-format on
}

}  // namespace
}  // namespace tamsor
