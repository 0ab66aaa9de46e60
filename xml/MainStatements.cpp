// The balance sheet, the income statement and the cost schedule, and the account selections they use.
#include "StatementXmlBuilder.h"

#include "XmlLineWriter.h"

#include <crtext.h>

#include <cstring>
#include <new>

namespace {

constexpr int64_t SCALE = 10000;   // ten-thousandths per currency unit

// The closing amount in whole units, truncated toward zero, as decimal text.
CString AmountText(ScaledAmount scaled)
{
    CString text;
    text.Format("%lld", static_cast<long long>(scaled / SCALE));
    return text;
}

// As AmountText, but empty for a zero amount, as the Amount attribute wants it.
CString AmountAttribute(ScaledAmount scaled)
{
    return scaled / SCALE == 0 ? CString() : AmountText(scaled);
}

template <size_t N>
int FieldLength(const char (&field)[N])
{
    return static_cast<int>(strnlen(field, N));
}

template <size_t N>
CString CleanedField(const char (&field)[N])
{
    CString label;
    StatementXmlBuilder::CleanLabel(field, label, FieldLength(field));
    return label;
}

// Blanks, brackets and status marks that labels are written without, in the order they are tried.
const char* const LABEL_NOISE[] = {
    " ", "　", "【", "】", "《", "》", "（", "）", "［", "］", "(製)", "[製]", "(完)", "[完]", "(未)", "[未]",
};

const char* const FIXED_ASSET_WARNING =
    "以下の科目は、正しい分類に出力することができません。\r\n科目性格を見直す必要があります。\r\n\r\n"
    "科目コード\t： %d\r\n正式名称\t： %s\r\n\r\n"
    "Zentalloの勘定科目設定画面にて、科目性格を\r\n [有形固定資産] [無形固定資産] [投資その他の資産]\r\n"
    "のいずれかに設定し、もう一度処理を行ってください。\r\n";

// One Item line for an account with a non-zero whole-unit closing; nothing (and 1) otherwise.
int WriteItemLine(XmlLineWriter& writer, const AccountTotal& record, int indent)
{
    if (record.closing / SCALE == 0)
        return 1;
    return writer.WriteTextElement("Item", AmountText(record.closing), indent, "Label", CleanedField(record.formalName));
}

// Replaces `list` with the account records (kinds 0 and 3) whose classification `matches`.
template <class Match>
int CollectRecords(const AccountTotalList* totals, StatementXmlBuilder::WorkingList& list, Match matches)
{
    list.clear();
    if (totals == nullptr)
        return 1;
    try {
        for (const AccountTotal* record : *totals) {
            if (matches(record->classCode) && (record->kind == 0 || record->kind == 3))
                list.push_back(record);
        }
    } catch (const std::bad_alloc&) {
        list.clear();
        return 0;
    }
    return 1;
}

}  // namespace

const AccountTotal* StatementXmlBuilder::FindByCode(uint32_t code) const
{
    if (totals == nullptr)
        return nullptr;
    for (const AccountTotal* record : *totals) {
        if (record->classCode == code)
            return record;
    }
    return nullptr;
}

int StatementXmlBuilder::CollectByMask(uint32_t mask, WorkingList& list) const
{
    return CollectRecords(totals, list, [mask](uint32_t classCode) { return (classCode & mask) == mask; });
}

int StatementXmlBuilder::CollectByCode(uint32_t code, WorkingList& list) const
{
    return CollectRecords(totals, list, [code](uint32_t classCode) { return classCode == code; });
}

int StatementXmlBuilder::CleanLabel(LPCSTR name, CString& output, int length)
{
    if (name == nullptr || length <= 0 || name[0] == '\0')
        return 0;
    CString cleaned;
    int at = 0;
    while (at < length) {
        bool skipped = false;
        for (const char* noise : LABEL_NOISE) {
            const int noiseLength = static_cast<int>(std::strlen(noise));
            if (noiseLength <= length - at && std::memcmp(name + at, noise, static_cast<size_t>(noiseLength)) == 0) {
                at += noiseLength;
                skipped = true;
                break;
            }
        }
        if (skipped)
            continue;
        // A double-byte character is copied whole, so no match can start at its trail byte.
        const int width = (_ismbblead(static_cast<unsigned char>(name[at])) && at + 1 < length) ? 2 : 1;
        cleaned += CString(name + at, width);
        at += width;
    }
    output = cleaned;
    return 1;
}

