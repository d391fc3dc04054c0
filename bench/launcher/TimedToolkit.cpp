#include "TimedToolkit.h"

#include <ctime>

namespace bench {

namespace {

class TimedTimer : public platform::Timer {
public:
    TimedTimer(std::unique_ptr<platform::Timer> inner, std::shared_ptr<HandlerTime> time)
        : inner_(std::move(inner)), time_(std::move(time))
    {
    }
    void setInterval(int ms) override { inner_->setInterval(ms); }
    int interval() const override { return inner_->interval(); }
    void setEnabled(bool enabled) override { inner_->setEnabled(enabled); }
    bool enabled() const override { return inner_->enabled(); }
    void onTick(std::function<void()> handler) override
    {
        inner_->onTick([handler = std::move(handler), time = time_] {
            const std::int64_t before = threadCpuNs();
            handler();
            time->cpuNs += threadCpuNs() - before;
            ++time->ticks;
        });
    }

private:
    std::unique_ptr<platform::Timer> inner_;
    std::shared_ptr<HandlerTime> time_;
};

} // namespace

std::unique_ptr<platform::Timer> TimedToolkit::createTimer()
{
    return std::make_unique<TimedTimer>(inner_.createTimer(), time_);
}

std::int64_t threadCpuNs()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return std::int64_t(t.tv_sec) * 1000000000 + t.tv_nsec;
}

} // namespace bench
