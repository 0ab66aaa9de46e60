// LgrBCore: the saved statement texts (statement_texts) by data kind, in COM task memory.
#include <LgrBCore.h>
#include <objbase.h>

#include <cstring>
#include <string>

#include "Books.h"
#include "TextFields.h"
#include "LgrStatus.h"

ClSaveBase::~ClSaveBase() = default;

long ClSaveBase::AttachSetMgr(ClSetMgr* setMgr) {
    m_setMgr = setMgr;
    return 0;
}

long ClSaveBase::SetCurDataID(const char* dataId) {
    if (dataId == nullptr) return lgr::kBadArgument;
    lgr::CopyField(m_curDataId, sizeof m_curDataId, dataId);
    return 0;
}

long ClSaveBase::AttachOptLink(ClOptLink* optLink) {
    m_optLink = optLink;
    return 0;
}

ClSaveKessansho::ClSaveKessansho() = default;

ClSaveKessansho::~ClSaveKessansho() = default;

long ClSaveKessansho::GetDataType02(long dataKind, unsigned char** text, long* size) {
    if (text == nullptr || size == nullptr) return lgr::kBadArgument;
    *text = nullptr;
    *size = 0;
    lgr::Books& books = lgr::Books::Instance();
    if (!books.IsOpen()) return lgr::kNotConnected;
    if (const long fault = books.Faults().Check("GetDataType02:" + std::to_string(dataKind))) return fault;

    lgr::Statement query(books.Handle(), "SELECT text FROM statement_texts WHERE data_id = ?1 AND kind = ?2");
    query.Bind(1, m_curDataId).Bind(2, int64_t{dataKind});
    const int step = query.Step();
    if (step == SQLITE_DONE) return lgr::kNoRecord;
    if (step != SQLITE_ROW) return lgr::kQueryFailed;

    const std::string value = query.Text(0);
    auto* buffer = static_cast<unsigned char*>(CoTaskMemAlloc(value.size() + 1));
    if (buffer == nullptr) return lgr::kNoMemory;
    std::memcpy(buffer, value.data(), value.size());
    buffer[value.size()] = '\0';
    *text = buffer;
    *size = static_cast<long>(value.size());
    return 0;
}
