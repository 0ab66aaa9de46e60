// Status codes of the engine stand-in besides 0 (success) and LGR_END_OF_RECORDS.
#pragma once

namespace lgr {

constexpr long kNotConnected = 1001;     // no books are open
constexpr long kNoRecord = 1002;         // the books hold no such row
constexpr long kBadArgument = 1003;      // a null pointer or an impossible value was passed
constexpr long kBadBooks = 1004;         // a stored value does not fit the engine's record
constexpr long kQueryFailed = 1005;      // SQLite refused a query (an overflowing sum, for one)
constexpr long kNoMemory = 1006;
constexpr long kBooksMissing = 1010;     // the books file does not exist
constexpr long kBooksUnreadable = 1011;  // not a SQLite file, or without the books' tables
constexpr long kBooksLocked = 1012;      // another program holds the books locked for writing

}  // namespace lgr
