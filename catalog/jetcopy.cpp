// jetcopy <Jet file>: copies every user table of a Jet file into an SQLite
// database and writes it, serialized, to standard output. The catalog runs
// it as a process of its own (JetProcess.h), since libmdb can crash or loop
// for ever on a damaged file; the limits below keep such a run small.
#include "Database.h"
#include "JetImport.h"

#include <cerrno>
#include <iostream>
#include <sys/resource.h>
#include <unistd.h>

// GCC says it builds with the address sanitizer by a macro, clang by a feature test.
#if defined(__SANITIZE_ADDRESS__)
#define JETCOPY_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define JETCOPY_ADDRESS_SANITIZER 1
#endif
#endif

namespace {

void limitThisProcess()
{
    // A crash leaves no core file behind, wherever the catalog runs from.
    const rlimit noCore{0, 0};
    setrlimit(RLIMIT_CORE, &noCore);
#if !defined(JETCOPY_ADDRESS_SANITIZER)
    // A catalog of 100,000 books takes about 100 MB here. The address
    // sanitizer reserves terabytes up front; its builds run without this limit.
    constexpr rlim_t addressSpaceLimit = rlim_t(1) << 30;
    const rlimit addressSpace{addressSpaceLimit, addressSpaceLimit};
    setrlimit(RLIMIT_AS, &addressSpace);
#endif
}

bool writeAll(const std::string& bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = ::write(STDOUT_FILENO, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

} // namespace

#if defined(JETCOPY_ADDRESS_SANITIZER)
// libmdb crashes on some damaged files: in a sanitizer build that must end
// the helper as it does in any other, by the signal, not after a report
// whose symbolising can outlast the catalog's patience.
extern "C" const char* __asan_default_options() { return "handle_segv=0:handle_sigbus=0:handle_sigfpe=0"; }
#endif

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: jetcopy <Jet file>\n";
        return 2;
    }
    limitThisProcess();
    try {
        catalog::SqliteDatabase db = catalog::ImportJetFile(argv[1]);
        if (!writeAll(catalog::SerializeSqlite(db.get()))) {
            std::cerr << "cannot write the copy to standard output\n";
            return 1;
        }
    } catch (const catalog::DatabaseError& e) {
        std::cerr << e.what() << '\n';
        return 1;
    } catch (const std::bad_alloc&) {
        std::cerr << "out of memory\n";
        return 1;
    }
    return 0;
}
