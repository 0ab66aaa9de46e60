// Fiscal months of a period and month positions of chosen calendar months.
#include <gtest/gtest.h>

#include "ConditionDialog.h"

namespace {

TEST(MonthOps, FiscalMonths)
{
    struct Case {
        const char* name;
        int firstDay, lastDay;
        short fiscalStart, fiscalEnd;
    } cases[] = {
        {"April to March", 20240401, 20250331, 4, 103},
        {"January to December", 20240101, 20241231, 1, 12},
        {"short first year October to March", 20241001, 20250331, 10, 103},
        {"21 March to 20 March, closing on the 20th", 20240321, 20250320, 4, 103},
        {"21 March to 20 April: one month, start and end alike", 20240321, 20240420, 4, 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        short start = -1;
        short end = -1;
        ConditionDialog::GetFiscalMonths(c.firstDay, c.lastDay, &start, &end);
        EXPECT_EQ(start, c.fiscalStart);
        EXPECT_EQ(end, c.fiscalEnd);
    }
}

TEST(MonthOps, FiscalMonthsWritesOnlyTheOutputsGiven)
{
    short start = -1;
    short end = 77;
    ConditionDialog::GetFiscalMonths(20240401, 20250331, &start);
    EXPECT_EQ(start, 4);
    EXPECT_EQ(end, 77);
    ConditionDialog::GetFiscalMonths(20240401, 20250331, nullptr, &end);
    EXPECT_EQ(end, 103);
}

TEST(MonthOps, MonthPositions)
{
    struct Case {
        short fiscalStart, fiscalEnd, startMonth, endMonth;
        short startPosition, endPosition;
    } cases[] = {
        {4, 103, 4, 3, 1, 12},
        {4, 103, 12, 2, 9, 11},
        {4, 103, 1, 5, 10, 2},
        {4, 103, 6, 9, 3, 6},
        {1, 12, 1, 12, 1, 12},
        {1, 12, 5, 4, 5, 4},
        {10, 103, 10, 3, 1, 6},
        {10, 103, 1, 12, 4, 3},
        {4, 4, 4, 4, 1, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.fiscalStart << "-" << c.fiscalEnd << " months " << c.startMonth << "-"
                                        << c.endMonth);
        short start = 0;
        short end = 0;
        ConditionDialog::GetMonthPositions(c.fiscalStart, c.fiscalEnd, c.startMonth, c.endMonth, &start, &end);
        EXPECT_EQ(start, c.startPosition);
        EXPECT_EQ(end, c.endPosition);
    }
}

TEST(MonthOps, MonthPositionsNeedsBothOutputs)
{
    short start = 42;
    ConditionDialog::GetMonthPositions(4, 103, 6, 9, &start, nullptr);
    EXPECT_EQ(start, 42);
}

}  // namespace
