// The process the crash tests kill: writes a long run of values or files and
// prints the number of each write once it has returned.
#include "base/error.h"
#include "reliability_values.h"
#include "shell/sqlite_store.h"
#include "snippets/option_file.h"

#include <cstdio>
#include <cstdlib>
#include <string>

using namespace vendaxo;
using vendaxo::test::optionGridFor;
using vendaxo::test::storeValue;

namespace {

void acknowledge(long long i) {
    std::printf("%lld\n", i);
    std::fflush(stdout);
}

int writeStore(const char* file, long long first, long long count) {
    SqliteStore store(file);
    store.setMerchantNumber("111");
    for (long long i = first; i < first + count; ++i) {
        store.writeMerchant("W" + std::to_string(i), storeValue(i));
        // One value written over and over, so that old pages get reused too.
        store.writeMerchant("Latest", std::to_string(i));
        acknowledge(i);
    }
    return 0;
}

int writeOptionFiles(const char* file, long long first, long long count) {
    for (long long i = first; i < first + count; ++i) {
        writeOptionFile(file, optionGridFor(i));
        acknowledge(i);
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 5) {
        std::fprintf(stderr, "usage: reliability_child store|option-file FILE FIRST COUNT\n");
        return 2;
    }
    const std::string mode = argv[1];
    const long long first = std::atoll(argv[3]);
    const long long count = std::atoll(argv[4]);
    try {
        if (mode == "store")
            return writeStore(argv[2], first, count);
        if (mode == "option-file")
            return writeOptionFiles(argv[2], first, count);
    } catch (const Error& error) {
        std::fprintf(stderr, "reliability_child: %s\n", error.what());
        return 1;
    }
    return 2;
}
