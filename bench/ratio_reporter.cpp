#include "ratio_reporter.h"

#include <cstdio>

namespace vendaxo::bench {

namespace {

std::string keyOf(const benchmark::BenchmarkReporter::Run& run) {
    const auto& name = run.run_name;
    return name.args.empty() ? name.function_name : name.function_name + "/" + name.args;
}

// Seconds shown with a unit that keeps three significant digits readable.
std::string humanTime(double seconds) {
    char text[32];
    if (seconds < 1e-6)
        std::snprintf(text, sizeof text, "%.1f ns", seconds * 1e9);
    else if (seconds < 1e-3)
        std::snprintf(text, sizeof text, "%.2f us", seconds * 1e6);
    else if (seconds < 1)
        std::snprintf(text, sizeof text, "%.2f ms", seconds * 1e3);
    else
        std::snprintf(text, sizeof text, "%.2f s", seconds);
    return text;
}

std::string shown(double value, const std::string& counter) {
    if (counter.empty())
        return humanTime(value);
    char text[48];
    std::snprintf(text, sizeof text, "%.0f %s", value, counter.c_str());
    return text;
}

} // namespace

RatioReporter::RatioReporter(std::vector<Target> targets) : m_targets(std::move(targets)) {}

void RatioReporter::ReportRuns(const std::vector<Run>& runs) {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
        // The median when there are repetitions, else the one run.
        const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
        const bool single = run.run_type == Run::RT_Iteration && run.repetitions <= 1;
        if (run.error_occurred || !(median || single))
            continue;
        Figures& figures = m_figures[keyOf(run)];
        // In-process work is judged by its CPU time, which a busy machine
        // disturbs less; programs and anything timed by hand by wall time.
        figures.wall = !run.run_name.time_type.empty();
        figures.seconds = (figures.wall ? run.GetAdjustedRealTime() : run.GetAdjustedCPUTime()) /
                          benchmark::GetTimeUnitMultiplier(run.time_unit);
        for (const auto& [name, counter] : run.counters)
            figures.counters[name] = counter.value;
    }
}

void RatioReporter::Finalize() {
    ConsoleReporter::Finalize();
    const auto value = [this](const std::string& name, const std::string& counter, double& out) {
        const auto found = m_figures.find(name);
        if (found == m_figures.end())
            return false;
        if (counter.empty()) {
            out = found->second.seconds;
            return true;
        }
        const auto figure = found->second.counters.find(counter);
        if (figure == found->second.counters.end())
            return false;
        out = figure->second;
        return true;
    };
    std::printf("\n%-30s %5s %12s %-26s %12s %8s  %s\n", "benchmark", "clock", "median", "baseline",
                "median", "ratio", "target");
    for (const Target& target : m_targets) {
        double subject = 0;
        if (!value(target.subject, target.counter, subject))
            continue; // not selected in this run
        double baseline = 0;
        const bool hasBaseline =
            !target.baseline.empty() && value(target.baseline, target.counter, baseline);
        const double ratio = hasBaseline && baseline > 0 ? subject / baseline : 0;
        std::string limits;
        bool met = true;
        if (target.maxValue > 0) {
            limits += "<= " + shown(target.maxValue, target.counter) + " ";
            met = met && subject <= target.maxValue;
        }
        if (target.maxRatio > 0) {
            char text[24];
            std::snprintf(text, sizeof text, "<= %.2gx ", target.maxRatio);
            limits += text;
            met = met && hasBaseline && ratio <= target.maxRatio;
        }
        const bool judged = target.maxValue > 0 || target.maxRatio > 0;
        if (judged && !met)
            ++m_misses;
        char ratioText[16] = "";
        if (hasBaseline)
            std::snprintf(ratioText, sizeof ratioText, "%.2fx", ratio);
        const char* clock =
            !target.counter.empty() ? "-" : (m_figures[target.subject].wall ? "wall" : "cpu");
        std::printf("%-30s %5s %12s %-26s %12s %8s  %s%s\n", target.subject.c_str(), clock,
                    shown(subject, target.counter).c_str(), target.baseline.c_str(),
                    hasBaseline ? shown(baseline, target.counter).c_str() : "", ratioText,
                    limits.c_str(), judged ? (met ? "met" : "MISSED") : "");
    }
    std::fflush(stdout);
}

int runWithTargets(int argc, char** argv, std::vector<Target> targets) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 2;
    RatioReporter reporter(std::move(targets));
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return reporter.allMet() ? 0 : 3;
}

} // namespace vendaxo::bench
