// The statement of changes in net assets: which components appear and what each carries.
#include <StatementXmlBuilder.h>

#include <gtest/gtest.h>

#include "XmlTestHost.h"

using namespace xmltest;

namespace {

constexpr int64_t U = 10000;
const std::string START = "\t\t<StatementChangesNetAssets>\r\n\t\t\t<Select>1</Select>\r\n";
const std::string END = "\t\t</StatementChangesNetAssets>\r\n";

std::string Item(const std::string& body)
{
    return "\t\t\t<ChangesNetAssetsItem>\r\n" + body + "\t\t\t</ChangesNetAssetsItem>\r\n";
}

struct Case {
    const char* name;
    std::function<void(Accounts&)> fill;
    int result;
    std::string expected;
};

TEST(EquityStatement, Components)
{
    const Case cases[] = {
        {"no net-asset accounts", [](Accounts&) {}, 1, START + END},
        {"only an opening for the capital",
         [](Accounts& a) { a.Add(0x80288040, "資本金", 0, 0, "", 300 * U).list.back()->change = 0; }, 1,
         START + Item("\t\t\t\t<AccountList>資本金</AccountList>\r\n"
                      "\t\t\t\t<BalanceEndPreviousPeriod>300</BalanceEndPreviousPeriod>\r\n") + END},
        {"three capital codes summed",
         [](Accounts& a) {
             a.AddMovement(0x80288000, "資本金", 100 * U, 150 * U)
                 .AddMovement(0x80288020, "資本金2", 10 * U, 10 * U)
                 .AddMovement(0x80288040, "資本金3", 0, 5 * U)
                 .AddMovement(0x80288040, "集計", 1000 * U, 1000 * U, 2);
         },
         1,
         START + Item("\t\t\t\t<AccountList>資本金</AccountList>\r\n"
                      "\t\t\t\t<BalanceEndPreviousPeriod>110</BalanceEndPreviousPeriod>\r\n"
                      "\t\t\t\t<ChangesItemsDuringPeriod>\r\n"
                      "\t\t\t\t\t<TotalChangesItemsDuringPeriod>55</TotalChangesItemsDuringPeriod>\r\n"
                      "\t\t\t\t</ChangesItemsDuringPeriod>\r\n"
                      "\t\t\t\t<BalanceEndCurrentPeriod>165</BalanceEndCurrentPeriod>\r\n") + END},
        {"retained earnings unchanged while the range has a net income",
         [](Accounts& a) {
             a.AddMovement(0x80281048, "繰越利益剰余金", 40 * U, 40 * U).Add(0x40200040, "当期純利益", 25 * U, 2);
         },
         1,
         START + Item("\t\t\t\t<AccountList>繰越利益剰余金</AccountList>\r\n"
                      "\t\t\t\t<BalanceEndPreviousPeriod>40</BalanceEndPreviousPeriod>\r\n"
                      "\t\t\t\t<ChangesItemsDuringPeriod>\r\n"
                      "\t\t\t\t\t<TotalChangesItemsDuringPeriod>0</TotalChangesItemsDuringPeriod>\r\n"
                      "\t\t\t\t\t<ChangesItem>\r\n"
                      "\t\t\t\t\t\t<Reason>当期純利益</Reason>\r\n"
                      "\t\t\t\t\t\t<Amount>25</Amount>\r\n"
                      "\t\t\t\t\t</ChangesItem>\r\n"
                      "\t\t\t\t</ChangesItemsDuringPeriod>\r\n"
                      "\t\t\t\t<BalanceEndCurrentPeriod>40</BalanceEndCurrentPeriod>\r\n") + END},
        {"a net loss",
         [](Accounts& a) {
             a.AddMovement(0x80281048, "繰越利益剰余金", 40 * U, 28 * U).AddMovement(0x40200040, "当期純損失", 0, -(12 * U) - 5, 2);
         },
         1,
         START + Item("\t\t\t\t<AccountList>繰越利益剰余金</AccountList>\r\n"
                      "\t\t\t\t<BalanceEndPreviousPeriod>40</BalanceEndPreviousPeriod>\r\n"
                      "\t\t\t\t<ChangesItemsDuringPeriod>\r\n"
                      "\t\t\t\t\t<TotalChangesItemsDuringPeriod>-12</TotalChangesItemsDuringPeriod>\r\n"
                      "\t\t\t\t\t<ChangesItem>\r\n"
                      "\t\t\t\t\t\t<Reason>当期純利益</Reason>\r\n"
                      "\t\t\t\t\t\t<Amount>-12</Amount>\r\n"
                      "\t\t\t\t\t</ChangesItem>\r\n"
                      "\t\t\t\t</ChangesItemsDuringPeriod>\r\n"
                      "\t\t\t\t<BalanceEndCurrentPeriod>28</BalanceEndCurrentPeriod>\r\n") + END},
        {"the two reserve accounts",
         [](Accounts& a) {
             a.AddMovement(0x80281040, "配当平均積立金", 0, 7 * U).AddMovement(0x80281040, "【別途積立金】", 0, 3 * U);
         },
         1,
         START
             + Item("\t\t\t\t<AccountList>別途積立金</AccountList>\r\n"
                    "\t\t\t\t<ChangesItemsDuringPeriod>\r\n"
                    "\t\t\t\t\t<TotalChangesItemsDuringPeriod>3</TotalChangesItemsDuringPeriod>\r\n"
                    "\t\t\t\t</ChangesItemsDuringPeriod>\r\n"
                    "\t\t\t\t<BalanceEndCurrentPeriod>3</BalanceEndCurrentPeriod>\r\n")
             + Item("\t\t\t\t<AccountList>任意積立金</AccountList>\r\n"
                    "\t\t\t\t<ChangesItemsDuringPeriod>\r\n"
                    "\t\t\t\t\t<TotalChangesItemsDuringPeriod>7</TotalChangesItemsDuringPeriod>\r\n"
                    "\t\t\t\t</ChangesItemsDuringPeriod>\r\n"
                    "\t\t\t\t<BalanceEndCurrentPeriod>7</BalanceEndCurrentPeriod>\r\n")
             + END},
        {"sub-unit amounts are truncated before they are summed",
         [](Accounts& a) {
             a.AddMovement(0x80220000, "新株予約権A", 6000, 6000).AddMovement(0x80220000, "新株予約権B", 6000, 6000);
         },
         1, START + END},
        {"retained earnings with sums but no net-income record", [](Accounts& a) {
             a.AddMovement(0x80281048, "繰越利益剰余金", 40 * U, 40 * U);
         }, 0, START},
        {"retained earnings with zero sums need no net-income record", [](Accounts& a) {
             a.AddMovement(0x80281048, "繰越利益剰余金", 0, 0).AddMovement(0x80248000, "評価差額", 0, -2 * U);
         }, 1,
         START + Item("\t\t\t\t<AccountList>その他有価証券評価差額金</AccountList>\r\n"
                      "\t\t\t\t<ChangesItemsDuringPeriod>\r\n"
                      "\t\t\t\t\t<TotalChangesItemsDuringPeriod>-2</TotalChangesItemsDuringPeriod>\r\n"
                      "\t\t\t\t</ChangesItemsDuringPeriod>\r\n"
                      "\t\t\t\t<BalanceEndCurrentPeriod>-2</BalanceEndCurrentPeriod>\r\n") + END},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Accounts accounts;
        c.fill(accounts);
        StatementXmlBuilder builder;
        builder.totals = &accounts.list;
        builder.equityKind = 1;
        const Written written = WriteSection([&](XmlLineWriter& w) { return builder.WriteEquityStatement(w); });
        EXPECT_EQ(c.result, written.result);
        EXPECT_EQ(c.expected, written.text);
    }
}

TEST(EquityStatement, MembersEquityChangesOnlyTheSelect)
{
    Accounts accounts;
    accounts.AddMovement(0x80280800, "自己株式", -5 * U, -5 * U);
    StatementXmlBuilder builder;
    builder.totals = &accounts.list;
    builder.equityKind = 2;
    const Written written = WriteSection([&](XmlLineWriter& w) { return builder.WriteEquityStatement(w); });
    EXPECT_EQ(1, written.result);
    EXPECT_EQ("\t\t<StatementChangesNetAssets>\r\n\t\t\t<Select>2</Select>\r\n"
              + Item("\t\t\t\t<AccountList>自己株式</AccountList>\r\n"
                     "\t\t\t\t<BalanceEndPreviousPeriod>-5</BalanceEndPreviousPeriod>\r\n"
                     "\t\t\t\t<BalanceEndCurrentPeriod>-5</BalanceEndCurrentPeriod>\r\n")
                  + END,
              written.text);
}

}  // namespace
