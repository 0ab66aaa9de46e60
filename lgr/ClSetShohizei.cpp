// LgrCmn: the consumption-tax settings, the 12-byte tax_record of the current data set.
#include <LgrCmn.h>

#include <cstring>
#include <string>

#include "Books.h"
#include "LgrStatus.h"

long ClSetShohizei::Get(StSHOHIZEIINFO* info) {
    if (info == nullptr) return lgr::kBadArgument;
    lgr::Books& books = lgr::Books::Instance();
    if (!books.IsOpen()) return lgr::kNotConnected;
    if (const long fault = books.Faults().Check("ShohizeiGet")) return fault;
    lgr::Statement query(books.Handle(), "SELECT tax_record FROM datasets WHERE data_id = ?1 ORDER BY rowid LIMIT 1");
    query.Bind(1, m_curDataId);
    const int step = query.Step();
    if (step == SQLITE_DONE) return lgr::kNoRecord;
    if (step != SQLITE_ROW) return lgr::kQueryFailed;
    if (query.Type(0) == SQLITE_NULL) return lgr::kNoRecord;   // the settings are not delivered
    const std::string record = query.Text(0);
    if (query.Type(0) != SQLITE_BLOB || record.size() != sizeof *info) return lgr::kBadBooks;
    std::memcpy(info, record.data(), sizeof *info);
    return 0;
}
