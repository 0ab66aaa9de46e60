// Between calendar months and month positions of the fiscal year, through the engine's period arithmetic.
#include <LgrBCore.h>

#include <new>

#include "ConditionDialog.h"

void ConditionDialog::GetFiscalMonths(int firstDay, int lastDay, short* fiscalStart, short* fiscalEnd)
{
    short startMonth = static_cast<short>((firstDay % 10000) / 100);
    short endMonth = static_cast<short>((lastDay % 10000) / 100);

    ClLgrPeriod* period = new (std::nothrow) ClLgrPeriod;
    if (period == nullptr)
        return;
    int closingDay = 0;
    period->SetPeriod(firstDay, lastDay);
    period->GetClosingDayByEndDate(lastDay, 0, &closingDay);
    period->SetClosingDay(closingDay);
    // A period from 21 March closing on the 20th starts in April.
    period->GetAMonthByDate(firstDay, &startMonth, 0);
    delete period;

    if (endMonth < startMonth)
        endMonth = static_cast<short>(endMonth + 100);
    if (fiscalStart != nullptr)
        *fiscalStart = startMonth;
    if (fiscalEnd != nullptr)
        *fiscalEnd = endMonth;
}

void ConditionDialog::GetMonthPositions(short fiscalStart, short fiscalEnd, short startMonth, short endMonth,
                                        short* startPosition, short* endPosition)
{
    if (startPosition == nullptr || endPosition == nullptr)
        return;
    *startPosition = 1;
    *endPosition = 1;

    if (startMonth == fiscalStart)
        *startPosition = 1;
    else if (startMonth > fiscalStart)
        *startPosition = static_cast<short>(startMonth - fiscalStart + 1);
    else
        *startPosition = static_cast<short>(startMonth - fiscalStart + 13);

    const int lastMonth = fiscalEnd % 100;
    const bool wraps = fiscalEnd / 100 != 0;
    if (endMonth == lastMonth)
        *endPosition = static_cast<short>(wraps ? lastMonth - fiscalStart + 13 : lastMonth - fiscalStart + 1);
    else if (lastMonth > endMonth && wraps)
        *endPosition = static_cast<short>(endMonth - fiscalStart + 13);
    else
        *endPosition = static_cast<short>(endMonth - fiscalStart + 1);
}
