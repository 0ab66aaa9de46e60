// LgrCmn: the company data sets, walked in rowid order, and the one the current user selected.
#include <LgrCmn.h>

#include <cstring>
#include <limits>
#include <memory>

#include "Books.h"
#include "TextFields.h"
#include "LgrStatus.h"

namespace {

constexpr const char* kDataSetColumns =
    "SELECT data_no, data_id, company_name, start_date, end_date, cost_schedule, interim_closing,"
    " intro_month, companies_act FROM datasets ";

struct DatCursor {
    unsigned generation = 0;
    std::unique_ptr<lgr::Statement> query;
};

template <typename T>
bool Fits(int64_t value) {
    return value >= std::numeric_limits<T>::min() && value <= std::numeric_limits<T>::max();
}

// Fills record from the current row of a kDataSetColumns query; kBadBooks when a value does not fit.
long ReadDataInfo(const lgr::Statement& row, StDATAINFO& record) {
    std::memset(&record, 0, sizeof record);
    const int64_t dataNo = row.Int(0), start = row.Int(3), end = row.Int(4), cost = row.Int(5),
                  interim = row.Int(6), intro = row.Int(7), companiesAct = row.Int(8);
    if (!Fits<int32_t>(dataNo) || !Fits<int32_t>(start) || !Fits<int32_t>(end) || !Fits<int32_t>(cost) ||
        !Fits<int32_t>(interim) || !Fits<int16_t>(intro) || !Fits<uint8_t>(companiesAct)) {
        return lgr::kBadBooks;
    }
    record.dataNo = static_cast<int32_t>(dataNo);
    lgr::CopyField(record.dataId, sizeof record.dataId, row.Text(1));
    lgr::CopyField(record.companyName, sizeof record.companyName, row.Text(2));
    record.startDate = static_cast<int32_t>(start);
    record.endDate = static_cast<int32_t>(end);
    record.costScheduleFlag = static_cast<int32_t>(cost);
    record.interimClosing = static_cast<int32_t>(interim);
    record.introMonth = static_cast<int16_t>(intro);
    record.companiesActFlag = static_cast<uint8_t>(companiesAct);
    return 0;
}

}  // namespace

long ClSetData::GetDatCursor(DATCURSOR* cursor) {
    if (cursor == nullptr) return lgr::kBadArgument;
    *cursor = new DatCursor;
    return 0;
}

long ClSetData::ReadyDat(DATCURSOR cursor, int) {
    if (cursor == nullptr) return lgr::kBadArgument;
    lgr::Books& books = lgr::Books::Instance();
    if (!books.IsOpen()) return lgr::kNotConnected;
    auto* walk = static_cast<DatCursor*>(cursor);
    walk->generation = books.Generation();
    walk->query = std::make_unique<lgr::Statement>(books.Handle(),
                                                   (std::string(kDataSetColumns) + "ORDER BY rowid").c_str());
    return walk->query->Ok() ? 0 : lgr::kQueryFailed;
}

long ClSetData::WalkDat(StDATAINFO* record, DATCURSOR cursor) {
    if (record == nullptr || cursor == nullptr) return lgr::kBadArgument;
    auto* walk = static_cast<DatCursor*>(cursor);
    if (!walk->query || walk->generation != lgr::Books::Instance().Generation()) return lgr::kNotConnected;
    const int step = walk->query->Step();
    if (step == SQLITE_DONE) return LGR_END_OF_RECORDS;
    if (step != SQLITE_ROW) return lgr::kQueryFailed;
    return ReadDataInfo(*walk->query, *record);
}

long ClSetData::ReleaseDatCursor(DATCURSOR cursor) {
    delete static_cast<DatCursor*>(cursor);
    return 0;
}

StDATAINFO* ClSetData::GetSelectedInfo() {
    std::memset(&m_selected, 0, sizeof m_selected);
    lgr::Books& books = lgr::Books::Instance();
    if (!books.IsOpen()) return &m_selected;
    lgr::Statement query(books.Handle(),
                         (std::string(kDataSetColumns) +
                          "WHERE data_no = (SELECT selected_no2 FROM users WHERE is_current = 1"
                          " ORDER BY rowid LIMIT 1) ORDER BY rowid LIMIT 1")
                             .c_str());
    if (query.Step() == SQLITE_ROW && ReadDataInfo(query, m_selected) != 0) {
        std::memset(&m_selected, 0, sizeof m_selected);
    }
    return &m_selected;
}
