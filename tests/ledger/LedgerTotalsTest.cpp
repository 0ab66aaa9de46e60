// Account totals collected end to end from SQLite books through the engine.
#include <LedgerTotals.h>

#include <cstring>
#include <initializer_list>
#include <string>

#include <ProgressDialog.h>

#include <gtest/gtest.h>

#include "LedgerBooks.h"

namespace {

constexpr int64_t U = 10000;   // one currency unit
constexpr uint32_t BALANCE_SHEET = 0x80000001u;
constexpr uint32_t INCOME = 0x40000001u;

// Entries as the run builds them: months P..Q, then each settlement period joined with "or".
struct Conditions {
    StFINDINFO entries[4];

    Conditions(int16_t first, int16_t last, std::initializer_list<int16_t> periods = {})
    {
        std::memset(entries, 0, sizeof entries);
        Set(0, 4, first, 1);
        Set(1, 6, last, 0);
        int index = 2;
        for (int16_t period : periods) {
            entries[index - 1].link = 2;
            Set(index++, 1, period, 0);
        }
    }

    void Set(int index, int16_t compare, int16_t value, int16_t link)
    {
        entries[index].fieldCode = 17;
        entries[index].compare = compare;
        entries[index].valueKind = 2;
        entries[index].value = value;
        entries[index].link = link;
    }
};

class LedgerTotalsTest : public testing::Test {
protected:
    void SetUp() override
    {
        books.Clear();
        std::memset(&data, 0, sizeof data);
        std::strcpy(data.dataId, LEDGER_DATA_ID);
        ledger.progress = &progress;
        ledger.totals = &list;
    }

    void TearDown() override
    {
        for (AccountTotal* total : list)
            delete total;
    }

    int Collect(const Conditions& conditions, bool second = false)
    {
        return ledger.CollectAccountTotals(second, conditions.entries, &data);
    }

    // One account with the given per-slot debits and credits (in units) of the first set.
    void AddAccount(int64_t key, uint32_t classCode, int debitNormal, std::initializer_list<std::pair<int, int64_t>> debits,
                    std::initializer_list<std::pair<int, int64_t>> credits = {})
    {
        books.AddAccount({key, "A" + std::to_string(key), "", 0, debitNormal, classCode});
        for (auto [period, amount] : debits)
            books.AddPosting(key, period, amount * U, 0);
        for (auto [period, amount] : credits)
            books.AddPosting(key, period, 0, amount * U);
    }

    const AccountTotal& Only()
    {
        EXPECT_EQ(list.size(), 1u);
        static AccountTotal empty{};
        return list.empty() ? empty : *list.front();
    }

    LedgerBooks& books = LedgerBooks::Shared();
    ProgressDialog progress;
    AccountTotalList list;
    StDATAINFO data;
    LedgerTotals ledger;
};

// The record is packed: its fields are compared by value, never bound to a reference.
void ExpectBalances(const AccountTotal& total, int64_t opening, int64_t change, int64_t closing)
{
    EXPECT_EQ(ScaledAmount{total.opening}, opening * U);
    EXPECT_EQ(ScaledAmount{total.change}, change * U);
    EXPECT_EQ(ScaledAmount{total.closing}, closing * U);
}

TEST_F(LedgerTotalsTest, WorkedExampleOfAnAsset)
{
    AddAccount(1110000, BALANCE_SHEET, 1, {{0, 100}, {1, 20}}, {{1, 5}});
    struct Case {
        int16_t first, last;
        int64_t opening, change, closing;
    };
    const Case cases[] = {
        {2, 2, 115, 0, 115},
        {1, 2, 100, 15, 115},
        {1, 1, 100, 15, 115},
        {4, 12, 115, 0, 115},
        {3, 2, 115, 0, 115},   // an empty range sums no months
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "P=" << c.first << " Q=" << c.last);
        for (AccountTotal* total : list)
            delete total;
        list.clear();
        ASSERT_EQ(Collect(Conditions(c.first, c.last)), 1);
        const AccountTotal& total = Only();
        ExpectBalances(total, c.opening, c.change, c.closing);
        EXPECT_EQ(int32_t{total.accountKey}, 1110000);
        EXPECT_EQ(uint32_t{total.classCode}, BALANCE_SHEET);
        EXPECT_STREQ(total.formalName, "A1110000");
    }
}

