// A fresh host folder per test, removed afterwards, with the Windows paths the programs see for it.
#pragma once

#include <string>
#include <string_view>

namespace e2e {

class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& Path() const { return path_; }
    // The host path of `relative` inside the folder ("out/a.xml" -> ".../out/a.xml").
    std::string File(std::string_view relative) const;
    // Its Windows path under the default drive map (C: is the host root), in UTF-8.
    std::string WindowsPath(std::string_view relative) const;
    void Write(std::string_view relative, std::string_view bytes) const;
    std::string Read(std::string_view relative) const;
    bool Exists(std::string_view relative) const;

private:
    std::string path_;
};

// "/tmp/x/a.xml" -> "C:\tmp\x\a.xml": drive C mapped to the host root.
std::string WindowsPathOf(std::string_view hostPath);
std::string ReadHostFile(const std::string& path);

}  // namespace e2e
