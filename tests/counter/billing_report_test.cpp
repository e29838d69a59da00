#include "counter/billing_report.h"
#include "counter/call_log.h"
#include "counter_fixture.h"
#include "ports/ui_interfaces.h"
#include "support/fakes.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

namespace murmex {
namespace {

using test::CCounterTest;
using test::CFakeShell;

class BillingReportTest : public CCounterTest {
protected:
    // A desktop that cannot open the report: nothing may be reported.
    BillingReportTest() { shell.opens = false; }
    void AddCall(std::int64_t start, std::int64_t duration, int impulses, double price) {
        CallRecord r;
        r.start = start;
        r.duration = duration;
        r.impulses = impulses;
        r.pricePerImpulse = price;
        log.Insert(r);
    }
    CallLog log;
    CFakeShell shell;
};

TEST_F(BillingReportTest, ReportIsWrittenByteForByteAndOpened) {
    dir.WriteFile("billing.txt", "an old report that must go\r\n");
    // Sat 2000-01-01 01:00:00 and Sun 2000-01-02 03:00:05 in Warsaw.
    AddCall(946684800, 600, 4, 0.33);
    AddCall(946684800 + 26 * 3600 + 5, 25 * 3600 + 61, 123456, 0.5);
    AddCall(946684800 - 10, 1, 1, 1.0); // before the period
    log.Select(946684799, 946684800 + 100000);

    ASSERT_TRUE(ProduceBillingReport(log, shell));
    const std::string expected =
        "Murmex -- Wykaz polaczen z dni od 01/01/00 do 01/02/00\r\n"
        "\r\n"
        "-----------------------------------------------------------\r\n"
        "Data i godzina       Czas trwania   Ilosc impulsow   Oplata\r\n"
        "Sat Jan  1 01:00:00 2000    00:10:00                4   1.32 z\xB3\r\n"
        "Sun Jan  2 03:00:05 2000    01:01:01           123456   61728.00 z\xB3\r\n"
        "\r\n"
        "\r\n"
        "Calkowity czas polaczen: 01:11:01\r\n"
        "Sumaryczny koszt: 61729.32 z\xB3\r\n";
    EXPECT_EQ(dir.ReadFile("billing.txt"), expected);
    EXPECT_EQ(shell.Opened(), std::vector<std::string>{dir.File("billing.txt")});
}

TEST_F(BillingReportTest, EmptyPeriodHasHeadAndZeroTotalsOnly) {
    AddCall(946684800, 600, 4, 0.33);
    log.Select(946684800, 946684800 + 3600); // the call starts exactly at S
    const std::vector<std::string> lines = BillingReportLines(log);
    ASSERT_EQ(lines.size(), 8u);
    EXPECT_EQ(lines[0], "Murmex -- Wykaz polaczen z dni od 01/01/00 do 01/01/00");
    EXPECT_EQ(lines[4], "");
    EXPECT_EQ(lines[6], "Calkowity czas polaczen: 00:00:00");
    EXPECT_EQ(lines[7], "Sumaryczny koszt: 0.00 z\xB3");
}

TEST_F(BillingReportTest, UnwritableReportIsStillOfferedToTheDesktop) {
    // A directory that is not empty where the file should be: it can be neither
    // removed nor replaced.
    ASSERT_EQ(::mkdir(dir.File("billing.txt").c_str(), 0700), 0);
    dir.WriteFile("billing.txt/keep", "x");
    log.Select(0, 1);
    EXPECT_FALSE(ProduceBillingReport(log, shell));
    EXPECT_EQ(shell.Opened().size(), 1u);
}

} // namespace
} // namespace murmex
