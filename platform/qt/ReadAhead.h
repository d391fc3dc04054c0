#pragma once
// Files a program will need soon, read into the kernel's cache by a thread
// of its own while the program shows something else. From a CD drive
// (3.6 MB/s), the web engine's part of the start program takes longer to
// read than its two intros play; read ahead in one sequential pass while
// they play, the menu then loads from memory, and the page faults of
// loading do not each seek on the disc.
#include <string>
#include <vector>

namespace platform::qt {

class ReadAhead {
public:
    // Starts reading `files` (full paths, in order) once a movie has shown
    // its first frame, so that the movie's own start reads first, or after
    // two seconds. Files that are missing are passed over. Once a process.
    static void start(std::vector<std::string> files);
    // Called by the video views when they show their first frame.
    static void movieFrameShown();
};

// The files listed, one relative path a line, in `listFile` (runtime/
// read-ahead.txt beside the program), as full paths below `root`; a folder
// stands for the files in it.
std::vector<std::string> listedFiles(const std::string& listFile, const std::string& root);

} // namespace platform::qt
