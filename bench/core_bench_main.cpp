// core_bench: the snippet builders and the store, each beside its baseline.
#include "core_bench.h"

int main(int argc, char** argv) {
    std::vector<vendaxo::bench::Target> targets;
    vendaxo::bench::registerSnippetBenchmarks(targets);
    vendaxo::bench::registerStoreBenchmarks(targets);
    return vendaxo::bench::runWithTargets(argc, argv, std::move(targets));
}
