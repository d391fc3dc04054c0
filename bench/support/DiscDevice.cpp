#include "DiscDevice.h"
#include "support/Programs.h"

#include <algorithm>
#include <fstream>
#include <limits>
#include <sstream>
#include <stdexcept>
#include <sys/stat.h>
#include <sys/sysmacros.h>

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

const fs::path kTracing = "/sys/kernel/tracing";
const fs::path kIssued = kTracing / "events/block/block_rq_issue";

void writeTo(const fs::path& file, const std::string& text) { std::ofstream(file) << text; }

// The block layer's trace of requests issued, for one device: on, emptied.
bool traceRequestsOf(const std::string& majorMinor)
{
    if (!fs::exists(kIssued) && testsupport::runProgram({"mount", "-t", "tracefs", "nodev", kTracing.string()}).exitStatus)
        return false;
    if (!fs::exists(kIssued))
        return false;
    const auto comma = majorMinor.find(',');
    const unsigned long dev = (std::stoul(majorMinor.substr(0, comma)) << 20) | std::stoul(majorMinor.substr(comma + 1));
    writeTo(kTracing / "buffer_size_kb", "16384");
    // The clock the programs' trace stamps are read on.
    writeTo(kTracing / "trace_clock", "mono");
    writeTo(kIssued / "filter", "dev == " + std::to_string(dev));
    writeTo(kIssued / "enable", "1");
    writeTo(kTracing / "trace", "");
    return true;
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
    struct stat node {};
    if (::stat(device_.c_str(), &node) == 0)
        deviceNumber_ = std::to_string(major(node.st_rdev)) + "," + std::to_string(minor(node.st_rdev));
    run({"mount", "-t", "squashfs", "-o", "ro", device_, mounted_.string()});
    traced_ = !deviceNumber_.empty() && traceRequestsOf(deviceNumber_);
    mountedWith_ = deviceCounts();
}

DiscDevice::~DiscDevice()
{
    if (traced_) {
        writeTo(kIssued / "enable", "0");
        writeTo(kTracing / "trace_clock", "local");
    }
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

// Each line: "play-1234 [000] ..... 812.345678: block_rq_issue: 7,0 R 131072 () 4096 + 256 none,0,0 [play]",
// stamped by the monotonic clock.
DeviceReads DiscDevice::tracedReads(double untilSeconds) const
{
    std::ifstream trace(kTracing / "trace");
    DeviceReads reads{0, 0, 0};
    unsigned long long end = ~0ull;
    for (std::string line; std::getline(trace, line);) {
        const auto at = line.find(": block_rq_issue: " + deviceNumber_ + " ");
        if (at == std::string::npos)
            continue;
        const auto stampStart = line.find_last_of(' ', at - 1) + 1;
        if (std::stod(line.substr(stampStart, at - stampStart)) > untilSeconds)
            break;
        std::istringstream fields(line.substr(line.find(')', at) + 1));
        unsigned long long sector = 0, sectors = 0;
        char plus = 0;
        if (!(fields >> sector >> plus >> sectors))
            continue;
        reads.bytes += sectors * 512;
        ++reads.requests;
        // A drive reads on through a small gap, or over what it has just
        // read (compressed blocks share sectors), without seeking.
        constexpr unsigned long long kReadThrough = 256; // sectors: 128 KB
        reads.seeks += end == ~0ull || sector + 8 < end || sector > end + kReadThrough;
        end = sector + sectors;
    }
    return reads;
}

DeviceReads DiscDevice::readsSoFar() const
{
    const DeviceReads now = deviceCounts();
    return {now.bytes - mountedWith_.bytes, now.requests - mountedWith_.requests,
            traced_ ? tracedReads(std::numeric_limits<double>::infinity()).seeks : -1};
}

std::optional<DeviceReads> DiscDevice::readsUntil(double monotonicSeconds) const
{
    if (!traced_)
        return std::nullopt;
    return tracedReads(monotonicSeconds);
}

double secondsOnCd(const DeviceReads& reads, double seekMs)
{
    constexpr double kBytesPerSecond = 3.6e6;
    return double(reads.bytes) / kBytesPerSecond + double(std::max(reads.seeks, 0ll)) * seekMs / 1000;
}

} // namespace bench
