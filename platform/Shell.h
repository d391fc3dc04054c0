#pragma once
#include <string>
#include <vector>

namespace platform {

// The desktop's services for starting programs and showing folders.
class Shell {
public:
    virtual ~Shell() = default;
    // Starts a program by path as a process of its own, with its window in
    // front, and does not wait for it. False when nothing could be started.
    virtual bool startProgram(const std::string& path) = 0;
    // Shows a folder in the desktop's file manager. Failures are not reported.
    virtual void openFolder(const std::string& path) = 0;
};

// The files to try for a program path, in order: the path as given, then,
// since executables here have no ".exe", the path without that extension.
std::vector<std::string> programPathCandidates(const std::string& path);

} // namespace platform