TEST_F(LedgerTotalsTest, IncomeOpeningFollowsTheIntroMonth)
{
    // Slot 0 holds 7; months 2, 5 and 6 hold 3, 11 and 13.
    AddAccount(5110000, INCOME, 1, {{0, 7}, {2, 3}, {5, 11}, {6, 13}});
    AddAccount(4110000, INCOME, 0, {{6, 4}}, {{0, 2}, {6, 30}});   // credit-normal sales
    struct Case {
        int16_t introMonth, first, last;
        int64_t costOpening, costClosing, salesOpening, salesClosing;
    };
    const Case cases[] = {
        {0, 1, 2, 7, 10, 2, 2},
        {0, 2, 2, 0, 3, 0, 0},
        {0, 6, 6, 0, 13, 0, 26},
        {5, 5, 5, 7, 18, 2, 2},
        {5, 6, 6, 0, 13, 0, 26},
        {5, 1, 6, 7, 34, 2, 28},
        {99, 6, 6, 7, 20, 2, 28},
        {99, 12, 12, 7, 7, 2, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "introMonth=" << c.introMonth << " P=" << c.first << " Q=" << c.last);
        for (AccountTotal* total : list)
            delete total;
        list.clear();
        data.introMonth = c.introMonth;
        ASSERT_EQ(Collect(Conditions(c.first, c.last)), 1);
        ASSERT_EQ(list.size(), 2u);
        const AccountTotal& cost = *list.front();
        const AccountTotal& sales = *list.back();
        ExpectBalances(cost, c.costOpening, c.costClosing - c.costOpening, c.costClosing);
        ExpectBalances(sales, c.salesOpening, c.salesClosing - c.salesOpening, c.salesClosing);
    }
}

TEST_F(LedgerTotalsTest, BalanceSheetOpeningNetsTheMonthsBeforeTheRange)
{
    AddAccount(2110000, BALANCE_SHEET, 0, {{2, 10}}, {{0, 50}, {1, 7}, {3, 1}, {4, 100}});   // a liability
    ASSERT_EQ(Collect(Conditions(4, 4)), 1);
    ExpectBalances(Only(), 48, 100, 148);
}

TEST_F(LedgerTotalsTest, SettlementPeriodsJoinTheRange)
{
    // Opening 1000, months 1..6 add 60, interim adds 5, year-end adds 300 (all debits).
    books.AddAccount({1120000, "Cash", "", 0, 1, BALANCE_SHEET});
    books.AddPosting(1120000, 0, 1000 * U, 0);
    books.AddPosting(1120000, 3, 60 * U, 0);
    books.AddPosting(1120000, 15, 5 * U, 0);
    books.AddPosting(1120000, 18, 300 * U, 0);
    struct Case {
        const char* name;
        int32_t interimClosing;
        Conditions conditions;
        int64_t closing;
    };
    const Case cases[] = {
        {"months only", 0, Conditions(1, 6), 1060},
        {"year-end after the last month", 0, Conditions(1, 6, {18}), 1360},
        {"interim", 1, Conditions(1, 6, {15}), 1065},
        {"year-end behind the interim entry", 1, Conditions(1, 6, {15, 18}), 1365},
        {"interim needs the flag", 0, Conditions(1, 6, {15}), 1060},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        for (AccountTotal* total : list)
            delete total;
        list.clear();
        data.interimClosing = c.interimClosing;
        ASSERT_EQ(Collect(c.conditions), 1);
        ExpectBalances(Only(), 1000, c.closing - 1000, c.closing);
    }
}

TEST_F(LedgerTotalsTest, SecondAmountSetAlone)
{
    books.AddAccount({1130000, "Deposits", "", 0, 1, BALANCE_SHEET});
    books.AddPosting(1130000, 0, 1 * U, 2 * U, 100 * U, 30 * U);
    books.AddPosting(1130000, 1, 4 * U, 8 * U, 50 * U, 5 * U);
    ASSERT_EQ(Collect(Conditions(1, 1), true), 1);
    ExpectBalances(Only(), 70, 45, 115);
    for (AccountTotal* total : list)
        delete total;
    list.clear();
    ASSERT_EQ(Collect(Conditions(1, 1), false), 1);
    ExpectBalances(Only(), -1, -4, -5);
}

TEST_F(LedgerTotalsTest, KindOneIsSkippedOthersKept)
{
    const int kinds[] = {0, 1, 2, 3, 1, 200};
    for (int i = 0; i < 6; ++i)
        books.AddAccount({1000000 + i, "K", "", kinds[i], 1, BALANCE_SHEET});
    ASSERT_EQ(Collect(Conditions(1, 12)), 1);
    ASSERT_EQ(list.size(), 4u);
    const int64_t keys[] = {1000000, 1000002, 1000003, 1000005};
    const int16_t storedKinds[] = {0, 2, 3, -56};   // the kind byte, sign-extended
    int index = 0;
    for (const AccountTotal* total : list) {
        SCOPED_TRACE(index);
        EXPECT_EQ(int32_t{total->accountKey}, keys[index]);
        EXPECT_EQ(int16_t{total->kind}, storedKinds[index]);
        ++index;
    }
}

