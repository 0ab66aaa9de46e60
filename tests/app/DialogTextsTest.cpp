// The company and period texts the conditions dialog shows.
#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include <ExportApp.h>

namespace {

const std::string HYO = "\x95\x5C";   // a double-byte character whose trail byte is a backslash

StDATAINFO WithCompanyName(const std::string& name)
{
    StDATAINFO data;
    std::memset(&data, 0, sizeof data);
    std::memcpy(data.companyName, name.data(), std::min(name.size(), sizeof data.companyName));
    return data;
}

TEST(DialogTexts, CompanyNameIsCutOnACharacterBoundary)
{
    struct Case {
        const char* name;
        std::string companyName;
        std::string shown;
    };
    std::string repeatedHyo;
    for (int i = 0; i < 25; ++i)
        repeatedHyo += HYO;
    const Case cases[] = {
        {"short name", "ABC", " ABC"},
        {"empty name", "", " "},
        {"49 bytes fit", std::string(49, 'x'), " " + std::string(49, 'x')},
        {"single-byte name cut to 50 bytes", std::string(60, 'x'), " " + std::string(49, 'x')},
        {"a double-byte character ending at byte 50 stays", std::string(47, 'x') + HYO + "y",
         " " + std::string(47, 'x') + HYO},
        {"a double-byte character across byte 50 goes whole", std::string(48, 'x') + HYO,
         " " + std::string(48, 'x')},
        {"double-byte name", repeatedHyo, " " + repeatedHyo.substr(0, 48)},
        {"a name filling its whole field", std::string(260, 'z'), " " + std::string(49, 'z')},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(std::string(ExportApp::CompanyNameText(WithCompanyName(c.companyName))), c.shown);
    }
}

TEST(DialogTexts, PeriodText)
{
    StDATAINFO data;
    std::memset(&data, 0, sizeof data);
    data.startDate = 20230401;
    data.endDate = 20240331;
    EXPECT_EQ(std::string(ExportApp::PeriodText(data)), " 2023/04/01\x81\x60" "2024/03/31");
    data.startDate = 0;
    data.endDate = 99991231;
    EXPECT_EQ(std::string(ExportApp::PeriodText(data)), " 0000/00/00\x81\x60" "9999/12/31");
}

}  // namespace
