// The check of the installed tax package's level in VoransaDef.ini of the current directory.
#include <cstdlib>
#include <optional>
#include <string>

#include <gtest/gtest.h>

#include <ExportApp.h>

#include "host/Codepage.h"

#include "Json.h"
#include "TempFolder.h"

namespace {

const char* const ENVIRONMENT_MESSAGE = reinterpret_cast<const char*>(
    u8"動作環境が不正です。\nVoransaが正しくインストールされているか確認してください。");
const char* const OLDER_MESSAGE = reinterpret_cast<const char*>(
    u8"ご利用の連動コンポーネントは、インストールされているVoransaでは使用できません。\n"
    u8"Voransaの最新版を入手してインストールしてからご利用ください。");
const char* const NEWER_MESSAGE = reinterpret_cast<const char*>(
    u8"ご利用の連動コンポーネントは、インストールされているVoransaでは使用できません。\n"
    u8"連動コンポーネントの最新版を入手してインストールしてからご利用ください。");

struct InstallCase {
    const char* name;
    const char* folder;                       // host folder name inside the test folder (UTF-8)
    std::optional<std::string> definition;    // VoransaDef.ini, or none
    int result;
    const char* message;                      // UTF-8, or nullptr when none is shown
};

class InstallCheck : public ::testing::Test {
protected:
    void SetUp() override { setenv("STMTPORT_UI_LOG", folder.File("transcript.jsonl").c_str(), 1); }
    void TearDown() override { unsetenv("STMTPORT_UI_LOG"); }

    std::vector<e2e::Json> MessageBoxes() const
    {
        std::vector<e2e::Json> boxes;
        for (e2e::Json& event : e2e::ReadJsonLines(folder.File("transcript.jsonl"))) {
            if (event.Text("event") == "msgbox")
                boxes.push_back(std::move(event));
        }
        return boxes;
    }

    e2e::TempFolder folder;
};

TEST_F(InstallCheck, LevelsAndMessages)
{
    // The program folder's name ends in a character whose trail byte is a backslash.
    const InstallCase cases[] = {
        {"no definition file", "missing", std::nullopt, 0, ENVIRONMENT_MESSAGE},
        {"no KT31 key", "nokey", "[ProgramLevel]\r\nKT30=3\r\n", 0, OLDER_MESSAGE},
        {"KT31 in another section", "othersection", "[Other]\r\nKT31=3\r\n", 0, OLDER_MESSAGE},
        {"empty value", "empty", "[ProgramLevel]\r\nKT31=\r\n", 0, ENVIRONMENT_MESSAGE},
        {"level 3", "three", "[ProgramLevel]\r\nKT31=3\r\n", 1, nullptr},
        {"3 with trailing text", "threea", "[ProgramLevel]\r\nKT31=3a\r\n", 1, nullptr},
        {"level 4", "four", "[ProgramLevel]\r\nKT31=4\r\n", 0, NEWER_MESSAGE},
        {"level 2", "two", "[ProgramLevel]\r\nKT31=2\r\n", 0, OLDER_MESSAGE},
        {"not a number", "word", "[ProgramLevel]\r\nKT31=abc\r\n", 0, OLDER_MESSAGE},
        {"a very large level", "large", "[ProgramLevel]\r\nKT31=99999999999999\r\n", 0, NEWER_MESSAGE},
        {"folder ending in a double-byte character", reinterpret_cast<const char*>(u8"決算表"),
         "[ProgramLevel]\r\nKT31=3\r\n", 1, nullptr},
    };
    size_t shown = 0;
    for (const InstallCase& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string folderName = c.folder;
        folder.Write(folderName + "/placeholder", "");
        if (c.definition)
            folder.Write(folderName + "/VoransaDef.ini", *c.definition);
        // The platform converts the UTF-8 host name back to CP932 for the program.
        ASSERT_TRUE(SetCurrentDirectoryA(host::Utf8ToCp932(folder.WindowsPath(folderName)).c_str()));

        ExportApp app;
        EXPECT_EQ(app.CheckInstallCompatibility(0), c.result);
        EXPECT_EQ(MessageBoxes().size(), shown) << "no message without the switch";

        EXPECT_EQ(app.CheckInstallCompatibility(1), c.result);
        const std::vector<e2e::Json> boxes = MessageBoxes();
        if (c.message == nullptr) {
            EXPECT_EQ(boxes.size(), shown);
            continue;
        }
        ASSERT_EQ(boxes.size(), shown + 1);
        const e2e::Json& box = boxes.back();
        EXPECT_EQ(box.Text("text"), c.message);
        EXPECT_EQ(box.Text("caption"), reinterpret_cast<const char*>(u8"決算書"));
        EXPECT_EQ(box.Text("icon"), "exclamation");
        EXPECT_EQ(box.Text("buttons"), "ok");
        shown = boxes.size();
    }
}

}  // namespace
