#pragma once
#include <cstddef>
#include <string>
#include <utility>

namespace platform {

// One end of a pipe, closed with the object.
class PipeEnd {
public:
    PipeEnd() = default;
    explicit PipeEnd(int fd) : fd_(fd) {}
    ~PipeEnd() { reset(); }
    PipeEnd(PipeEnd&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
    PipeEnd& operator=(PipeEnd&& other) noexcept;

    int get() const { return fd_; }
    bool isOpen() const { return fd_ >= 0; }
    void reset();
    // Appends what there is to read and returns how many bytes that was;
    // at the end of the input the end is closed.
    std::size_t readInto(std::string& text);

private:
    int fd_ = -1;
};

struct Pipe {
    PipeEnd read, write;
};

// Both ends are closed on exec: a child gets only the ends it is given as
// its outputs, never another child's. Throws std::system_error.
Pipe makePipe();

} // namespace platform
