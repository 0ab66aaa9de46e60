// Every road of a launched run posts its result, and closes the engine connection in order.
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "E2eBooks.h"
#include "ProgramRun.h"

namespace e2e {
namespace {

const std::vector<std::string> CONNECTION_CLOSE = {"LogOut", "Terminate", "Release"};

class RunResults : public ProgramTest {};

struct RoadCase {
    const char* name;
    DataSetSpec dataSet;
    std::function<void(E2eBooks&)> prepareBooks;
    std::optional<std::string> definitionFile;   // a program copy with this VoransaDef.ini
    std::string script;                          // "%OUT%" stands for the destination
    std::string drives;
    int result;                                  // the posted result; -1: nothing is posted
    const char* message;                         // the last message box's text (UTF-8), or nullptr
};

std::string Replaced(std::string text, const std::string& marker, const std::string& value)
{
    for (size_t at = text.find(marker); at != std::string::npos; at = text.find(marker, at + value.size()))
        text.replace(at, marker.size(), value);
    return text;
}

TEST_F(RunResults, EveryRoadPostsItsResult)
{
    DataSetSpec notCompaniesAct;
    notCompaniesAct.companiesAct = 0;
    const auto none = [](E2eBooks&) {};
    const std::string failed = Utf8(u8"XMLファイルの出力に失敗しました。\n\nアプリケーションを終了します。");
    const RoadCase cases[] = {
        {"written", {}, none, std::nullopt, "set 1015 %OUT%\nkey F12\n", "", 0,
         reinterpret_cast<const char*>(u8"決算書情報の出力が終了しました。\n\nアプリケーションを終了します。")},
        {"conditions dialog cancelled", {}, none, std::nullopt, "key ESC\n", "", 1,
         reinterpret_cast<const char*>(u8"｢決算書｣の集計を中止します。")},
        {"data set refused at start", notCompaniesAct, none, std::nullopt, "", "", 1, nullptr},
        {"engine link cancelled", {}, [](E2eBooks& books) { books.SetFault("ExpSysLink", 1); }, std::nullopt, "", "",
         1, nullptr},
        {"engine link failed", {}, [](E2eBooks& books) { books.SetFault("ExpSysLink", 9); }, std::nullopt, "", "", 2,
         nullptr},
        {"installed package too new", {}, none, "[ProgramLevel]\r\nKT31=4\r\n", "", "", 2,
         reinterpret_cast<const char*>(u8"ご利用の連動コンポーネントは、インストールされているVoransaでは使用できません。\n"
                                       u8"連動コンポーネントの最新版を入手してインストールしてからご利用ください。")},
        {"no definition file", {}, none, std::nullopt, "", "", 2,
         reinterpret_cast<const char*>(u8"動作環境が不正です。\nVoransaが正しくインストールされているか確認してください。")},
        {"write failure on a full device", {}, none, std::nullopt, "set 1015 D:\\full\nkey F12\nanswer YES\n",
         "C=fixed:/;D=fixed:/dev", 2, failed.c_str()},
        {"engine start failed", {}, [](E2eBooks& books) { books.SetFault("Initiate", 4); }, std::nullopt, "", "", -1,
         nullptr},
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        const RoadCase& c = cases[i];
        SCOPED_TRACE(c.name);
        E2eBooks books(folder.Path(), c.dataSet);
        c.prepareBooks(books);
        RunSetup setup;
        setup.books = books.Path();
        if (c.definitionFile || std::string(c.name) == "no definition file")
            setup.program = CopyProgram("StmtPortA", c.definitionFile);
        setup.launcher = std::vector<std::string> {"--handle", "77", "--function", "5"};
        const std::string out = "out" + std::to_string(i) + ".xml";
        setup.script = Replaced(c.script, "%OUT%", folder.WindowsPath(out));
        setup.drives = c.drives;
        const RunOutcome run = Run(setup);

        const std::vector<std::string> calls = run.EngineCalls();
        ASSERT_GE(calls.size(), 3u);
        EXPECT_EQ(std::vector<std::string>(calls.end() - 3, calls.end()), CONNECTION_CLOSE);
        if (c.message != nullptr) {
            ASSERT_FALSE(run.MessageBoxes().empty());
            EXPECT_EQ(run.MessageBoxes().back()->Text("text"), c.message);
        }
        EXPECT_EQ(folder.Exists(out), c.result == 0);
        if (c.result < 0) {
            EXPECT_EQ(run.process.exitCode, 3) << "the launcher was told nothing";
            EXPECT_TRUE(run.datagrams.empty());
            EXPECT_TRUE(run.ForeignCalls().empty());
            continue;
        }
        EXPECT_EQ(run.process.exitCode, c.result);
        const std::vector<std::string> expected = {
            "enable 0", "foreground", "enable 1", "post 1025 5 " + std::to_string(c.result), "enable 1"};
        EXPECT_EQ(run.datagrams, expected);
    }
}

}  // namespace
}  // namespace e2e
