// LgrBCore: the account-totals rule, a stream of StKAMOKUSUMINFO records over the current data set.
#include <LgrBCore.h>

#include <limits>
#include <optional>
#include <string>

#include "Books.h"
#include "TextFields.h"
#include "LgrStatus.h"
#include "TotalsQuery.h"

// The conditions of MoveReady and, once positioned, the running query.
struct ClRuleKamoku::Cursor {
    lgr::PeriodSelection periods;
    std::optional<lgr::TotalsQuery> totals;
    unsigned generation = 0;
};

ClRuleBase::~ClRuleBase() = default;

long ClRuleBase::AttachSetMgr(ClSetMgr* setMgr) {
    m_setMgr = setMgr;
    return 0;
}

long ClRuleBase::SetCurDataID(const char* dataId) {
    if (dataId == nullptr) return lgr::kBadArgument;
    lgr::CopyField(m_curDataId, sizeof m_curDataId, dataId);
    return 0;
}

long ClRuleBase::AttachOptLink(ClOptLink* optLink) {
    m_optLink = optLink;
    return 0;
}

ClRuleKamoku::ClRuleKamoku() : m_cursor(new Cursor) {}

ClRuleKamoku::~ClRuleKamoku() { delete m_cursor; }

long ClRuleKamoku::MoveReady(int, int, int, StFINDINFO* find, StBUMONINFO*, int) {
    m_cursor->periods = lgr::SelectedPeriods(find);
    m_cursor->totals.reset();
    return lgr::Books::Instance().IsOpen() ? 0 : lgr::kNotConnected;
}

long ClRuleKamoku::GetSumCount(unsigned int* count) {
    if (count == nullptr) return lgr::kBadArgument;
    lgr::Books& books = lgr::Books::Instance();
    if (!books.IsOpen()) return lgr::kNotConnected;
    if (const long fault = books.Faults().Check("GetSumCount")) return fault;
    if (const std::optional<int64_t> announced = books.IntegerSetting("sum_count")) {
        if (*announced < 0 || *announced > std::numeric_limits<unsigned int>::max()) return lgr::kBadBooks;
        *count = static_cast<unsigned int>(*announced);
        return 0;
    }
    lgr::Statement query(books.Handle(), "SELECT COUNT(*) FROM accounts WHERE data_id = ?1");
    query.Bind(1, m_curDataId);
    if (query.Step() != SQLITE_ROW) return lgr::kQueryFailed;
    *count = static_cast<unsigned int>(query.Int(0));
    return 0;
}

long ClRuleKamoku::SetMovePos(long position) {
    if (position < 0) return lgr::kBadArgument;
    lgr::Books& books = lgr::Books::Instance();
    if (!books.IsOpen()) return lgr::kNotConnected;
    if (const long fault = books.Faults().Check("SetMovePos")) return fault;
    return StartTotals(position);
}

long ClRuleKamoku::MoveNext(StKAMOKUSUMINFO* info) {
    if (info == nullptr) return lgr::kBadArgument;
    lgr::Books& books = lgr::Books::Instance();
    if (!books.IsOpen()) return lgr::kNotConnected;
    if (const long fault = books.Faults().Check("MoveNext")) return fault;
    if (!m_cursor->totals) {
        if (const long status = StartTotals(0)) return status;
    }
    if (m_cursor->generation != books.Generation()) return lgr::kNotConnected;
    return m_cursor->totals->Next(*info);
}

// Runs the totals query from the start and skips `position` accounts.
long ClRuleKamoku::StartTotals(long position) {
    lgr::Books& books = lgr::Books::Instance();
    m_cursor->totals.emplace();
    m_cursor->generation = books.Generation();
    if (const long status = m_cursor->totals->Start(books.Handle(), m_curDataId, m_cursor->periods)) {
        m_cursor->totals.reset();
        return status;
    }
    StKAMOKUSUMINFO skipped;
    for (long i = 0; i < position; ++i) {
        const long status = m_cursor->totals->Next(skipped);
        if (status == LGR_END_OF_RECORDS) break;
        if (status != 0) return status;
    }
    return 0;
}

long ClRuleKamoku::MoveFinish() {
    m_cursor->totals.reset();
    return 0;
}
