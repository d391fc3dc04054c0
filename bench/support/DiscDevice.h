#pragma once
// The disc's content as it comes off a disc in its drive: a read-only file
// system on a block device of its own (a loop device) with a CD drive's
// read-ahead of 128 KB, mounted afresh, so that nothing of it is cached yet.
// What the programs read from the disc is what the device was asked for;
// where the kernel's trace is at hand, the reads' places on the device too,
// which tell how often a drive would seek.
// The file system is squashfs with zlib at level 6 in 32 KiB blocks, as the
// image's zisofs compresses its files (the kernel here reads no ISO 9660).
// Needs root.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

namespace bench {

struct DeviceReads {
    std::uint64_t bytes = 0;
    std::uint64_t requests = 0; // reads the device served
    // Reads that did not start near where the reading had got to: each a
    // seek on a CD drive. From the block layer's trace (tracefs); -1 where it
    // cannot be read.
    long long seeks = -1;
};

class DiscDevice {
public:
    // Writes the file system image of `content` into `work` once; throws
    // std::runtime_error, with the tools' output, when it cannot be mounted.
    DiscDevice(const std::filesystem::path& content, const std::filesystem::path& work);
    ~DiscDevice();
    DiscDevice(const DiscDevice&) = delete;
    DiscDevice& operator=(const DiscDevice&) = delete;

    const std::filesystem::path& root() const { return mounted_; }
    // Since the disc was mounted: up to now, and, from the trace, up to a
    // moment of the monotonic clock (seconds), which the programs' trace
    // stamps give; the latter counts no read a program began after it, as
    // a count taken on seeing the stamp would. None where the trace cannot
    // be read.
    DeviceReads readsSoFar() const;
    std::optional<DeviceReads> readsUntil(double monotonicSeconds) const;

private:
    DeviceReads deviceCounts() const;
    DeviceReads tracedReads(double untilSeconds) const;

    std::string device_;
    std::string deviceNumber_; // "major,minor", as the trace names it
    bool traced_ = false;
    std::filesystem::path mounted_;
    DeviceReads mountedWith_;
};

// The seconds reads take on a 24-speed CD drive: its 3.6 MB/s, and `seekMs`
// for each seek.
double secondsOnCd(const DeviceReads& reads, double seekMs);

} // namespace bench
