// The statement of changes in net assets: twelve fixed components with their opening, change and closing.
#include "StatementXmlBuilder.h"

#include "XmlLineWriter.h"

#include <cstring>

namespace {

constexpr int64_t SCALE = 10000;   // ten-thousandths per currency unit
constexpr uint32_t NET_INCOME_CODE = 0x40200040;
constexpr const char* GENERAL_RESERVE = "別途積立金";

// Lines 4 and 5 share one code and are told apart by the cleaned account name.
enum class NameRule { Any, GeneralReserve, OtherReserve };

struct EquityComponent {
    const char* accountList;
    uint32_t codes[3];
    int codeCount;
    NameRule nameRule;
    bool carriesNetIncome;   // retained earnings brought forward
};

const EquityComponent COMPONENTS[] = {
    {"資本金", {0x80288000, 0x80288040, 0x80288020}, 3, NameRule::Any, false},
    {"資本準備金", {0x80282080}, 1, NameRule::Any, false},
    {"その他資本剰余金", {0x80282040}, 1, NameRule::Any, false},
    {"利益準備金", {0x80281080}, 1, NameRule::Any, false},
    {"別途積立金", {0x80281040}, 1, NameRule::GeneralReserve, false},
    {"任意積立金", {0x80281040}, 1, NameRule::OtherReserve, false},
    {"繰越利益剰余金", {0x80281048}, 1, NameRule::Any, true},
    {"自己株式", {0x80280800}, 1, NameRule::Any, false},
    {"その他有価証券評価差額金", {0x80248000}, 1, NameRule::Any, false},
    {"繰延ヘッジ損益", {0x80244000}, 1, NameRule::Any, false},
    {"土地再評価差額金", {0x80242000}, 1, NameRule::Any, false},
    {"新株予約権", {0x80220000}, 1, NameRule::Any, false},
};

CString WholeText(int64_t whole)
{
    CString text;
    text.Format("%lld", static_cast<long long>(whole));
    return text;
}

bool TakesAccount(const EquityComponent& component, const AccountTotal& record)
{
    if (component.nameRule == NameRule::Any)
        return true;
    CString name;
    StatementXmlBuilder::CleanLabel(record.formalName, name,
                                    static_cast<int>(strnlen(record.formalName, sizeof record.formalName)));
    const bool general = name.Find(GENERAL_RESERVE) >= 0;
    return component.nameRule == NameRule::GeneralReserve ? general : !general;
}

}  // namespace

int StatementXmlBuilder::WriteEquityStatement(XmlLineWriter& writer)
{
    CString kind;
    kind.Format("%d", equityKind);
    if (!writer.WriteStartTag("StatementChangesNetAssets", 2) || !writer.WriteTextElement("Select", kind, 3))
        return 0;

    WorkingList list;
    for (const EquityComponent& component : COMPONENTS) {
        // Each account is truncated to whole units before it is added.
        int64_t opening = 0;
        int64_t change = 0;
        int64_t closing = 0;
        for (int c = 0; c < component.codeCount; ++c) {
            if (!CollectByCode(component.codes[c], list))
                return 0;
            for (const AccountTotal* record : list) {
                if (!TakesAccount(component, *record))
                    continue;
                opening += record->opening / SCALE;
                change += record->change / SCALE;
                closing += record->closing / SCALE;
            }
        }
        if (opening == 0 && change == 0 && closing == 0)
            continue;

        int64_t netIncome = 0;
        if (component.carriesNetIncome) {
            const AccountTotal* netIncomeRecord = FindByCode(NET_INCOME_CODE);
            if (netIncomeRecord == nullptr)
                return 0;
            netIncome = netIncomeRecord->change / SCALE;
        }

        if (!writer.WriteStartTag("ChangesNetAssetsItem", 3) || !writer.WriteTextElement("AccountList", component.accountList, 4))
            return 0;
        if (opening != 0 && !writer.WriteTextElement("BalanceEndPreviousPeriod", WholeText(opening), 4))
            return 0;
        if (change != 0 || netIncome != 0) {
            if (!writer.WriteStartTag("ChangesItemsDuringPeriod", 4)
                || !writer.WriteTextElement("TotalChangesItemsDuringPeriod", WholeText(change), 5))
                return 0;
            if (netIncome != 0
                && !(writer.WriteStartTag("ChangesItem", 5) && writer.WriteTextElement("Reason", "当期純利益", 6)
                     && writer.WriteTextElement("Amount", WholeText(netIncome), 6) && writer.WriteEndTag("ChangesItem", 5)))
                return 0;
            if (!writer.WriteEndTag("ChangesItemsDuringPeriod", 4))
                return 0;
        }
        if (closing != 0 && !writer.WriteTextElement("BalanceEndCurrentPeriod", WholeText(closing), 4))
            return 0;
        if (!writer.WriteEndTag("ChangesNetAssetsItem", 3))
            return 0;
    }
    return writer.WriteEndTag("StatementChangesNetAssets", 2);
}
