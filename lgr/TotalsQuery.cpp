// The account totals of one data set as a stream: accounts in seq order, postings summed per slot by SQLite.
#include "TotalsQuery.h"

#include <cstring>
#include <limits>

#include "TextFields.h"
#include "LgrStatus.h"

namespace lgr {

namespace {

// One row per account and period, the period sums grouped by SQLite; an account without postings
// gives one row with a null period. ?2 and ?3 switch the interim and year-end periods on.
constexpr const char* kTotalsSql =
    "SELECT a.seq, a.account_key, a.formal_name, a.alt_name, a.kind, a.debit_normal, a.class_code,"
    "       t.period, t.debit1, t.credit1, t.debit2, t.credit2"
    " FROM accounts AS a LEFT JOIN"
    "  (SELECT account_key, period, SUM(debit1) AS debit1, SUM(credit1) AS credit1,"
    "          SUM(debit2) AS debit2, SUM(credit2) AS credit2"
    "     FROM postings"
    "    WHERE data_id = ?1 AND (period BETWEEN 0 AND 12 OR (period = 15 AND ?2) OR (period = 18 AND ?3))"
    "    GROUP BY account_key, period) AS t"
    "  ON t.account_key = a.account_key"
    " WHERE a.data_id = ?1"
    " ORDER BY a.seq";

enum Column { kSeq, kKey, kFormal, kAlt, kKind, kDebitNormal, kClass, kPeriod, kDebit1, kCredit1, kDebit2, kCredit2 };

constexpr int kPeriodInterim = 15;
constexpr int kPeriodYearEnd = 18;

int SlotOf(int64_t period) {
    if (period >= 0 && period <= 12) return static_cast<int>(period);
    return period == kPeriodYearEnd ? 13 : 14;
}

bool IsIntegerOrNull(const Statement& row, int column) {
    const int type = row.Type(column);
    return type == SQLITE_INTEGER || type == SQLITE_NULL;
}

}  // namespace

PeriodSelection SelectedPeriods(const StFINDINFO* conditions) {
    PeriodSelection periods;
    if (conditions == nullptr) return periods;
    constexpr int kEntries = 4;
    constexpr int16_t kEqual = 1;
    for (int i = 0; i < kEntries; ++i) {
        if (conditions[i].compare != kEqual) continue;
        if (conditions[i].value == kPeriodInterim) periods.interim = true;
        if (conditions[i].value == kPeriodYearEnd) periods.yearEnd = true;
    }
    return periods;
}

long TotalsQuery::Start(sqlite3* db, const std::string& dataId, PeriodSelection periods) {
    query_ = std::make_unique<Statement>(db, kTotalsSql);
    if (!query_->Ok()) return kQueryFailed;
    query_->Bind(1, dataId).Bind(2, int64_t{periods.interim}).Bind(3, int64_t{periods.yearEnd});
    step_ = query_->Step();
    return step_ == SQLITE_ROW || step_ == SQLITE_DONE ? 0 : kQueryFailed;
}

long TotalsQuery::Next(StKAMOKUSUMINFO& info) {
    if (!query_ || step_ == SQLITE_DONE) return LGR_END_OF_RECORDS;
    if (step_ != SQLITE_ROW) return kQueryFailed;

    const Statement& row = *query_;
    const int64_t key = row.Int(kKey), kind = row.Int(kKind), debitNormal = row.Int(kDebitNormal),
                  classCode = row.Int(kClass);
    if (row.Type(kKey) != SQLITE_INTEGER || key < std::numeric_limits<int32_t>::min() ||
        key > std::numeric_limits<int32_t>::max() || kind < 0 || kind > 0xFF || debitNormal < 0 ||
        debitNormal > 0xFF || classCode < std::numeric_limits<int32_t>::min() || classCode > 0xFFFFFFFFLL) {
        return kBadBooks;
    }
    std::memset(&info, 0, sizeof info);
    info.accountKey = static_cast<int32_t>(key);
    CopyField(info.formalName, sizeof info.formalName, row.Text(kFormal));
    CopyField(info.altName, sizeof info.altName, row.Text(kAlt));
    info.kind = static_cast<uint8_t>(kind);
    info.debitNormal = static_cast<uint8_t>(debitNormal);
    info.classCode = static_cast<uint32_t>(classCode);

    const int64_t seq = row.Int(kSeq);
    do {
        if (const long status = AddSums(info)) return status;
        step_ = query_->Step();
    } while (step_ == SQLITE_ROW && row.Int(kSeq) == seq);
    return step_ == SQLITE_ROW || step_ == SQLITE_DONE ? 0 : kQueryFailed;
}

long TotalsQuery::AddSums(StKAMOKUSUMINFO& info) const {
    const Statement& row = *query_;
    if (row.Type(kPeriod) == SQLITE_NULL) return 0;
    if (row.Type(kPeriod) != SQLITE_INTEGER) return kBadBooks;
    for (int column : {kDebit1, kCredit1, kDebit2, kCredit2}) {
        if (!IsIntegerOrNull(row, column)) return kBadBooks;   // amounts are whole ten-thousandths
    }
    const int slot = SlotOf(row.Int(kPeriod));
    info.debit1[slot] = row.Int(kDebit1);
    info.credit1[slot] = row.Int(kCredit1);
    info.debit2[slot] = row.Int(kDebit2);
    info.credit2[slot] = row.Int(kCredit2);
    return 0;
}

}  // namespace lgr
