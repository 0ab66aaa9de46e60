// A scratch host folder with drive letters mapped onto it, for the file-layer tests.
#pragma once

#include <cstdlib>
#include <gtest/gtest.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include "host/DriveMap.h"

// Creates /tmp/stmtport-files-XXXXXX; SetDrives() maps letters onto folders in it.
class ScratchDrives : public ::testing::Test {
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/stmtport-files-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        root_ = pattern;
        char current[4096];
        ASSERT_NE(getcwd(current, sizeof current), nullptr);
        savedDirectory_ = current;
    }

    void TearDown() override
    {
        EXPECT_EQ(chdir(savedDirectory_.c_str()), 0);
        unsetenv("STMTPORT_DRIVES");
        unsetenv("STMTPORT_SHARES");
        host::LoadDriveMap();
        std::string command = "chmod -R u+w '" + root_ + "' && rm -rf '" + root_ + "'";
        EXPECT_EQ(std::system(command.c_str()), 0);
    }

    // A folder below the scratch folder, made when missing.
    std::string Folder(const std::string& name)
    {
        std::string path = root_ + "/" + name;
        mkdir(path.c_str(), 0755);
        return path;
    }

    void SetDrives(const std::string& drives, const std::string& shares = std::string())
    {
        setenv("STMTPORT_DRIVES", drives.c_str(), 1);
        setenv("STMTPORT_SHARES", shares.c_str(), 1);
        ASSERT_TRUE(host::LoadDriveMap()) << drives << " / " << shares;
    }

    std::string root_;
    std::string savedDirectory_;
};

// Run-time text from a UTF-8 literal (plain literals are CP932 bytes in this build).
inline const char* U8(const char8_t* text)
{
    return reinterpret_cast<const char*>(text);
}
