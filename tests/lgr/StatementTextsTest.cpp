// Saved statement texts: COM task buffers per data kind, texts converted, blobs untouched.
#include <LgrBCore.h>
#include <gtest/gtest.h>
#include <objbase.h>

#include <string>

#include "EngineFixture.h"

using lgrtest::Attach;
using testbooks::SqlBlob;
using testbooks::Utf8;

namespace {

struct Read {
    long status;
    std::string text;
    long size;
    bool null;
};

Read ReadKind(long kind) {
    ClSaveKessansho save;
    Attach(save);
    unsigned char* text = reinterpret_cast<unsigned char*>(1);
    long size = -1;
    Read read;
    read.status = save.GetDataType02(kind, &text, &size);
    read.null = text == nullptr;
    read.size = size;
    if (text != nullptr) {
        read.text.assign(reinterpret_cast<const char*>(text));
        CoTaskMemFree(text);
    }
    return read;
}

TEST(StatementTexts, EachKindComesInItsOwnNulTerminatedBuffer) {
    const std::string raw = "[Note_00]\r\nDisp=1\r\n\x81\x7F\x95\x5C";
    lgrtest::Connected connected(std::string(testbooks::kStandardDataSet) + Utf8(
        u8"INSERT INTO statement_texts VALUES('D1', 0, 'Note=1'),"
        u8" ('D1', 1000, '<ID>1010010</ID>' || char(13, 10) || '<Line>注記&amp;</Line>'),"
        u8" ('D2', 100, 'other data set'),") +
        " ('D1', 100, " + SqlBlob(raw) + ");");
    struct Case {
        long kind;
        std::string text;
    } cases[] = {
        {0, "Note=1"},
        {100, raw},
        {1000, "<ID>1010010</ID>\r\n<Line>注記&amp;</Line>"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind);
        const Read read = ReadKind(c.kind);
        EXPECT_EQ(read.status, 0);
        EXPECT_EQ(read.text, c.text);
        EXPECT_EQ(read.size, static_cast<long>(c.text.size()));
    }
}

TEST(StatementTexts, AMissingKindGivesAFailureAndNoBuffer) {
    lgrtest::Connected connected(std::string(testbooks::kStandardDataSet) +
                                 "INSERT INTO statement_texts VALUES('D2', 0, 'Note=1');");
    const Read read = ReadKind(0);
    EXPECT_NE(read.status, 0);
    EXPECT_TRUE(read.null);
    EXPECT_EQ(read.size, 0);
}

TEST(StatementTexts, AFaultOnOneKindFiresOnceAfterItsCount) {
    lgrtest::Connected connected(std::string(testbooks::kStandardDataSet) +
                                 "INSERT INTO statement_texts VALUES('D1', 0, 'Note=1'), ('D1', 1000, 'x');"
                                 "INSERT INTO faults VALUES('GetDataType02:1000', 77, 1);");
    EXPECT_EQ(ReadKind(1000).status, 0);
    EXPECT_EQ(ReadKind(0).status, 0);
    const Read failed = ReadKind(1000);
    EXPECT_EQ(failed.status, 77);
    EXPECT_TRUE(failed.null);
    EXPECT_EQ(ReadKind(1000).status, 0);
}

}  // namespace
