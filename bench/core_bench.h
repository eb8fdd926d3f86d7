#pragma once

#include "ratio_reporter.h"

#include <vector>

namespace vendaxo::bench {

// Each registers its benchmarks with Google Benchmark and appends its targets.
void registerSnippetBenchmarks(std::vector<Target>& targets);
void registerStoreBenchmarks(std::vector<Target>& targets);

} // namespace vendaxo::bench
