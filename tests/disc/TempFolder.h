#pragma once
#include "support/Paths.h"

#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace disctest {

// A fresh folder in the build tree, named by process so parallel test runs
// never share one; removed with everything in it when the object goes.
class TempFolder {
public:
    explicit TempFolder(const std::string& name)
        : path_(std::filesystem::path(testsupport::binaryDir()) / "test-temp" /
                (name + "-" + std::to_string(::getpid())))
    {
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~TempFolder() { std::filesystem::remove_all(path_); }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }

    // Writes a file below the folder, making its folders first.
    std::filesystem::path write(const std::string& relative, const std::string& content,
                                std::filesystem::perms permissions = std::filesystem::perms(0644)) const
    {
        const auto file = path_ / relative;
        std::filesystem::create_directories(file.parent_path());
        std::ofstream(file, std::ios::binary) << content;
        std::filesystem::permissions(file, permissions);
        return file;
    }

private:
    std::filesystem::path path_;
};

} // namespace disctest
