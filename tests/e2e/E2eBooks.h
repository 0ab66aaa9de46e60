// Books for an end-to-end test: one signed-in user and one selected data set, with the accounts,
// postings, notes texts and faults the test adds; the program's settings folder is the test's.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>

#include "TestBooks.h"

namespace e2e {

struct DataSetSpec {
    std::string dataId = "E2E01";
    std::string companyName = reinterpret_cast<const char*>(u8"東都精機株式会社");   // UTF-8
    int32_t startDate = 20230401;
    int32_t endDate = 20240331;
    int costSchedule = 0;
    int interimClosing = 0;
    int introMonth = 0;
    int companiesAct = 1;
};

class E2eBooks {
public:
    // User "E2EUSER" selecting the data set; the engine's settings folder is `settingsFolder`
    // (a host folder), where the remembered-destinations file lands.
    explicit E2eBooks(const std::string& settingsFolder, const DataSetSpec& dataSet = DataSetSpec());

    const std::string& Path() const { return books_.Path(); }
    void Exec(const std::string& sql) const { books_.Exec(sql); }
    // Accounts in delivery order; amounts in ten-thousandths of the first amount set.
    void AddAccount(int64_t key, const std::string& name, uint32_t classCode, int debitNormal = 1);
    void AddPosting(int64_t key, int period, int64_t debit, int64_t credit) const;
    // A statements text (kinds 0, 100, 1000), stored as bytes.
    void SetText(int kind, const std::string& bytes) const;
    // The named engine call returns `status` once it has succeeded `after` times.
    void SetFault(const std::string& call, long status, int after = 0) const;

private:
    testbooks::TestBooks books_;
    std::string dataId_;
    int nextSeq_ = 1;
};

// The notes settings text (data kind 100): notes input on, and one "[Note_NN]" section per
// heading 0..49 whose Disp is 1 exactly for the numbers flagged.
std::string NotesSettingsText(const std::initializer_list<int>& flagged);

}  // namespace e2e
