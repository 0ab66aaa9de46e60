// The progress window: caption percentages and bar steps per advanced value.
#include <gtest/gtest.h>

#include <string>

#include "DialogHarness.h"
#include "ProgressDialog.h"

namespace {

using uitest::ScriptRun;
using uitest::Utf8;

std::vector<std::string> Captions(const ScriptRun& run)
{
    std::vector<std::string> captions;
    for (const uitest::Json& e : run.events) {
        if (e["event"].text == "caption" && e["window"].number == 131)
            captions.push_back(e["text"].text);
    }
    return captions;
}

TEST(ProgressDialog, AdvanceStepsOncePerValueAndShowsWholePercent)
{
    struct Case {
        short first, last;
        int steps;
        std::vector<std::string> captions;
    } cases[] = {
        {0, 100, 101,
         {Utf8(u8"集計中 0％"), Utf8(u8"集計中 1％"), Utf8(u8"集計中 2％"), Utf8(u8"集計中 3％"), Utf8(u8"集計中 4％"),
          Utf8(u8"集計中 5％"), Utf8(u8"集計中 6％"), Utf8(u8"集計中 7％"), Utf8(u8"集計中 8％"), Utf8(u8"集計中 9％"),
          Utf8(u8"集計中 10％")}},
        {300, 300, 1, {Utf8(u8"集計中 30％")}},
        {5, 9, 5, {}},
        {9, 5, 0, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.first << ".." << c.last);
        ProgressDialog dialog;
        int position = -1;
        int low = -1;
        int high = -1;
        ScriptRun run = uitest::RunScript("", [&] {
            dialog.Create(ProgressDialog::IDD);
            dialog.ShowWindow(SW_SHOW);
            dialog.ResetProgress();
            dialog.AdvanceProgress(c.first, c.last);
            position = dialog.mainBar.GetPos();
            dialog.mainBar.GetRange(low, high);
            dialog.Close();
            return 1LL;
        });
        SCOPED_TRACE(run.Dump());
        EXPECT_EQ(position, c.steps);
        EXPECT_EQ(low, 0);
        EXPECT_EQ(high, 1000);
        EXPECT_EQ(Captions(run), c.captions);
    }
}

TEST(ProgressDialog, ConsecutiveStagesCountTheirSharedValueTwice)
{
    ProgressDialog dialog;
    int position = -1;
    uitest::RunScript("", [&] {
        dialog.Create(ProgressDialog::IDD);
        dialog.ResetProgress();
        dialog.AdvanceProgress(0, 10);
        dialog.AdvanceProgress(10, 20);
        position = dialog.mainBar.GetPos();
        dialog.Close();
        return 1LL;
    });
    EXPECT_EQ(position, 22);
}

TEST(ProgressDialog, PulseSweepsTheActivityBar)
{
    ProgressDialog dialog;
    int low = -1;
    int high = -1;
    int position = -1;
    int mainPosition = -1;
    uitest::RunScript("", [&] {
        dialog.Create(ProgressDialog::IDD);
        dialog.ResetProgress();
        dialog.activityBar.SetRange(0, 100);
        dialog.activityBar.SetPos(50);
        dialog.PulseActivity();
        dialog.activityBar.GetRange(low, high);
        position = dialog.activityBar.GetPos();
        mainPosition = dialog.mainBar.GetPos();
        dialog.Close();
        return 1LL;
    });
    EXPECT_EQ(low, 0);
    EXPECT_EQ(high, 5);
    // Six steps from 0 over 0..5 run past the end once, wherever the bar then stands.
    EXPECT_GE(position, 0);
    EXPECT_LE(position, 5);
    EXPECT_EQ(mainPosition, 0);
}

TEST(ProgressDialog, TemplateAndClose)
{
    ProgressDialog dialog;
    ScriptRun run = uitest::RunScript("", [&] {
        dialog.Create(ProgressDialog::IDD);
        dialog.ShowWindow(SW_SHOW);
        dialog.ResetProgress();
        dialog.Close();
        return 1LL;
    });
    SCOPED_TRACE(run.Dump());
    int open = run.Find("dialog");
    ASSERT_GE(open, 0);
    const uitest::Json& shown = run.events[static_cast<size_t>(open)];
    EXPECT_EQ(shown["id"].number, 131);
    EXPECT_EQ(shown["caption"].text, Utf8(u8"集計中"));
    const uitest::Json& end = run.DialogEnd();
    EXPECT_EQ(uitest::ControlOf(end, 1016)["range"][1].number, 1000);
    EXPECT_EQ(uitest::ControlOf(end, 1017)["range"][1].number, 100);
    EXPECT_EQ(end["id"].number, 131);
    EXPECT_EQ(end["code"].number, 1);
}

}  // namespace
