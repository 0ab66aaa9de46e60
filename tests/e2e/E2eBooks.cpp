// Books for an end-to-end test, made through the shared test books.
#include "E2eBooks.h"

#include <algorithm>
#include <cstdio>

#include "TempFolder.h"

namespace e2e {

namespace {

// 'text' as an SQL literal.
std::string Quoted(const std::string& text)
{
    std::string literal = "'";
    for (const char c : text) {
        literal += c;
        if (c == '\'')
            literal += '\'';
    }
    return literal + "'";
}

}  // namespace

E2eBooks::E2eBooks(const std::string& settingsFolder, const DataSetSpec& dataSet) : dataId_(dataSet.dataId)
{
    books_.Exec("INSERT INTO users(user_id, selected_no1, selected_no2, is_current) VALUES('E2EUSER', 0, 1, 1)");
    books_.Exec("INSERT INTO datasets(data_no, data_id, company_name, start_date, end_date, cost_schedule,"
                " interim_closing, intro_month, companies_act) VALUES(1, " +
                Quoted(dataSet.dataId) + ", " + Quoted(dataSet.companyName) + ", " +
                std::to_string(dataSet.startDate) + ", " + std::to_string(dataSet.endDate) + ", " +
                std::to_string(dataSet.costSchedule) + ", " + std::to_string(dataSet.interimClosing) + ", " +
                std::to_string(dataSet.introMonth) + ", " + std::to_string(dataSet.companiesAct) + ")");
    books_.Exec("INSERT INTO folders(folder_type, path) VALUES(1, " + Quoted(WindowsPathOf(settingsFolder) + "\\") + ")");
}

void E2eBooks::AddAccount(int64_t key, const std::string& name, uint32_t classCode, int debitNormal)
{
    books_.Exec("INSERT INTO accounts(data_id, seq, account_key, formal_name, alt_name, debit_normal, class_code)"
                " VALUES(" + Quoted(dataId_) + ", " + std::to_string(nextSeq_++) + ", " + std::to_string(key) + ", " +
                Quoted(name) + ", " + Quoted(name) + ", " + std::to_string(debitNormal) + ", " +
                std::to_string(classCode) + ")");
}

void E2eBooks::AddPosting(int64_t key, int period, int64_t debit, int64_t credit) const
{
    books_.Exec("INSERT INTO postings(data_id, account_key, period, debit1, credit1) VALUES(" + Quoted(dataId_) +
                ", " + std::to_string(key) + ", " + std::to_string(period) + ", " + std::to_string(debit) + ", " +
                std::to_string(credit) + ")");
}

void E2eBooks::SetText(int kind, const std::string& bytes) const
{
    books_.Exec("INSERT OR REPLACE INTO statement_texts(data_id, kind, text) VALUES(" + Quoted(dataId_) + ", " +
                std::to_string(kind) + ", " + testbooks::SqlBlob(bytes) + ")");
}

void E2eBooks::SetFault(const std::string& call, long status, int after) const
{
    books_.Exec("INSERT OR REPLACE INTO faults(call, status, after) VALUES(" + Quoted(call) + ", " +
                std::to_string(status) + ", " + std::to_string(after) + ")");
}

std::string NotesSettingsText(const std::initializer_list<int>& flagged)
{
    std::string text = "[Common]\r\nInputMode=1\r\n";
    for (int note = 0; note < 50; ++note) {
        const bool on = std::find(flagged.begin(), flagged.end(), note) != flagged.end();
        char section[40];
        std::snprintf(section, sizeof section, "[Note_%02d]\r\nDisp=%d\r\n", note, on ? 1 : 0);
        text += section;
    }
    return text;
}

}  // namespace e2e
