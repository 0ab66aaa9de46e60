// The warning about flagged notes that the statements file cannot carry, and the notes switches.
#include <filesystem>
#include <initializer_list>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "E2eBooks.h"
#include "ProgramRun.h"

namespace e2e {
namespace {

const int PROGRESS_DIALOG = 131;

const std::string HEADER =
    Utf8(u8"以下の注記は連動に対応していません。\nこれらの注記はVoransa上で手入力してください。\n\n");
const std::string TRAILER = Utf8(u8"\nこれらの注記を除いて処理を続行します。");
const std::string WRITTEN = Utf8(u8"決算書情報の出力が終了しました。\n\nアプリケーションを終了します。");

struct NotesCase {
    const char* name;
    std::initializer_list<int> flagged;
    const char* outputSetting;           // data kind 0
    bool inputOn;
    std::string warning;                 // the expected warning text, or "" when none is shown
    bool notesListWritten;
};

class NotesWarning : public ProgramTest {};

TEST_F(NotesWarning, FlaggedNotesInTableOrder)
{
    const std::string all = HEADER +
        Utf8(u8"・会計上の見積もりに関する注記\n・会計上の見積もりの変更に関する注記\n・誤謬の訂正に関する注記\n"
             u8"・金融商品に関する注記\n・賃貸等不動産に関する注記\n・収益認識に関する注記\n") +
        TRAILER;
    const std::string two = HEADER + Utf8(u8"・金融商品に関する注記\n・収益認識に関する注記\n") + TRAILER;
    const NotesCase cases[] = {
        {"all six flagged among others", {1, 33, 17, 16, 21, 20, 32, 40}, "Note=1\r\n", true, all, true},
        {"two flagged, listed in table order", {33, 16}, "Note=1\r\n", true, two, true},
        {"only supported notes flagged", {1, 2, 40}, "Note=1\r\n", true, "", true},
        {"notes input on, output off", {32, 33}, "Note=0\r\n", true, "", false},
        {"notes input off", {32, 33}, "Note=1\r\n", false, "", false},
    };
    for (const NotesCase& c : cases) {
        SCOPED_TRACE(c.name);
        E2eBooks books(folder.Path());
        std::string settings = NotesSettingsText(c.flagged);
        if (!c.inputOn)
            settings.replace(settings.find("InputMode=1"), 11, "InputMode=0");
        books.SetText(100, settings);
        books.SetText(0, std::string("[Kessan]\r\n") + c.outputSetting);
        books.SetText(1000, "<Line>note</Line>\r\n");
        RunSetup setup;
        setup.books = books.Path();
        std::filesystem::remove(folder.File("out.xml"));
        setup.script = ExportScript(folder.WindowsPath("out.xml"));
        const RunOutcome run = Run(setup);

        std::vector<std::string> texts;
        const Json* warningBox = nullptr;
        for (const Json* box : run.MessageBoxes()) {
            texts.push_back(box->Text("text"));
            if (box->Text("text").starts_with(HEADER))
                warningBox = box;
        }
        ASSERT_FALSE(texts.empty());
        EXPECT_EQ(texts.back(), WRITTEN) << "the run goes on to the end";
        if (c.warning.empty()) {
            EXPECT_EQ(warningBox, nullptr);
        } else {
            ASSERT_NE(warningBox, nullptr);
            EXPECT_EQ(warningBox->Text("text"), c.warning);
            EXPECT_EQ(warningBox->Text("icon"), "exclamation");
            EXPECT_EQ(warningBox->Int("owner"), PROGRESS_DIALOG);
        }
        const std::string document = ReadStatements("out.xml");
        ASSERT_FALSE(document.empty());
        EXPECT_EQ(document.find("<ListNotesNonConsolidated") != std::string::npos, c.notesListWritten);
    }
}

}  // namespace
}  // namespace e2e
