// Shared pieces of the engine tests: books made per test, the connection around them, the transcript.
#pragma once

#include <LgrBCore.h>
#include <LgrCmn.h>
#include <LgrLink.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TestBooks.h"

namespace lgrtest {

// The transcript lines written since the last call (each test process has its own transcript file).
std::vector<std::string> NewTranscriptLines();

// Lines of the new transcript part that contain every one of the given pieces.
std::vector<std::string> LinesWith(const std::vector<std::string>& lines, const std::vector<std::string>& pieces);

// Books from the schema and sql, connected for the test's lifetime.
class Connected {
public:
    explicit Connected(std::string_view sql);
    ~Connected();
    const testbooks::TestBooks& Books() const { return books_; }
    long initiateStatus;

private:
    testbooks::TestBooks books_;
};

// Data set D1 as the system attaches a rule to it.
template <typename Rule>
void Attach(Rule& rule, const char* dataId = "D1") {
    rule.AttachSetMgr(ClDataMgr::Inst()->GetSetMgr());
    rule.SetCurDataID(dataId);
    rule.AttachOptLink(ClLinkMgr::Inst()->GetOptLink());
}

// Condition entries as the system builds them: months P..Q, then the extra periods asked for.
std::vector<StFINDINFO> Conditions(int first, int last, bool interim, bool yearEnd);

}  // namespace lgrtest
