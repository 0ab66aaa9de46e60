// Sets the drive map up before anything in the test program reads it.
#include "UiTestHost.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "host/Codepage.h"

namespace uitest {
namespace {

std::string& RootFolder()
{
    static std::string root;
    return root;
}

bool SetUpHost()
{
    char pattern[] = "/tmp/stmtport-ui-XXXXXX";
    if (mkdtemp(pattern) == nullptr)
        return false;
    RootFolder() = pattern;
    const std::string root = pattern;
    for (const char* folder : {"c", "d", "e", "q", "r", "share", "tmp"})
        std::filesystem::create_directories(root + "/" + folder);
    std::string drives = "C=fixed:" + root + "/c;D=cdrom:" + root + "/d;Q=unknown:" + root + "/q;R=ramdisk:" + root
        + "/r;E=removable:" + root + "/e;F=fixed:" + root + "/missing";
    std::string shares = "srv\\share=" + root + "/share;srv\\gone=" + root + "/gone";
    setenv("STMTPORT_DRIVES", drives.c_str(), 1);
    setenv("STMTPORT_SHARES", shares.c_str(), 1);
    setenv("TMPDIR", (root + "/c/tmp").c_str(), 1);
    std::filesystem::create_directories(root + "/c/tmp");
    return true;
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
    return RootFolder() + "/" + std::string(relative);
}

std::string Cp932(const char8_t* utf8)
{
    return host::Utf8ToCp932(reinterpret_cast<const char*>(utf8));
}

void WriteHostFile(const std::string& hostPath, std::string_view bytes)
{
    std::filesystem::create_directories(std::filesystem::path(hostPath).parent_path());
    std::ofstream out(hostPath, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string ReadHostFile(const std::string& hostPath)
{
    std::ifstream in(hostPath, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace uitest
