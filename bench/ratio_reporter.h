#pragma once

#include <benchmark/benchmark.h>
#include <map>
#include <string>
#include <vector>

namespace vendaxo::bench {

// A figure a benchmark must meet: its median real time (or a counter) at most
// maxValue, and at most maxRatio times the baseline's from the same run.
// Names are benchmark names with their arguments ("BM_Checkout/3").
struct Target {
    std::string subject;
    std::string baseline; // empty: no ratio
    double maxRatio = 0;  // 0: no ratio limit
    double maxValue = 0;  // seconds (or counter units); 0: no absolute limit
    std::string counter;  // empty: real time per iteration
};

// Shows the console output and, at the end, each subject beside its baseline
// with the ratio, and whether every target was met.
class RatioReporter final : public benchmark::ConsoleReporter {
public:
    explicit RatioReporter(std::vector<Target> targets);
    void ReportRuns(const std::vector<Run>& runs) override;
    void Finalize() override;
    bool allMet() const { return m_misses == 0; }

private:
    struct Figures {
        double seconds = 0;
        bool wall = false;
        std::map<std::string, double> counters;
    };
    std::vector<Target> m_targets;
    std::map<std::string, Figures> m_figures;
    int m_misses = 0;
};

// Initialises Google Benchmark, runs what the command line selects and reports
// the targets; exit status 3 when one was missed.
int runWithTargets(int argc, char** argv, std::vector<Target> targets);

} // namespace vendaxo::bench
