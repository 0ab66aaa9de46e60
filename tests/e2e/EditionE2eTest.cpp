// The three programs differ in exactly their edition settings: engine edition, settings file, name.
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "E2eBooks.h"
#include "ProgramRun.h"

namespace e2e {
namespace {

class Editions : public ProgramTest {
protected:
    E2eBooks books {folder.Path()};
};

TEST_F(Editions, EachProgramWritesItsOwnSettings)
{
    struct Case {
        const char* program;
        int appType;
        const char* settingsFile;
        std::string programName;
    };
    const Case cases[] = {
        {"StmtPortA", 0, "StmtPortA.env", Utf8(u8"Zentallo２１")},
        {"StmtPortB", 3, "StmtPortB.env", Utf8(u8"Zentallo２１ Velt")},
        {"StmtPortC", 4, "StmtPortC.env", Utf8(u8"Zentallo２１ Amaryl")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.program);
        for (const Case& other : cases)
            std::filesystem::remove(folder.File(other.settingsFile));
        std::filesystem::remove(folder.File("out.xml"));
        RunSetup setup;
        setup.books = books.Path();
        // Without SUPPORT.INF beside it the program names its own edition.
        setup.program = CopyProgram(c.program, "[ProgramLevel]\r\nKT31=3\r\n");
        setup.script = ExportScript(folder.WindowsPath("out.xml"));
        const RunOutcome run = Run(setup);

        const std::string document = ReadStatements("out.xml");
        EXPECT_EQ(ElementText(document, "PROGRAMNAME"), c.programName);
        for (const Case& other : cases)
            EXPECT_EQ(folder.Exists(other.settingsFile), &other == &c) << other.settingsFile;
        int editions = 0;
        for (const Json* event : run.Events("engine")) {
            if (event->Text("call") != "SetAppType")
                continue;
            ++editions;
            EXPECT_EQ(event->Int("edition"), c.appType);
        }
        EXPECT_EQ(editions, 1);
    }
}

}  // namespace
}  // namespace e2e
