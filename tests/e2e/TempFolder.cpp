// A fresh host folder per test, removed afterwards, with the Windows paths the programs see for it.
#include "TempFolder.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace e2e {

TempFolder::TempFolder()
{
    std::string pattern = "/tmp/stmtport-test-XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr)
        throw std::runtime_error("cannot create a temporary folder");
    path_ = pattern;
}

TempFolder::~TempFolder()
{
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::string TempFolder::File(std::string_view relative) const
{
    return path_ + "/" + std::string(relative);
}

std::string TempFolder::WindowsPath(std::string_view relative) const
{
    return WindowsPathOf(File(relative));
}

void TempFolder::Write(std::string_view relative, std::string_view bytes) const
{
    const std::filesystem::path file = File(relative);
    std::filesystem::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string TempFolder::Read(std::string_view relative) const
{
    return ReadHostFile(File(relative));
}

bool TempFolder::Exists(std::string_view relative) const
{
    return std::filesystem::exists(File(relative));
}

std::string WindowsPathOf(std::string_view hostPath)
{
    std::string path = "C:";
    for (const char c : hostPath)
        path += c == '/' ? '\\' : c;
    return path;
}

std::string ReadHostFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

}  // namespace e2e
