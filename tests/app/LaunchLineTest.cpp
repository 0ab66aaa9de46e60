// The launch line "HANDLE,MESSAGE,FUNCTION,DESTINATION" as the application object reads it.
#include <string>

#include <gtest/gtest.h>

#include <ExportApp.h>

namespace {

struct LaunchCase {
    const char* name;
    const char* line;
    int result;
    long long parentWindow;
    unsigned notifyMessage;
    short functionId;
    std::string destination;
};

TEST(LaunchLine, FieldsAsRead)
{
    const std::string longDestination = "C:\\out\\" + std::string(300, 'a') + ",b\\" + std::string(40, 'c') + ".xml";
    const std::string longLine = "9,1025,4," + longDestination;
    const LaunchCase cases[] = {
        {"no line", nullptr, 0, 0, 0, 3, ""},
        {"empty line", "", 0, 0, 0, 3, ""},
        {"no comma", "123", 0, 0, 0, 3, ""},
        {"one comma keeps the handle", "123,1025", 0, 123, 0, 3, ""},
        {"two commas keep handle and message", "123,1025,7", 0, 123, 1025, 3, ""},
        {"empty destination", "123,1025,7,", 1, 123, 1025, 7, ""},
        {"destination with commas", "123,1025,7,C:\\out\\a,b.xml", 1, 123, 1025, 7, "C:\\out\\a,b.xml"},
        {"destination with blanks", "1,2,3,C:\\my out\\a b.xml ", 1, 1, 2, 3, "C:\\my out\\a b.xml "},
        {"handle 0 is launched", "0,1025,3,", 1, 0, 1025, 3, ""},
        {"non-numeric fields read as 0", "abc,x,y,z", 1, 0, 0, 0, "z"},
        {"leading blanks and trailing text", " 12x, 34y,5z,D", 1, 12, 34, 5, "D"},
        {"function id wraps to 16 bits", "1,2,65537,", 1, 1, 2, 1, ""},
        {"function id 65535 is -1", "1,2,65535,", 1, 1, 2, -1, ""},
        {"negative function id", "1,2,-2,", 1, 1, 2, -2, ""},
        {"empty fields", ",,,", 1, 0, 0, 0, ""},
        {"double-byte destination", "5,6,7,C:\\\x95\x5C,\x95\x5C.xml", 1, 5, 6, 7, "C:\\\x95\x5C,\x95\x5C.xml"},
        {"a line beyond 259 bytes keeps its destination whole", longLine.c_str(), 1, 9, 1025, 4, longDestination},
    };
    for (const LaunchCase& c : cases) {
        SCOPED_TRACE(c.name);
        ExportApp app;
        EXPECT_EQ(app.ParseLaunchCommandLine(c.line), c.result);
        EXPECT_EQ(reinterpret_cast<long long>(app.parentWindow), c.parentWindow);
        EXPECT_EQ(app.notifyMessage, c.notifyMessage);
        EXPECT_EQ(app.functionId, c.functionId);
        EXPECT_EQ(std::string(app.launcherDestination), c.destination);
        EXPECT_EQ(app.launchedByParent, 0) << "parsing alone never marks the run as launched";
    }
}

}  // namespace
