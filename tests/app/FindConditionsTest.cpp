// The four engine conditions on the posting month built from the months the user chose.
#include <cstring>
#include <vector>

#include <gtest/gtest.h>

#include <ExportApp.h>

namespace {

struct Entry {
    int16_t compare;
    int16_t value;
    int16_t link;
};

StFINDINFO Expected(const Entry& entry)
{
    StFINDINFO info;
    std::memset(&info, 0, sizeof info);
    info.fieldCode = 17;
    info.compare = entry.compare;
    info.valueKind = 2;
    info.value = entry.value;
    info.link = entry.link;
    return info;
}

StDATAINFO DataSet(int32_t startDate, int32_t endDate, int32_t interimClosing)
{
    StDATAINFO data;
    std::memset(&data, 0, sizeof data);
    data.startDate = startDate;
    data.endDate = endDate;
    data.interimClosing = interimClosing;
    return data;
}

struct ConditionCase {
    const char* name;
    int32_t startDate;
    int32_t endDate;
    int32_t interimClosing;
    int startMonth;
    int endMonth;
    std::vector<Entry> entries;
};

TEST(FindConditions, EntriesForTheChosenMonths)
{
    const ConditionCase cases[] = {
        {"April to March, whole year", 20230401, 20240331, 0, 4, 3, {{4, 1, 1}, {6, 12, 2}, {1, 18, 0}}},
        {"April to March, months 4 to 9 with interim closing", 20230401, 20240331, 1, 4, 9,
         {{4, 1, 1}, {6, 6, 2}, {1, 15, 0}}},
        {"April to March, months 4 to 9 without interim closing", 20230401, 20240331, 0, 4, 9, {{4, 1, 1}, {6, 6, 0}}},
        {"April to March, months 10 to 2", 20230401, 20240331, 1, 10, 2, {{4, 7, 1}, {6, 11, 0}}},
        {"January to December, whole year", 20230101, 20231231, 0, 1, 12, {{4, 1, 1}, {6, 12, 2}, {1, 18, 0}}},
        {"a year whose last month is its sixth, with interim closing", 20240101, 20240630, 1, 1, 6,
         {{4, 1, 1}, {6, 6, 2}, {1, 15, 2}, {1, 18, 0}}},
        {"interim closing counts only when the flag is exactly 1", 20240101, 20240630, 2, 1, 6,
         {{4, 1, 1}, {6, 6, 2}, {1, 18, 0}}},
        {"October to March short year ending in March", 20231001, 20240331, 0, 10, 3, {{4, 1, 1}, {6, 6, 2}, {1, 18, 0}}},
    };
    for (const ConditionCase& c : cases) {
        SCOPED_TRACE(c.name);
        ExportApp app;
        const StDATAINFO data = DataSet(c.startDate, c.endDate, c.interimClosing);
        StFINDINFO entries[4];
        std::memset(entries, 0, sizeof entries);
        app.BuildFindConditions(entries, &data, c.startMonth, c.endMonth);
        for (size_t i = 0; i < 4; ++i) {
            SCOPED_TRACE("entry " + std::to_string(i + 1));
            StFINDINFO expected;
            std::memset(&expected, 0, sizeof expected);
            if (i < c.entries.size())
                expected = Expected(c.entries[i]);
            EXPECT_EQ(entries[i].compare, expected.compare);
            EXPECT_EQ(entries[i].value, expected.value);
            EXPECT_EQ(entries[i].link, expected.link);
            EXPECT_EQ(std::memcmp(&entries[i], &expected, sizeof expected), 0) << "every other byte is zero";
        }
    }
}

TEST(FindConditions, NullPointersBuildNothing)
{
    ExportApp app;
    const StDATAINFO data = DataSet(20230401, 20240331, 0);
    StFINDINFO entries[4];
    std::memset(entries, 0x5A, sizeof entries);
    app.BuildFindConditions(entries, nullptr, 4, 3);
    for (const StFINDINFO& entry : entries) {
        const int32_t fieldCode = entry.fieldCode;   // a packed field is read by value
        EXPECT_EQ(fieldCode, 0x5A5A5A5A);
    }
    app.BuildFindConditions(nullptr, &data, 4, 3);
}

}  // namespace
