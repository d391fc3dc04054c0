#include "DiscDevice.h"
#include "support/ChildProcess.h"

#include <fstream>
#include <stdexcept>

namespace fs = std::filesystem;

namespace bench {

namespace {

std::string run(const std::vector<std::string>& argv)
{
    const auto outcome = testsupport::runProgram(argv);
    if (outcome.exitStatus != 0)
        throw std::runtime_error(argv[0] + " failed: " + outcome.output);
    return outcome.output;
}

} // namespace

DiscDevice::DiscDevice(const fs::path& content, const fs::path& work) : mounted_(work / "mounted-disc")
{
    const fs::path image = work / "disc.squashfs";
    if (!fs::exists(image))
        run({"mksquashfs", content.string(), image.string(), "-comp", "gzip", "-Xcompression-level", "6", "-b",
             "32768", "-no-xattrs", "-all-root", "-quiet", "-no-progress"});
    device_ = run({"losetup", "--find", "--show", "--read-only", image.string()});
    device_.erase(device_.find_last_not_of("\n") + 1);
    run({"blockdev", "--setra", "256", device_});
    // A loop device used before may still cache what it read then.
    run({"blockdev", "--flushbufs", device_});
    fs::create_directories(mounted_);
    run({"mount", "-t", "squashfs", "-o", "ro", device_, mounted_.string()});
    mountedWith_ = deviceCounts();
}

DiscDevice::~DiscDevice()
{
    // Lazily: a program of the disc may still be ending.
    testsupport::runProgram({"umount", "--lazy", mounted_.string()});
    testsupport::runProgram({"losetup", "--detach", device_});
}

DeviceReads DiscDevice::deviceCounts() const
{
    // The block layer's counts since the device was first made: reads
    // completed, merged, sectors read, ...
    std::ifstream stat("/sys/block/" + fs::path(device_).filename().string() + "/stat");
    std::uint64_t completed = 0, merged = 0, sectors = 0;
    stat >> completed >> merged >> sectors;
    return {sectors * 512, completed};
}

DeviceReads DiscDevice::readsSoFar() const
{
    const DeviceReads now = deviceCounts();
    return {now.bytes - mountedWith_.bytes, now.requests - mountedWith_.requests};
}

double secondsOnCd(const DeviceReads& reads, double seekMs)
{
    constexpr double kBytesPerSecond = 3.6e6;
    return double(reads.bytes) / kBytesPerSecond + double(reads.requests) * seekMs / 1000;
}

} // namespace bench
