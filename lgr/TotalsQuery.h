// The account totals of one data set as a stream: accounts in seq order, postings summed per slot by SQLite.
#pragma once

#include <LgrRecords.h>

#include <memory>
#include <string>

#include "Books.h"

namespace lgr {

// Which closing periods the conditions select; the opening and the twelve months always come.
struct PeriodSelection {
    bool interim = false;   // period 15 into slot 14
    bool yearEnd = false;   // period 18 into slot 13
};

// Reads the conditions' "equal" entries for the periods 15 and 18; a null array selects neither.
PeriodSelection SelectedPeriods(const StFINDINFO* conditions);

class TotalsQuery {
public:
    // 0, or kQueryFailed when SQLite refuses the query.
    long Start(sqlite3* db, const std::string& dataId, PeriodSelection periods);
    // 0 with the next account's record filled, LGR_END_OF_RECORDS after the last, or a failure:
    // kBadBooks for a value that does not fit the record, kQueryFailed for a refused or overflowing sum.
    long Next(StKAMOKUSUMINFO& info);

private:
    long AddSums(StKAMOKUSUMINFO& info) const;

    std::unique_ptr<Statement> query_;
    int step_ = SQLITE_DONE;   // result of the last step: the row under it belongs to the next record
};

}  // namespace lgr
