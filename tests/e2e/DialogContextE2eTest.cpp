// What the run hands the conditions dialog from the selected data set, and data sets it refuses.
#include <string>

#include <gtest/gtest.h>

#include "E2eBooks.h"
#include "ProgramRun.h"

namespace e2e {
namespace {

const int CONDITION_DIALOG = 130;
const int COMPANY_NAME = 1006;

class DialogContext : public ProgramTest {};

TEST_F(DialogContext, LongCompanyNameIsCutBeforeASplitCharacter)
{
    DataSetSpec dataSet;
    // A blank and 47 letters leave room for one double-byte character of the two.
    dataSet.companyName = std::string(47, 'A') + Utf8(u8"表表");
    E2eBooks books(folder.Path(), dataSet);
    RunSetup setup;
    setup.books = books.Path();
    setup.script = "key ESC\n";
    const RunOutcome run = Run(setup);
    const Json* name = ControlOf(run.Dialog(CONDITION_DIALOG, "open"), COMPANY_NAME);
    ASSERT_NE(name, nullptr);
    EXPECT_EQ(name->Text("text"), " " + std::string(47, 'A') + Utf8(u8"表"));
}

TEST_F(DialogContext, RefusedDataSetsEndAsCancelled)
{
    struct Case {
        const char* name;
        const char* sql;
        std::string message;
    };
    const std::string companiesAct = Utf8(
        u8"選択された会計データは会社法(H18.5施行)に対応していないため、\n連携の対象として使用できません。\n"
        u8"(Zentalloを起動し、[事業所・消費税情報設定]にて会社法対応データへ   \n変換することで、連携ができます。)\n\n"
        u8"アプリケーションを終了します。");
    const Case cases[] = {
        {"no data set carries the selected number", "UPDATE users SET selected_no2 = 7", companiesAct},
        {"past-results data", "UPDATE datasets SET intro_month = 99",
         Utf8(u8"過去実績データは、連携の対象として使用できません。\n\nアプリケーションを終了します。")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        E2eBooks books(folder.Path());
        books.Exec(c.sql);
        RunSetup setup;
        setup.books = books.Path();
        setup.launcher = std::vector<std::string> {"--function", "3"};
        const RunOutcome run = Run(setup);
        EXPECT_EQ(run.process.exitCode, 1);
        ASSERT_EQ(run.MessageBoxes().size(), 1u);
        EXPECT_EQ(run.MessageBoxes()[0]->Text("text"), c.message);
        EXPECT_EQ(run.Events("wait").size(), 0u) << "refused before the user can act";
    }
}

}  // namespace
}  // namespace e2e
