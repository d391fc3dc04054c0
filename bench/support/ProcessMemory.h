#pragma once
#include <sys/types.h>

namespace bench {

// Memory of this process and every process it started (the web engine's
// helpers), from /proc: resident set sizes summed, and proportional set
// sizes (shared pages split among their users), in kilobytes.
struct ProcessTreeMemory {
    long rssKb = 0;
    long pssKb = 0;
};

ProcessTreeMemory processTreeMemory(pid_t root);

// Processor time (user and system) that this process and every process it
// started have used so far, in seconds.
double processTreeCpuSeconds(pid_t root);

// How many processes the tree holds, the root included.
int processTreeSize(pid_t root);

// The machine's load average over the last minute.
double loadAverage();

} // namespace bench