TEST_F(LedgerTotalsTest, NamesAreCutAtThirtyBytesBetweenCharacters)
{
    const std::string kanji = "\x8C\xBB";   // one double-byte character
    struct Case {
        const char* name;
        std::string source;
        std::string kept;
    };
    const Case cases[] = {
        {"31 bytes", std::string(31, 'a'), std::string(30, 'a')},
        {"30 bytes", std::string(30, 'b'), std::string(30, 'b')},
        {"short", "Cash", "Cash"},
        {"double-byte ends at byte 30", std::string(28, 'c') + kanji + "d", std::string(28, 'c') + kanji},
        {"double-byte starts at byte 30", std::string(29, 'e') + kanji, std::string(29, 'e')},
        {"all double-byte", [&] { std::string s; for (int i = 0; i < 16; ++i) s += kanji; return s; }(),
         [&] { std::string s; for (int i = 0; i < 15; ++i) s += kanji; return s; }()},
        {"trail byte like a backslash", std::string(27, 'f') + "\x95\x5C" + "\x95\x5C", std::string(27, 'f') + "\x95\x5C"},
    };
    int64_t key = 1;
    for (const Case& c : cases)
        books.AddAccount({key++, c.source, c.source, 0, 1, BALANCE_SHEET});
    ASSERT_EQ(Collect(Conditions(1, 12)), 1);
    ASSERT_EQ(list.size(), std::size(cases));
    auto total = list.begin();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        for (const char* field : {(*total)->formalName, (*total)->altName}) {
            EXPECT_EQ(std::string(field), c.kept);
            for (size_t i = c.kept.size(); i < 31; ++i)
                EXPECT_EQ(field[i], '\0') << "byte " << i;
        }
        ++total;
    }
}

TEST_F(LedgerTotalsTest, EmptyChartGivesAnEmptyList)
{
    EXPECT_EQ(Collect(Conditions(1, 12)), 1);
    EXPECT_TRUE(list.empty());
}

// A shown window counts the steps: 101 + 201 + 101 + 101 for a whole collection, since the stages
// share their end values; records only sweep the activity bar.
TEST_F(LedgerTotalsTest, MainBarStagesInAShownWindow)
{
    struct Case {
        const char* fault;
        int accounts;
        int position;
        const char* caption;
    };
    const Case cases[] = {
        {"", 0, 504, "集計中 50％"},
        {"", 3, 504, "集計中 50％"},
        {"GetSumCount", 3, 302, "集計中 30％"},
        {"SetMovePos", 3, 403, "集計中 40％"},
        {"MoveNext", 3, 403, "集計中 40％"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.accounts << " accounts, fault " << c.fault);
        books.Clear();
        for (int i = 0; i < c.accounts; ++i)
            books.AddAccount({600 + i, "P", "", 0, 1, BALANCE_SHEET});
        if (*c.fault != '\0')
            books.SetFault(c.fault, 4);
        ProgressDialog shown;
        ASSERT_TRUE(shown.Create(ProgressDialog::IDD));
        shown.ShowWindow(SW_SHOW);
        shown.ResetProgress();
        AccountTotalList collected;
        {
            LedgerTotals totals;
            totals.progress = &shown;
            totals.totals = &collected;
            EXPECT_EQ(totals.CollectAccountTotals(false, Conditions(1, 12).entries, &data), *c.fault == '\0' ? 1 : 0);
        }
        EXPECT_EQ(shown.mainBar.GetPos(), c.position);
        CString caption;
        shown.GetWindowText(caption);
        EXPECT_STREQ(caption, c.caption);
        EXPECT_EQ(collected.size(), *c.fault == '\0' ? static_cast<size_t>(c.accounts) : 0u);
        for (AccountTotal* total : collected)
            delete total;
        shown.Close();
    }
}

TEST_F(LedgerTotalsTest, EndOfRecordsBeforeTheAnnouncedCount)
{
    for (int i = 0; i < 3; ++i)
        books.AddAccount({100 + i, "R", "", 0, 1, BALANCE_SHEET});
    books.SetSumCount(10);
    EXPECT_EQ(Collect(Conditions(1, 12)), 1);
    EXPECT_EQ(list.size(), 3u);
}

