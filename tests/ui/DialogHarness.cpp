// Books, scripts and transcripts for the dialog tests.
#include "DialogHarness.h"

#include <gtest/gtest.h>
#include <sqlite3.h>
#include <stdlib.h>
#include <unistd.h>

#include <LgrLink.h>

#include <cstring>
#include <fstream>
#include <stdexcept>

#include "ConditionDialog.h"
#include "UiTestHost.h"
#include "host/UiBackend.h"

namespace uitest {
namespace {

const char schema[] = R"sql(
CREATE TABLE users(user_id TEXT PRIMARY KEY, selected_no1 INTEGER NOT NULL DEFAULT 0,
                   selected_no2 INTEGER NOT NULL DEFAULT 0, is_current INTEGER NOT NULL DEFAULT 0);
CREATE TABLE datasets(data_no INTEGER NOT NULL, data_id TEXT NOT NULL, company_name TEXT NOT NULL,
                   start_date INTEGER NOT NULL, end_date INTEGER NOT NULL,
                   cost_schedule INTEGER NOT NULL DEFAULT 0, interim_closing INTEGER NOT NULL DEFAULT 0,
                   intro_month INTEGER NOT NULL DEFAULT 0, companies_act INTEGER NOT NULL DEFAULT 1,
                   tax_record BLOB);
CREATE TABLE accounts(data_id TEXT NOT NULL, seq INTEGER NOT NULL, account_key INTEGER NOT NULL,
                   formal_name TEXT NOT NULL DEFAULT '', alt_name TEXT NOT NULL DEFAULT '',
                   kind INTEGER NOT NULL DEFAULT 0, debit_normal INTEGER NOT NULL DEFAULT 1,
                   class_code INTEGER NOT NULL, PRIMARY KEY(data_id, seq));
CREATE TABLE postings(data_id TEXT NOT NULL, account_key INTEGER NOT NULL, period INTEGER NOT NULL,
                   debit1 INTEGER NOT NULL DEFAULT 0, credit1 INTEGER NOT NULL DEFAULT 0,
                   debit2 INTEGER NOT NULL DEFAULT 0, credit2 INTEGER NOT NULL DEFAULT 0);
CREATE TABLE statement_texts(data_id TEXT NOT NULL, kind INTEGER NOT NULL, text NOT NULL,
                   PRIMARY KEY(data_id, kind));
CREATE TABLE folders(folder_type INTEGER PRIMARY KEY, path TEXT NOT NULL);
CREATE TABLE faults(call TEXT PRIMARY KEY, status INTEGER NOT NULL, after INTEGER NOT NULL DEFAULT 0);
CREATE TABLE settings(key TEXT PRIMARY KEY, value);
INSERT INTO users(user_id, selected_no1, selected_no2, is_current) VALUES ('tester', 0, 7, 1);
INSERT INTO datasets(data_no, data_id, company_name, start_date, end_date)
    VALUES (7, 'UI01', 'UI Test Co.', 20240401, 20250331);
INSERT INTO folders(folder_type, path) VALUES (0, 'C:\out\'), (1, 'C:\settings\');
)sql";

const Json nullValue;
int runNumber = 0;

}  // namespace

UiBooks& UiBooks::Shared()
{
    static UiBooks books;
    return books;
}

UiBooks::UiBooks() : path_(HostPath("books.db"))
{
    Exec(schema);
    setenv("LGR_BOOKS", path_.c_str(), 1);
    ClLgrConnect* connection = ClLgrConnect::Inst();
    connection->SetAppType(0);
    connection->SetUseDataType(1);
    if (connection->Initiate() != 0 || connection->ExpSysLink() != 0)
        throw std::runtime_error("the engine does not link to " + path_);
}

void UiBooks::Exec(const std::string& sql)
{
    sqlite3* db = nullptr;
    if (sqlite3_open(path_.c_str(), &db) != SQLITE_OK)
        throw std::runtime_error("cannot open " + path_);
    char* error = nullptr;
    int rc = sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &error);
    std::string message = error != nullptr ? error : "";
    sqlite3_free(error);
    sqlite3_close(db);
    if (rc != SQLITE_OK)
        throw std::runtime_error("books: " + message);
}