int StatementXmlBuilder::WriteGroupStart(XmlLineWriter& writer, uint32_t code, LPCSTR element, int indent)
{
    const AccountTotal* record = FindByCode(code);
    if (record == nullptr)
        return writer.WriteStartTag(element, indent);
    return writer.WriteStartTag(element, indent, "Label", CleanedField(record->formalName), "Amount",
                                AmountAttribute(record->closing));
}

int StatementXmlBuilder::WriteItems(XmlLineWriter& writer, uint32_t mask, int indent)
{
    WorkingList list;
    if (!CollectByMask(mask, list))
        return 0;
    for (const AccountTotal* record : list) {
        if (!WriteItemLine(writer, *record, indent))
            return 0;
    }
    return 1;
}

int StatementXmlBuilder::WriteTotalLine(XmlLineWriter& writer, uint32_t code, LPCSTR element, int indent)
{
    const AccountTotal* record = FindByCode(code);
    if (record == nullptr)
        return 1;
    CString label = CleanedField(record->altName);
    if (label.IsEmpty())
        label = CleanedField(record->formalName);
    return writer.WriteTextElement(element, "", indent, "Label", label, "Amount", AmountAttribute(record->closing));
}

int StatementXmlBuilder::WriteTaxItems(XmlLineWriter& writer, int indent)
{
    WorkingList list;
    if (!CollectByMask(0x40200000, list))
        return 0;
    for (const AccountTotal* record : list) {
        // The total lines around the taxes are not tax items.
        if (record->classCode == 0x40200080 || record->classCode == 0x40200020 || record->classCode == 0x40200010)
            continue;
        if (!WriteItemLine(writer, *record, indent))
            return 0;
    }
    return 1;
}

int StatementXmlBuilder::WriteUnplacedFixedAssets(XmlLineWriter& writer, int indent, bool warn)
{
    // Fixed assets classified no further than "fixed asset": the account belongs in one of the
    // three groups, but its classification does not say which.
    const uint32_t unplacedCodes[] = {0x80840000, 0x80840008, 0x80840004};
    WorkingList list;
    for (const uint32_t code : unplacedCodes) {
        if (!CollectByCode(code, list))
            return 0;
        for (const AccountTotal* record : list) {
            if (record->closing / SCALE == 0)
                continue;
            if (warn && ownerWindow != nullptr) {
                CString text;
                text.Format(FIXED_ASSET_WARNING, record->accountKey / 10000,
                            static_cast<LPCSTR>(CString(record->formalName, FieldLength(record->formalName))));
                MessageBoxA(ownerWindow, text, "決算書", MB_ICONWARNING | MB_OK);
            }
            if (!WriteItemLine(writer, *record, indent))
                return 0;
        }
    }
    return 1;
}

int StatementXmlBuilder::WriteGroup(XmlLineWriter& writer, uint32_t code, LPCSTR element)
{
    return WriteGroupStart(writer, code, element, 3) && WriteItems(writer, code, 4) && writer.WriteEndTag(element, 3);
}

