#include "PipeEnd.h"

#include <array>
#include <cerrno>
#include <fcntl.h>
#include <system_error>
#include <unistd.h>

namespace platform {

PipeEnd& PipeEnd::operator=(PipeEnd&& other) noexcept
{
    reset();
    fd_ = std::exchange(other.fd_, -1);
    return *this;
}

void PipeEnd::reset()
{
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
}

std::size_t PipeEnd::readInto(std::string& text)
{
    std::array<char, 65536> buffer;
    const ssize_t n = ::read(fd_, buffer.data(), buffer.size());
    if (n < 0 && errno == EINTR)
        return 0;
    if (n <= 0) {
        reset();
        return 0;
    }
    text.append(buffer.data(), static_cast<std::size_t>(n));
    return static_cast<std::size_t>(n);
}

Pipe makePipe()
{
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0)
        throw std::system_error(errno, std::generic_category(), "cannot make a pipe");
    return Pipe{PipeEnd(fds[0]), PipeEnd(fds[1])};
}

} // namespace platform
