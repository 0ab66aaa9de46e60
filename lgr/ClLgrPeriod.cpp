// LgrBCore: period arithmetic, the month to which a date belongs under the closing day.
#include <LgrBCore.h>

#include "LgrStatus.h"

namespace {

// The closing day that stands for "the month's last day", whatever its length.
constexpr int kMonthEnd = 31;

int DaysInMonth(long year, long month) {
    constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : kDays[month - 1];
}

// yyyymmdd with a real month and day: 20250229 is not a date, 20240229 is.
bool IsDate(long date) {
    const long year = date / 10000, month = date / 100 % 100, day = date % 100;
    return year >= 1 && year <= 9999 && month >= 1 && month <= 12 && day >= 1 && day <= DaysInMonth(year, month);
}

}  // namespace

ClLgrPeriod::ClLgrPeriod() = default;

ClLgrPeriod::~ClLgrPeriod() = default;

long ClLgrPeriod::SetPeriod(long firstDate, long lastDate) {
    if (!IsDate(firstDate) || !IsDate(lastDate) || firstDate > lastDate) return lgr::kBadArgument;
    m_firstDate = firstDate;
    m_lastDate = lastDate;
    return 0;
}

// 20260320 -> 20; 20260331 and 20260228 -> 31 (closing at the month's end).
long ClLgrPeriod::GetClosingDayByEndDate(long lastDate, int, int* closingDay) {
    if (closingDay == nullptr || !IsDate(lastDate)) return lgr::kBadArgument;
    const int day = static_cast<int>(lastDate % 100);
    *closingDay = day == DaysInMonth(lastDate / 10000, lastDate / 100 % 100) ? kMonthEnd : day;
    return 0;
}

// 0 and 31 both close at the month's end.
long ClLgrPeriod::SetClosingDay(int closingDay) {
    if (closingDay < 0 || closingDay > kMonthEnd) return lgr::kBadArgument;
    m_closingDay = closingDay;
    return 0;
}

// Closing day 20: 20250321 belongs to April, 20250320 to March. Month-end closing: the calendar month.
long ClLgrPeriod::GetAMonthByDate(long date, short* month, int) {
    if (month == nullptr || !IsDate(date)) return lgr::kBadArgument;
    const int calendarMonth = static_cast<int>(date / 100 % 100);
    const int day = static_cast<int>(date % 100);
    const bool monthEnd = m_closingDay == 0 || m_closingDay == kMonthEnd;
    *month = static_cast<short>(!monthEnd && day > m_closingDay ? calendarMonth % 12 + 1 : calendarMonth);
    return 0;
}
