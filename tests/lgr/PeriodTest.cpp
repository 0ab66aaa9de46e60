// Period arithmetic: the closing day of a period and the month its first day belongs to.
#include <LgrBCore.h>
#include <gtest/gtest.h>

namespace {

// The calls the conditions dialog makes, in its order: the month of the period's first day.
short StartMonth(long first, long last) {
    ClLgrPeriod period;
    int closingDay = 0;
    period.SetPeriod(first, last);
    period.GetClosingDayByEndDate(last, 0, &closingDay);
    period.SetClosingDay(closingDay);
    short month = static_cast<short>(first / 100 % 100);
    EXPECT_EQ(period.GetAMonthByDate(first, &month, 0), 0);
    return month;
}

TEST(Period, TheFirstDayBelongsToTheMonthItClosesIn) {
    struct Case {
        long first, last;
        short month;
    } cases[] = {
        {20250401, 20260331, 4},    // April to March
        {20250101, 20251231, 1},    // January to December
        {20251001, 20260331, 10},   // a short first year, October to March
        {20250321, 20260320, 4},    // closing on the 20th: 21 March opens April
        {20251221, 20261220, 1},    // closing on the 20th across the year's end
        {20250316, 20260315, 4},
        {20250320, 20260320, 3},    // the closing day itself stays in its month
        {20240301, 20250228, 3},    // February's end closes at the month's end
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.first) + "-" + std::to_string(c.last));
        EXPECT_EQ(StartMonth(c.first, c.last), c.month);
    }
}

TEST(Period, ClosingDayOfTheLastDate) {
    struct Case {
        long last;
        int day;
    } cases[] = {{20260320, 20}, {20260331, 31}, {20260228, 31}, {20240228, 28}, {20240229, 31}, {20250930, 31},
                 {20250929, 29}, {20250101, 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.last);
        ClLgrPeriod period;
        int day = -1;
        EXPECT_EQ(period.GetClosingDayByEndDate(c.last, 0, &day), 0);
        EXPECT_EQ(day, c.day);
    }
}

TEST(Period, ImpossibleDatesAndDaysAreRefusedAndChangeNothing) {
    ClLgrPeriod period;
    int day = -1;
    short month = -1;
    for (long date : {20250229L, 20251301L, 20250100L, 20250432L, 0L, -20250101L}) {
        SCOPED_TRACE(date);
        EXPECT_NE(period.GetClosingDayByEndDate(date, 0, &day), 0);
        EXPECT_NE(period.GetAMonthByDate(date, &month, 0), 0);
        EXPECT_NE(period.SetPeriod(date, 20251231), 0);
    }
    EXPECT_EQ(day, -1);
    EXPECT_EQ(month, -1);
    EXPECT_NE(period.SetPeriod(20251231, 20250101), 0);
    EXPECT_NE(period.SetClosingDay(32), 0);
    EXPECT_NE(period.SetClosingDay(-1), 0);
    EXPECT_NE(period.GetClosingDayByEndDate(20250101, 0, nullptr), 0);
}

TEST(Period, MonthsUnderAClosingDay) {
    struct Case {
        int closingDay;
        long date;
        short month;
    } cases[] = {{20, 20250320, 3}, {20, 20250321, 4}, {20, 20251221, 1}, {25, 20250228, 3}, {0, 20250331, 3},
                 {31, 20250331, 3}, {30, 20250131, 2}, {15, 20250115, 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.closingDay) + " " + std::to_string(c.date));
        ClLgrPeriod period;
        ASSERT_EQ(period.SetClosingDay(c.closingDay), 0);
        short month = 0;
        ASSERT_EQ(period.GetAMonthByDate(c.date, &month, 0), 0);
        EXPECT_EQ(month, c.month);
    }
}

}  // namespace
