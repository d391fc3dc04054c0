#pragma once
#include "Sqlite.h"

#include <chrono>
#include <cstddef>
#include <string>

namespace catalog {

// What one read of a Jet file may take. libmdb cannot be mended from
// outside: on some damaged files it loops for ever, writing a warning each
// time, or crashes. So it runs in a helper process (`jetcopy`), whose
// ending, one way or another, is ours to judge.
struct JetReadLimits {
    // Room for a large catalog read off a slow drive; the files that make
    // libmdb loop are stopped long before, by their warnings.
    std::chrono::milliseconds time{10000};
    std::size_t imageBytes = std::size_t(512) << 20;
    // A reader that has written this much about a file is looping.
    std::size_t warningBytes = std::size_t(1) << 20;
};

// The in-memory copy of a Jet file (as ImportJetFile makes it), read by the
// helper program and handed back as a serialized database. A file the
// helper cannot read, a crash, a hang or anything but a database ends in
// DatabaseError; the helper's own words are in its English text.
SqliteDatabase ReadJetFileInChild(const std::string& path, const std::string& helper, const JetReadLimits& limits = {});

} // namespace catalog
