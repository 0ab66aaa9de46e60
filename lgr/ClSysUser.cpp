// LgrCmn: the signed-in user (users.is_current = 1) and the user's selection.
#include <LgrCmn.h>

#include "Books.h"
#include "TextFields.h"
#include "LgrStatus.h"

namespace {
constexpr size_t kUserIdSize = 65;
}

long ClSysUser::GetCurUserID(char* userId) {
    if (userId == nullptr) return lgr::kBadArgument;
    lgr::CopyField(userId, kUserIdSize, "");
    lgr::Books& books = lgr::Books::Instance();
    if (!books.IsOpen()) return lgr::kNotConnected;
    lgr::Statement query(books.Handle(), "SELECT user_id FROM users WHERE is_current = 1 ORDER BY rowid LIMIT 1");
    const int step = query.Step();
    if (step == SQLITE_DONE) return lgr::kNoRecord;
    if (step != SQLITE_ROW) return lgr::kQueryFailed;
    lgr::CopyField(userId, kUserIdSize, query.Text(0));
    return 0;
}

long ClSysUser::GetSelectedNo(const char* userId, int& first, int& second) {
    if (userId == nullptr) return lgr::kBadArgument;
    lgr::Books& books = lgr::Books::Instance();
    if (!books.IsOpen()) return lgr::kNotConnected;
    lgr::Statement query(books.Handle(),
                         "SELECT selected_no1, selected_no2 FROM users WHERE user_id = ?1 ORDER BY rowid LIMIT 1");
    query.Bind(1, userId);
    const int step = query.Step();
    if (step == SQLITE_DONE) return lgr::kNoRecord;
    if (step != SQLITE_ROW) return lgr::kQueryFailed;
    first = static_cast<int>(query.Int(0));
    second = static_cast<int>(query.Int(1));
    return 0;
}