TEST_F(LedgerTotalsTest, EngineFaultsFailTheCollection)
{
    struct Case {
        const char* call;
        int after;
        size_t kept;
    };
    const Case cases[] = {
        {"GetSumCount", 0, 0},
        {"SetMovePos", 0, 0},
        {"MoveNext", 0, 0},
        {"MoveNext", 2, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.call << " after " << c.after);
        books.Clear();
        for (AccountTotal* total : list)
            delete total;
        list.clear();
        for (int i = 0; i < 4; ++i)
            books.AddAccount({200 + i, "F", "", 0, 1, BALANCE_SHEET});
        books.SetFault(c.call, 17, c.after);
        LedgerTotals fresh;
        fresh.progress = &progress;
        fresh.totals = &list;
        EXPECT_EQ(fresh.CollectAccountTotals(false, Conditions(1, 12).entries, &data), 0);
        EXPECT_EQ(list.size(), c.kept);
    }
}

TEST_F(LedgerTotalsTest, ARetryReusesTheKeptHandle)
{
    books.AddAccount({300, "Again", "", 0, 1, BALANCE_SHEET});
    books.SetFault("GetSumCount", 9);   // fires once
    EXPECT_EQ(Collect(Conditions(1, 12)), 0);
    EXPECT_TRUE(list.empty());
    EXPECT_EQ(Collect(Conditions(1, 12)), 1);
    EXPECT_EQ(list.size(), 1u);
}

TEST_F(LedgerTotalsTest, ClosingBeyondTheBoundFails)
{
    books.AddAccount({400, "Fine", "", 0, 1, BALANCE_SHEET});
    books.AddPosting(400, 1, 5 * U, 0);
    books.AddAccount({401, "Huge", "", 0, 1, BALANCE_SHEET});
    books.AddPosting(401, 0, 600000000000000000LL, 0);
    books.AddPosting(401, 1, 400000000000000000LL, 0);
    {
        // Its own object: the failed collection keeps the engine's cursor until it goes.
        LedgerTotals failing;
        failing.progress = &progress;
        failing.totals = &list;
        EXPECT_EQ(failing.CollectAccountTotals(false, Conditions(1, 12).entries, &data), 0);
    }
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(int32_t{list.front()->accountKey}, 400);

    // Just below the bound the same account is collected.
    books.Exec("UPDATE postings SET debit1 = 399999999999999999 WHERE account_key = 401 AND period = 1");
    for (AccountTotal* total : list)
        delete total;
    list.clear();
    EXPECT_EQ(Collect(Conditions(1, 12)), 1);
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(ScaledAmount{list.back()->closing}, 999999999999999999LL);
}

TEST_F(LedgerTotalsTest, MonthPositionsOutsideTheYearAreRefused)
{
    books.AddAccount({500, "Any", "", 0, 1, BALANCE_SHEET});
    const std::pair<int16_t, int16_t> ranges[] = {{0, 12}, {1, 13}, {-1, 5}, {15, 18}, {1, 0}};
    for (auto [first, last] : ranges) {
        SCOPED_TRACE(testing::Message() << first << ".." << last);
        EXPECT_EQ(Collect(Conditions(first, last)), 0);
        EXPECT_TRUE(list.empty());
    }
}

TEST_F(LedgerTotalsTest, MissingArgumentsAreRefused)
{
    const Conditions conditions(1, 12);
    EXPECT_EQ(ledger.CollectAccountTotals(false, nullptr, &data), 0);
    EXPECT_EQ(ledger.CollectAccountTotals(false, conditions.entries, nullptr), 0);
    ledger.totals = nullptr;
    EXPECT_EQ(ledger.CollectAccountTotals(false, conditions.entries, &data), 0);
}

TEST_F(LedgerTotalsTest, EveryRecordOfALargeChartIsRead)
{
    constexpr int count = 32770;
    books.Begin();
    for (int i = 0; i < count; ++i)
        books.AddAccount({10000LL * (i + 1), "", "", 0, 1, BALANCE_SHEET});
    books.AddPosting(10000LL * count, 1, 7 * U, 0);
    books.Commit();
    ASSERT_EQ(Collect(Conditions(1, 12)), 1);
    ASSERT_EQ(list.size(), static_cast<size_t>(count));
    EXPECT_EQ(int32_t{list.back()->accountKey}, 10000 * count);
    EXPECT_EQ(ScaledAmount{list.back()->closing}, 7 * U);
}

}
