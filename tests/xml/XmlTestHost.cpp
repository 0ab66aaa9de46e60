// Sets the host up before anything in the test program reads the drive map or the UI settings.
#include "XmlTestHost.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <afxfile.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "host/Codepage.h"

namespace xmltest {
namespace {

std::string& RootFolder()
{
    static std::string root;
    return root;
}

bool SetUpHost()
{
    char pattern[] = "/tmp/stmtport-xml-XXXXXX";
    if (mkdtemp(pattern) == nullptr)
        return false;
    RootFolder() = pattern;
    const std::string root = pattern;
    std::filesystem::create_directories(root + "/c/work");
    std::ofstream(root + "/empty.script").flush();
    setenv("STMTPORT_DRIVES", ("C=fixed:" + root + "/c;D=fixed:/dev").c_str(), 1);
    setenv("STMTPORT_UI", ("script:" + root + "/empty.script").c_str(), 1);
    setenv("STMTPORT_UI_LOG", (root + "/ui.jsonl").c_str(), 1);
    setenv("TMPDIR", (root + "/c").c_str(), 1);
    return chdir((root + "/c/work").c_str()) == 0;
}

class RemoveHostFolder : public ::testing::Environment {
public:
    void TearDown() override
    {
        std::error_code ignored;
        std::filesystem::remove_all(RootFolder(), ignored);
    }
};

const bool hostReady = SetUpHost();
::testing::Environment* const cleanup = ::testing::AddGlobalTestEnvironment(new RemoveHostFolder);

}  // namespace

std::string HostPath(std::string_view relative)
{
    if (!hostReady)
        ADD_FAILURE() << "no temporary host folder";
    return RootFolder() + "/c/" + std::string(relative);
}

std::string WindowsPath(std::string_view relative)
{
    std::string path = "C:\\" + std::string(relative);
    for (char& c : path)
        c = c == '/' ? '\\' : c;
    return path;
}

std::string WorkFolder()
{
    return HostPath("work");
}

std::string ReadFile(const std::string& hostPath)
{
    std::ifstream in(hostPath, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void WriteFile(const std::string& hostPath, std::string_view bytes)
{
    std::filesystem::create_directories(std::filesystem::path(hostPath).parent_path());
    std::ofstream out(hostPath, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

void RemoveFile(const std::string& hostPath)
{
    std::error_code ignored;
    std::filesystem::remove(hostPath, ignored);
}

std::string Cp932(const char8_t* utf8)
{
    return host::Utf8ToCp932(reinterpret_cast<const char*>(utf8));
}

std::string Utf8(std::string_view cp932)
{
    return host::Cp932ToUtf8(cp932);
}

std::vector<std::string> MessageBoxEvents()
{
    std::vector<std::string> events;
    std::ifstream in(RootFolder() + "/ui.jsonl");
    std::string line;
    while (std::getline(in, line)) {
        if (line.find("\"event\":\"msgbox\"") != std::string::npos)
            events.push_back(line);
    }
    return events;
}

Accounts& Accounts::Add(uint32_t classCode, const char* formalName, int64_t closing, int16_t kind, const char* altName,
                        int64_t opening, int32_t accountKey)
{
    auto record = std::make_unique<AccountTotal>();
    std::memset(record.get(), 0, sizeof(AccountTotal));
    record->accountKey = accountKey;
    std::strncpy(record->formalName, formalName, sizeof record->formalName - 1);
    std::strncpy(record->altName, altName, sizeof record->altName - 1);
    record->opening = opening;
    record->closing = closing;
    record->change = closing - opening;
    record->classCode = classCode;
    record->kind = kind;
    list.push_back(record.get());
    records_.push_back(std::move(record));
    return *this;
}

Accounts& Accounts::AddMovement(uint32_t classCode, const char* formalName, int64_t opening, int64_t closing,
                                int16_t kind)
{
    return Add(classCode, formalName, closing, kind, "", opening);
}

void AddNote(OtherNotesLines& lines, int32_t id, bool displayed, const std::vector<std::string>& texts)
{
    lines.Add(CString(("<ID>" + std::to_string(id) + "</ID>").c_str()));
    lines.Add(CString("<Name>note</Name>"));
    lines.Add(CString("<Kind>0</Kind>"));
    lines.Add(CString(displayed ? "<Disp>1</Disp>" : "<Disp>0</Disp>"));
    lines.Add(CString("<Value>"));
    for (const std::string& text : texts)
        lines.Add(CString(("<Line>" + text + "</Line>").c_str()));
    lines.Add(CString("</Value>"));
}

Written WriteSection(const std::function<int(XmlLineWriter&)>& write)
{
    static int serial = 0;
    const std::string name = "sections/section" + std::to_string(++serial) + ".xml";
    std::filesystem::create_directories(HostPath("sections"));
    CFile file;
    XmlLineWriter writer;
    EXPECT_EQ(0, writer.Open(&file, WindowsPath(name).c_str()));
    const int result = write(writer);
    writer.Close();
    return {result, ReadFile(HostPath(name))};
}

}  // namespace xmltest
