#include "kv/KvConsole.h"

#include <gtest/gtest.h>

TEST(Console, PrintfFormatsWideTextAndNumbersAndRecordsIt)
{
    KvConsole& console = KvConsole::instance();
    console.setEcho(false);
    console.clearRecorded();
    kvutPrintf(u"%s", u"\nCSV export done to : /tmp/100% \u00E9t\u00E9.csv");
    kvutPrintf(u"\n%d rows, %i cols, %ld, %u, %x, %g, %.2f, 50%%, %5s|%-3s|", 3, -4, 123456789012L, 7u, 255u, 0.1,
               2.345, u"ab", u"c");
    EXPECT_EQ(console.recorded(),
              u"\nCSV export done to : /tmp/100% \u00E9t\u00E9.csv\n3 rows, -4 cols, 123456789012, 7, ff, 0.1, 2.35, "
              u"50%,    ab|c  |");
}
