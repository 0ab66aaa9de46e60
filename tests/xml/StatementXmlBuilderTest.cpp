// The whole statements file: byte-exact output for a fixture company, header values, and failures.
#include <StatementXmlBuilder.h>

#include <ProgressDialog.h>
#include <XmlSchemaCheck.h>

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>

#include "XmlTestHost.h"

using namespace xmltest;

namespace {

constexpr int64_t U = 10000;   // one currency unit in ten-thousandths

// A small manufacturing company with every kind of line the statements have.
struct FixtureCompany {
    Accounts accounts;
    OtherNotesLines notes;
    NoteDisplayFlags flags = {};
    StDATAINFO data = {};

    FixtureCompany()
    {
        accounts.Add(0x80800000, "資産の部", 1000 * U, 2)
            .Add(0x80880000, "流動資産", 700 * U, 2)
            .Add(0x80888000, "現金", 120000 * U + 5000)
            .Add(0x80884000, "売掛金(未)", 500 * U)
            .Add(0x80884000, "端数", 9999)
            .Add(0x80882000, "仮払金", -(U + 1))
            .Add(0x80881000, "R&D<試験>'\"", 3 * U)
            .Add(0x80884000, "集計行", 50 * U, 2)
            .Add(0x80840000, "固定資産", 300 * U, 2)
            .Add(0x80848000, "有形固定資産", 200 * U, 2)
            .Add(0x80848800, "建物", 150 * U)
            .Add(0x80840008, "ソフト仮勘定", 40 * U, 0, "", 0, 1234 * 10000 + 5)
            .Add(0x80840000, "固定資産未分類", 0)
            .Add(0x80842000, "投資その他の資産", 0, 2)
            .Add(0x80842800, "保険積立金", 60 * U)
            .Add(0x80400000, "負債の部", 400 * U, 2)
            .Add(0x80480000, "流動負債", 400 * U, 2)
            .Add(0x80488000, "買掛金", 400 * U)
            .Add(0x80200000, "純資産の部", 630 * U, 2)
            .AddMovement(0x80288000, "資本金", 500 * U, 500 * U)
            .AddMovement(0x80281048, "繰越利益剰余金", 70 * U, 100 * U)
            .AddMovement(0x80281040, "別途積立金", 20 * U, 20 * U)
            .AddMovement(0x80281040, "配当平均積立金", 10 * U, 10 * U)
            .Add(0x40888000, "売上高", 5000 * U, 2)
            .Add(0x40888800, "売 上 高", 5000 * U)
            .Add(0x40884000, "売上原価", 3000 * U, 2)
            .Add(0x40884800, "仕入高", 3000 * U)
            .Add(0x40880008, "売上総利益", 2000 * U, 2, "【売上総利益】")
            .Add(0x40882000, "販売費及び一般管理費", 1900 * U, 2)
            .Add(0x40882800, "給料（手当）", 1900 * U)
            .Add(0x40880000, "営業利益", 100 * U, 2, "（　）")
            .Add(0x40200080, "税引前当期純利益", 100 * U, 2)
            .Add(0x40200100, "法人税等", 70 * U)
            .Add(0x40200020, "法人税等調整額", 5 * U)
            .Add(0x40200040, "当期純利益", 30 * U, 2)
            .Add(0x20800000, "材料費", 800 * U, 2)
            .Add(0x20808000, "【製造】（材料）費", 800 * U)
            .Add(0x20400000, "労務費", 600 * U, 2)
            .Add(0x20408000, "[製]賃金", 600 * U)
            .Add(0x20040000, "外注加工費", 200 * U, 2)
            .Add(0x20048000, "外注費", 200 * U)
            .Add(0x20200000, "製造経費", 100 * U, 2)
            .Add(0x20208000, "電力料", 100 * U)
            .Add(0x20080000, "当期総製造費用", 1700 * U, 2, "当期製造費用")
            .Add(0x20100008, "合計", 1700 * U, 2)
            .Add(0x40884200, "当期製品製造原価", 1700 * U, 2);

        AddNote(notes, 1010010, true, {"重要な会計方針"});
        AddNote(notes, 1010050, true, {"定率法", "A&B"});
        AddNote(notes, 1020010, true, {"変更あり"});
        AddNote(notes, 1060010, false, {"貸借対照表"});
        AddNote(notes, 1060020, true, {"担保資産"});
        AddNote(notes, 1070010, true, {"損益計算書"});
        AddNote(notes, 1170010, true, {"その他"});
        AddNote(notes, 1170020, true, {"項目名"});
        AddNote(notes, 1170030, true, {"内容1", "", "内容2"});
        flags[1] = 1;
        flags[2] = 1;
        flags[10] = 1;

        std::strcpy(data.companyName, "株式会社ﾃｽﾄ Co.1");
        data.startDate = 20240401;
        data.endDate = 20250331;
        data.costScheduleFlag = 1;
    }