int StatementXmlBuilder::WriteBalanceSheet(XmlLineWriter& writer)
{
    return writer.WriteStartTag("BalanceSheet", 2)
        && WriteGroupStart(writer, 0x80800000, "Assets", 3)
        && WriteGroupStart(writer, 0x80880000, "CurrentAssets", 4)
        && WriteItems(writer, 0x80880000, 5)
        && writer.WriteEndTag("CurrentAssets", 4)
        && WriteGroupStart(writer, 0x80840000, "NoncurrentAssets", 4)
        && WriteGroupStart(writer, 0x80848000, "PropertyPlantAndEquipment", 5)
        && WriteItems(writer, 0x80848000, 6)
        && WriteUnplacedFixedAssets(writer, 6, true)
        && writer.WriteEndTag("PropertyPlantAndEquipment", 5)
        && WriteGroupStart(writer, 0x80844000, "IntangibleAssets", 5)
        && WriteItems(writer, 0x80844000, 6)
        && WriteUnplacedFixedAssets(writer, 6, false)
        && writer.WriteEndTag("IntangibleAssets", 5)
        && WriteGroupStart(writer, 0x80842000, "InvestmentsAndOtherAssets", 5)
        && WriteItems(writer, 0x80842000, 6)
        && WriteUnplacedFixedAssets(writer, 6, false)
        && writer.WriteEndTag("InvestmentsAndOtherAssets", 5)
        && writer.WriteEndTag("NoncurrentAssets", 4)
        && WriteGroupStart(writer, 0x80820000, "DeferredAssets", 4)
        && WriteItems(writer, 0x80820000, 5)
        && writer.WriteEndTag("DeferredAssets", 4)
        && writer.WriteEndTag("Assets", 3)
        && WriteGroupStart(writer, 0x80400000, "Liabilities", 3)
        && WriteGroupStart(writer, 0x80480000, "CurrentLiabilities", 4)
        && WriteItems(writer, 0x80480000, 5)
        && writer.WriteEndTag("CurrentLiabilities", 4)
        && WriteGroupStart(writer, 0x80440000, "NoncurrentLiabilities", 4)
        && WriteItems(writer, 0x80440000, 5)
        && writer.WriteEndTag("NoncurrentLiabilities", 4)
        && writer.WriteEndTag("Liabilities", 3)
        && WriteGroupStart(writer, 0x80200000, "NetAssets", 3)
        && WriteItems(writer, 0x80200000, 4)
        && writer.WriteEndTag("NetAssets", 3)
        && writer.WriteEndTag("BalanceSheet", 2);
}

int StatementXmlBuilder::WriteIncomeStatement(XmlLineWriter& writer)
{
    return writer.WriteStartTag("IncomeStatement", 2)
        && WriteGroup(writer, 0x40888000, "NetSales")
        && WriteGroup(writer, 0x40884000, "CostOfSales")
        && WriteTotalLine(writer, 0x40880008, "GrossProfit", 3)
        && WriteGroup(writer, 0x40882000, "SellingGeneralAndAdministrativeExpenses")
        && WriteTotalLine(writer, 0x40880000, "OperatingIncome", 3)
        && WriteGroup(writer, 0x40848000, "NonOperatingIncome")
        && WriteGroup(writer, 0x40844000, "NonOperatingExpenses")
        && WriteTotalLine(writer, 0x40800000, "OrdinaryIncome", 3)
        && WriteGroup(writer, 0x40480000, "ExtraordinaryIncome")
        && WriteGroup(writer, 0x40440000, "ExtraordinaryLoss")
        && WriteTotalLine(writer, 0x40200080, "IncomeBeforeIncomeTaxes", 3)
        && writer.WriteStartTag("IncomeTaxes", 3)
        && WriteTaxItems(writer, 4)
        && writer.WriteEndTag("IncomeTaxes", 3)
        && WriteTotalLine(writer, 0x40200040, "NetIncome", 3)
        && writer.WriteEndTag("IncomeStatement", 2);
}

int StatementXmlBuilder::WriteCostSchedule(XmlLineWriter& writer)
{
    return writer.WriteStartTag("ScheduleCostGoodsManufactured", 2)
        && WriteGroup(writer, 0x20800000, "MaterialCost")
        && WriteGroup(writer, 0x20400000, "LaborCost")
        && (FindByCode(0x20040000) == nullptr || WriteGroup(writer, 0x20040000, "SubcontractCost"))
        && WriteGroup(writer, 0x20200000, "OverheadExpenses")
        && WriteTotalLine(writer, 0x20080000, "TotalProductionCostUtilized", 3)
        && WriteGroup(writer, 0x20108000, "WorkProcessBeginningInventories")
        && WriteTotalLine(writer, 0x20100008, "SubtotalScheduleCostGoodsManufactured", 3)
        && WriteGroup(writer, 0x20102000, "WorkProcessClosingInventories")
        && WriteTotalLine(writer, 0x40884200, "CostFinishedGoods", 3)
        && writer.WriteEndTag("ScheduleCostGoodsManufactured", 2);
}