void UiBooks::SetFolder(int type, const std::string& windowsPathUtf8)
{
    std::string quoted;
    for (char ch : windowsPathUtf8)
        quoted += ch == '\'' ? std::string("''") : std::string(1, ch);
    std::string sql = "DELETE FROM folders WHERE folder_type = " + std::to_string(type) + ";";
    if (!windowsPathUtf8.empty())
        sql += "INSERT INTO folders(folder_type, path) VALUES (" + std::to_string(type) + ", '" + quoted + "');";
    Exec(sql);
}

int ScriptRun::Find(std::string_view event, int from) const
{
    for (int i = from < 0 ? 0 : from; i < static_cast<int>(events.size()); ++i) {
        if (events[static_cast<size_t>(i)]["event"].text == event)
            return i;
    }
    return -1;
}

int ScriptRun::Count(std::string_view event) const
{
    int count = 0;
    for (const Json& e : events)
        count += e["event"].text == event ? 1 : 0;
    return count;
}

const Json& ScriptRun::MessageBox(int nth) const
{
    int index = -1;
    for (int n = 0; n <= nth; ++n) {
        index = Find("msgbox", index + 1);
        if (index < 0)
            return nullValue;
    }
    return events[static_cast<size_t>(index)];
}

const Json& ScriptRun::WaitAfter(int index) const
{
    int wait = index < 0 ? -1 : Find("wait", index + 1);
    return wait < 0 ? nullValue : events[static_cast<size_t>(wait)];
}

const Json& ScriptRun::DialogEnd() const
{
    for (const Json& e : events) {
        if (e["event"].text == "dialog" && e["state"].text == "end")
            return e;
    }
    return nullValue;
}

std::string ScriptRun::Dump() const
{
    std::string text = "end code " + std::to_string(code) + ", events:";
    for (const Json& e : events) {
        text += "\n  " + e["event"].text;
        for (const auto& member : e.members) {
            if (member.second.kind == Json::Text && member.first != "event")
                text += " " + member.first + "=\"" + member.second.text + "\"";
            else if (member.second.kind == Json::Number)
                text += " " + member.first + "=" + std::to_string(member.second.number);
            else if (member.first == "selection")
                text += " selection=[" + std::to_string(member.second[0].number) + ","
                    + std::to_string(member.second[1].number) + "]";
        }
    }
    return text;
}

ScriptRun RunScript(const std::string& script, const std::function<long long()>& show)
{
    UiBooks::Shared();
    ++runNumber;
    std::string scriptPath = HostPath("run" + std::to_string(runNumber) + ".script");
    std::string logPath = HostPath("run" + std::to_string(runNumber) + ".jsonl");
    WriteHostFile(scriptPath, script);
    setenv("STMTPORT_UI_LOG", logPath.c_str(), 1);
    std::string error;
    ScriptRun run;
    if (!host::StartUi("script:" + scriptPath, error)) {
        ADD_FAILURE() << "cannot start the script backend: " << error;
        return run;
    }
    run.code = show();
    run.events = ReadTranscript(logPath);
    return run;
}

void FillAprilToMarch(ConditionDialog& dialog)
{
    strcpy(dialog.userId, "tester");
    dialog.selectedNo1 = 0;
    dialog.selectedNo2 = 7;
    dialog.isPastData = 0;
    dialog.periodStart = 20240401;
    dialog.periodEnd = 20250331;
    dialog.introMonth = 0;
    dialog.companyNameText = " UI Test Co.";
    dialog.periodText = " 2024/04/01～2025/03/31";
    dialog.companyLawReady = 1;
}

std::string Utf8(const char8_t* text)
{
    return reinterpret_cast<const char*>(text);
}

}  // namespace uitest