    void Attach(StatementXmlBuilder& builder)
    {
        builder.totals = &accounts.list;
        builder.notesLines = &notes;
        builder.noteFlags = flags;
        builder.notesPresent = 1;
        builder.equityKind = 1;
        builder.progressBase = 500;
    }
};

class StatementXmlBuilderTest : public ::testing::Test {
protected:
    void SetUp() override { RemoveFile(WorkFolder() + "/SUPPORT.INF"); }
    void TearDown() override { RemoveFile(WorkFolder() + "/SUPPORT.INF"); }

    // Builds the document for `company` into `name`; the file's bytes land in `text`.
    int Build(FixtureCompany& company, const std::string& name, std::string& text, short functionId = 3)
    {
        StatementXmlBuilder builder;
        builder.progress = &progress;
        company.Attach(builder);
        const int result = builder.BuildDocument(WindowsPath(name).c_str(), functionId, &company.data);
        text = ReadFile(HostPath(name));
        return result;
    }

    static void ExpectValid(const std::string& name)
    {
        const xmlcheck::SchemaResult check = xmlcheck::ValidateStatementsFile(HostPath(name));
        EXPECT_TRUE(check.valid) << check.messages;
    }

    ProgressDialog progress;
};

TEST_F(StatementXmlBuilderTest, FixtureCompanyFileIsByteExact)
{
    WriteFile(WorkFolder() + "/SUPPORT.INF", "[=製品名=]Zentallo２１ Test\r\n[=製品ﾊﾞｰｼﾞｮﾝ=]21.05.10\r\n");
    FixtureCompany company;
    std::string text;
    ASSERT_EQ(1, Build(company, "fixture.xml", text));
    const std::string expected = ReadFile(STMTPORT_SOURCE_DIR "/tests/xml/expected/fixture_company.xml");
    if (text != expected)
        WriteFile(STMTPORT_BUILD_DIR "/tests/fixture_company.actual.xml", text);
    EXPECT_EQ(expected, text) << "actual file kept as build/tests/fixture_company.actual.xml";
    ExpectValid("fixture.xml");
}

TEST_F(StatementXmlBuilderTest, HeaderValues)
{
    struct Case {
        const char* name;
        short functionId;
        int costSchedule;
        const char* functionLine;
        const char* cosLine;
        bool costScheduleWritten;
    };
    const Case cases[] = {
        {"not launched", 3, 0, "\t\t<FUNCTIONID>3</FUNCTIONID>\r\n", "\t\t\t\t<Cos>F1</Cos>\r\n", false},
        {"one more than 65536", static_cast<short>(65537), 1, "\t\t<FUNCTIONID>1</FUNCTIONID>\r\n",
         "\t\t\t\t<Cos>F3</Cos>\r\n", true},
        {"low 16 bits all ones", static_cast<short>(65535), 0, "\t\t<FUNCTIONID>-1</FUNCTIONID>\r\n",
         "\t\t\t\t<Cos>F1</Cos>\r\n", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FixtureCompany company;
        company.data.costScheduleFlag = c.costSchedule;
        std::string text;
        ASSERT_EQ(1, Build(company, "header.xml", text, c.functionId));
        EXPECT_NE(std::string::npos, text.find(c.functionLine));
        EXPECT_NE(std::string::npos, text.find(c.cosLine));
        EXPECT_EQ(c.costScheduleWritten, text.find("<ScheduleCostGoodsManufactured>") != std::string::npos);
        if (c.costScheduleWritten) {
            EXPECT_NE(std::string::npos, text.find("\t\t</IncomeStatement>\r\n\t\t<ScheduleCostGoodsManufactured>\r\n"));
        }
        // Defaults without SUPPORT.INF: the edition's program name and the placeholder version.
        EXPECT_NE(std::string::npos, text.find("\t\t<PROGRAMNAME>Zentallo２１</PROGRAMNAME>\r\n"));
        EXPECT_NE(std::string::npos, text.find("\t\t<PROGRAMVER>21.00.0X</PROGRAMVER>\r\n"));
        EXPECT_NE(std::string::npos, text.find("\t\t<CONNECTEDPROGRAMVER>21.00.03</CONNECTEDPROGRAMVER>\r\n"));
        ExpectValid("header.xml");
    }
}

TEST_F(StatementXmlBuilderTest, NotesNotReadEndDataAfterTheEquityStatement)
{
    FixtureCompany company;
    StatementXmlBuilder builder;
    company.Attach(builder);
    builder.notesPresent = 0;
    builder.equityKind = 2;
    ASSERT_EQ(1, builder.BuildDocument(WindowsPath("nonotes.xml").c_str(), 3, &company.data));
    const std::string text = ReadFile(HostPath("nonotes.xml"));
    EXPECT_NE(std::string::npos, text.find("\t\t\t<Select>2</Select>\r\n"));
    EXPECT_NE(std::string::npos, text.find("\t\t</StatementChangesNetAssets>\r\n\t</DATA>\r\n</REPORT>\r\n"));
    EXPECT_EQ(std::string::npos, text.find("ListNotesNonConsolidated"));
    ExpectValid("nonotes.xml");
}

TEST_F(StatementXmlBuilderTest, ClientName)
{
    struct Case {
        const char* name;
        std::string company;
        std::string expected;
    };
    const std::string thirty(30, 'a');
    std::string thirtyWide;
    for (int i = 0; i < 30; ++i)
        thirtyWide += "ａ";
    std::string longWide;   // 31 wide characters: 62 bytes, the most that fits in 63
    for (int i = 0; i < 31; ++i)
        longWide += "ｂ";
    const Case cases[] = {
        {"half-width letters, digits, blanks and katakana widen", "ﾃｽﾄ Co.1", "テスト　Ｃｏ．１"},
        {"full-width text stays", "株式会社山田", "株式会社山田"},
        {"30 half-width characters are written whole", thirty, thirtyWide},
        {"a long name keeps 62 bytes of whole characters", std::string(40, 'b'), longWide},
        {"a long double-byte name too", std::string("x") + std::string(20, 'b') + "漢字漢字漢字漢字漢字",
         "ｘ" + longWide.substr(0, 40) + "漢字漢字漢字漢字漢字"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.expected, StatementXmlBuilder::ClientName(c.company.c_str()).Str());
    }
}

TEST_F(StatementXmlBuilderTest, FileThatCannotBeOpenedFails)
{
    FixtureCompany company;
    std::string text;
    EXPECT_EQ(0, Build(company, "missing/folder/a.xml", text));
    EXPECT_TRUE(text.empty());
}

TEST_F(StatementXmlBuilderTest, FullDiskFailsAtTheFirstWrite)
{
    FixtureCompany company;
    StatementXmlBuilder builder;
    company.Attach(builder);
    EXPECT_EQ(0, builder.BuildDocument("D:\\full", 3, &company.data));
}

TEST_F(StatementXmlBuilderTest, SectionFailureStillEndsTheReport)
{
    // Retained earnings moved, but there is no net-income record to carry into the equity statement.
    FixtureCompany company;
    company.accounts.list.remove_if([](const AccountTotal* record) { return record->classCode == 0x40200040; });
    std::string text;
    EXPECT_EQ(0, Build(company, "failed.xml", text));
    ASSERT_GE(text.size(), 11u);
    EXPECT_EQ("</REPORT>\r\n", text.substr(text.size() - 11));
    EXPECT_NE(std::string::npos, text.find("\t\t\t<Select>1</Select>\r\n"));
    EXPECT_EQ(std::string::npos, text.find("</DATA>"));
}

TEST_F(StatementXmlBuilderTest, WriteFailureInTheMiddleStopsTheDocument)
{
    FixtureCompany company;
    std::string complete;
    ASSERT_EQ(1, Build(company, "complete.xml", complete));
    // The limit falls inside DATA, after SYSTEM and BASIC were written.
    const size_t limit = complete.find("<IncomeStatement>") + 7;

    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        signal(SIGXFSZ, SIG_IGN);
        const rlimit size = {limit, limit};
        setrlimit(RLIMIT_FSIZE, &size);
        StatementXmlBuilder builder;
        company.Attach(builder);
        _exit(builder.BuildDocument(WindowsPath("limited.xml").c_str(), 3, &company.data) == 0 ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(child, waitpid(child, &status, 0));
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(0, WEXITSTATUS(status)) << "BuildDocument reported success";
    // What reached the disk is the start of the document; nothing was written after the failure,
    // so the file cannot end with </REPORT>.
    const std::string partial = ReadFile(HostPath("limited.xml"));
    EXPECT_LE(partial.size(), limit);
    EXPECT_GT(partial.size(), complete.find("<DATA>"));
    EXPECT_EQ(complete.substr(0, partial.size()), partial);
}

}  // namespace
