// Account totals for the chosen months: one pass over the engine's per-slot sums.
#include "LedgerTotals.h"

#include <cstring>
#include <new>

#include <crtext.h>

#include <ProgressDialog.h>

#include "EngineAttach.h"

namespace {

constexpr long ALLOCATION_FAILED = -1001;
constexpr int YEAR_END_SLOT = 13;
constexpr int INTERIM_SLOT = 14;
constexpr int16_t YEAR_END_PERIOD = 18;
constexpr int16_t COMPARE_EQUAL = 1;
constexpr int16_t LAST_MONTH_POSITION = 12;
constexpr uint32_t BALANCE_SHEET_BIT = 0x80000000u;
constexpr int NAME_BYTES = 30;

// The month range and settlement periods the conditions select.
struct Range {
    int first;        // P
    int last;         // Q
    bool yearEnd;     // slot 13 joins the range
    bool interim;     // slot 14 joins the range
};

// The year-end entry follows the last month, or the interim entry when that one comes first.
bool SelectsYearEnd(const StFINDINFO* conditions)
{
    for (int entry = 2; entry <= 3; ++entry) {
        if (conditions[entry - 1].link != 0 && conditions[entry].compare == COMPARE_EQUAL &&
            conditions[entry].value == YEAR_END_PERIOD)
            return true;
    }
    return false;
}

void SumSlots(Amount& sum, const int64_t* slots, int first, int last)
{
    for (int slot = first; slot <= last; ++slot)
        sum += Amount(slots[slot]);
}

struct Balances {
    Amount opening;
    Amount change;
    Amount closing;
};

// May raise AmountOverflow while forming the closing balance.
Balances WorkOutBalances(const StKAMOKUSUMINFO& info, bool useSecondAmountSet, const Range& range, int16_t introMonth)
{
    const int64_t* debits = useSecondAmountSet ? info.debit2 : info.debit1;
    const int64_t* credits = useSecondAmountSet ? info.credit2 : info.credit1;
    Amount openingDebit;
    Amount openingCredit;
    Amount rangeDebit;
    Amount rangeCredit;

    if (info.classCode & BALANCE_SHEET_BIT) {
        SumSlots(openingDebit, debits, 0, range.first - 1);
        SumSlots(openingCredit, credits, 0, range.first - 1);
    } else if ((introMonth != 0 && range.first <= introMonth) || (introMonth == 0 && range.first == 1)) {
        // Income and cost accounts carry slot 0 only when the range starts where the books do.
        openingDebit.CopyValue(Amount(debits[0]));
        openingCredit.CopyValue(Amount(credits[0]));
    }
    const bool debitNormal = info.debitNormal == 1;
    Balances result;
    result.opening = debitNormal ? openingDebit.Difference(openingCredit) : openingCredit.Difference(openingDebit);

    SumSlots(rangeDebit, debits, range.first, range.last);
    SumSlots(rangeCredit, credits, range.first, range.last);
    if (range.yearEnd) {
        rangeDebit += Amount(debits[YEAR_END_SLOT]);
        rangeCredit += Amount(credits[YEAR_END_SLOT]);
    }
    if (range.interim) {
        rangeDebit += Amount(debits[INTERIM_SLOT]);
        rangeCredit += Amount(credits[INTERIM_SLOT]);
    }
    result.closing = debitNormal ? result.opening.BoundedSum(rangeDebit).Difference(rangeCredit)
                                 : result.opening.BoundedSum(rangeCredit).Difference(rangeDebit);
    result.change = result.closing.Difference(result.opening);
    return result;
}

// At most 30 bytes, never half of a double-byte character; the field's last byte stays NUL.
void CopyName(char (&target)[31], const char* source)
{
    _mbsnbcpy(reinterpret_cast<unsigned char*>(target), reinterpret_cast<const unsigned char*>(source), NAME_BYTES);
}

AccountTotal* NewAccountTotal(const StKAMOKUSUMINFO& info, const Balances& balances)
{
    auto* total = new (std::nothrow) AccountTotal;
    if (total == nullptr)
        return nullptr;
    std::memset(total, 0, sizeof *total);
    total->accountKey = info.accountKey;
    CopyName(total->formalName, info.formalName);
    CopyName(total->altName, info.altName);
    total->opening = balances.opening.ToScaled();
    total->change = balances.change.ToScaled();
    total->closing = balances.closing.ToScaled();
    total->classCode = info.classCode;
    total->kind = static_cast<int8_t>(info.kind);
    return total;
}

bool IsMonthPosition(int16_t value)
{
    return value >= 1 && value <= LAST_MONTH_POSITION;
}

}

LedgerTotals::~LedgerTotals()
{
    delete statementData;
    delete rule;
}

int LedgerTotals::CollectAccountTotals(bool useSecondAmountSet, const StFINDINFO* conditions, const StDATAINFO* dataInfo)
{
    // Month positions outside the year would index past the engine's slot arrays.
    if (progress == nullptr || totals == nullptr || conditions == nullptr || dataInfo == nullptr ||
        !IsMonthPosition(conditions[0].value) || !IsMonthPosition(conditions[1].value))
        return 0;

    progress->AdvanceProgress(0, 100);
    if (rule == nullptr) {
        rule = new (std::nothrow) ClRuleKamoku;
        if (rule == nullptr)
            return 0;
        if (!AttachToSelectedData(*rule)) {
            delete rule;
            rule = nullptr;
            return 0;
        }
    }
    progress->AdvanceProgress(100, 300);

    rule->MoveReady(1, 0, 0, const_cast<StFINDINFO*>(conditions), nullptr, 0);
    unsigned int count = 0;
    if (rule->GetSumCount(&count) != 0)
        return 0;
    progress->AdvanceProgress(300, 400);
    if (rule->SetMovePos(0) != 0)
        return 0;

    if (ReadAccountRecords(count, useSecondAmountSet, conditions, dataInfo) == 0)
        return 0;

    progress->AdvanceProgress(400, 500);
    rule->MoveFinish();
    delete rule;
    rule = nullptr;
    return 1;
}

int LedgerTotals::ReadAccountRecords(unsigned int count, bool useSecondAmountSet, const StFINDINFO* conditions,
                                     const StDATAINFO* dataInfo)
{
    const Range range{conditions[0].value, conditions[1].value, SelectsYearEnd(conditions),
                      dataInfo->interimClosing == 1 && conditions[1].value == 6};

    long status = 0;
    // The record is packed; aligned like this, its amount arrays (at multiples of 8) are aligned too.
    alignas(int64_t) StKAMOKUSUMINFO info;
    for (uint32_t index = 0; index < count; ++index) {
        progress->PulseActivity();
        std::memset(&info, 0, sizeof info);
        status = rule->MoveNext(&info);
        if (status != 0)
            break;
        Balances balances;
        try {
            balances = WorkOutBalances(info, useSecondAmountSet, range, dataInfo->introMonth);
        } catch (const AmountOverflow&) {
            return 0;
        }
        if (info.kind == 1)
            continue;
        AccountTotal* total = NewAccountTotal(info, balances);
        if (total == nullptr) {
            status = ALLOCATION_FAILED;
            break;
        }
        try {
            totals->push_back(total);
        } catch (const std::bad_alloc&) {
            delete total;
            status = ALLOCATION_FAILED;
            break;
        }
    }
    return status == 0 || status == LGR_END_OF_RECORDS ? 1 : 0;
}
