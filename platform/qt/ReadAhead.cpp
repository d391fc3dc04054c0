#include "ReadAhead.h"

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <condition_variable>
#include <fcntl.h>
#include <fstream>
#include <mutex>
#include <thread>
#include <unistd.h>
#include <vector>

namespace platform::qt {

namespace {

std::mutex gate;
std::condition_variable frameShown;
bool shown = false;
bool started = false;

void readThrough(const std::string& file)
{
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::posix_fadvise(fd, 0, 0, POSIX_FADV_SEQUENTIAL);
    std::vector<char> chunk(1 << 20);
    while (::read(fd, chunk.data(), chunk.size()) > 0) {
    }
    ::close(fd);
}

} // namespace

void ReadAhead::start(std::vector<std::string> files)
{
    std::lock_guard lock(gate);
    if (started)
        return;
    started = true;
    std::thread([files = std::move(files)] {
        {
            std::unique_lock wait(gate);
            frameShown.wait_for(wait, std::chrono::seconds(2), [] { return shown; });
        }
        for (const std::string& file : files)
            readThrough(file);
    }).detach();
}

void ReadAhead::movieFrameShown()
{
    {
        std::lock_guard lock(gate);
        shown = true;
    }
    frameShown.notify_all();
}

std::vector<std::string> listedFiles(const std::string& listFile, const std::string& root)
{
    std::vector<std::string> files;
    std::ifstream list(listFile);
    for (std::string line; std::getline(list, line);) {
        if (line.empty() || line.front() == '#')
            continue;
        const std::filesystem::path listed = root + "/" + line;
        std::error_code unreadable;
        if (!std::filesystem::is_directory(listed, unreadable)) {
            files.push_back(listed.string());
            continue;
        }
        std::vector<std::string> inFolder;
        for (const auto& entry : std::filesystem::directory_iterator(listed, unreadable))
            if (entry.is_regular_file())
                inFolder.push_back(entry.path().string());
        std::sort(inFolder.begin(), inFolder.end());
        files.insert(files.end(), inFolder.begin(), inFolder.end());
    }
    return files;
}

} // namespace platform::qt
