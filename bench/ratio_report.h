#pragma once

// Pairs benchmarks registered as "<family>/baseline" and "<family>/new" with the same
// argument and prints, after the usual console table, one line per pair:
//   <family> ratio at <N>: baseline/new = <real-time ratio> (new/baseline = <inverse>)
// Use PERCH_BENCHMARK_MAIN_WITH_RATIOS() in place of BENCHMARK_MAIN().

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace perch::bench {

class RatioReporter : public benchmark::ConsoleReporter {
  public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.run_type != Run::RT_Iteration || run.error_occurred || run.iterations <= 0) {
                continue;
            }
            const std::string& name = run.run_name.function_name;
            bool isBaseline = false;
            std::string family;
            if (EndsWith(name, kBaseline)) {
                isBaseline = true;
                family = name.substr(0, name.size() - kBaseline.size());
            } else if (EndsWith(name, kNew)) {
                family = name.substr(0, name.size() - kNew.size());
            } else {
                continue;
            }
            Timing& t = timings_[{family, run.run_name.args}];
            const double perIteration =
                run.real_accumulated_time / static_cast<double>(run.iterations);
            (isBaseline ? t.baseline : t.current).push_back(perIteration);
        }
    }

    void Finalize() override {
        ConsoleReporter::Finalize();
        for (const auto& [key, t] : timings_) {
            if (t.baseline.empty() || t.current.empty()) {
                continue;
            }
            const double current = Mean(t.current);
            const double ratio = current > 0 ? Mean(t.baseline) / current : 0.0;
            const double inverse = ratio > 0 ? 1.0 / ratio : 0.0;
            std::printf("%s ratio at %s: baseline/new = %.2f (new/baseline = %.2f)\n",
                        key.first.c_str(), key.second.c_str(), ratio, inverse);
        }
        std::fflush(stdout);
    }

  private:
    struct Timing {
        std::vector<double> baseline;
        std::vector<double> current;
    };

    static constexpr std::string_view kBaseline = "/baseline";
    static constexpr std::string_view kNew = "/new";

    static bool EndsWith(const std::string& s, std::string_view suffix) {
        return s.size() >= suffix.size() &&
               s.compare(s.size() - suffix.size(), suffix.size(), suffix) == 0;
    }

    static double Mean(const std::vector<double>& values) {
        double sum = 0;
        for (const double v : values) {
            sum += v;
        }
        return sum / static_cast<double>(values.size());
    }

    // Keyed by family and argument text, kept in a stable order for the summary.
    std::map<std::pair<std::string, std::string>, Timing> timings_;
};

inline int RunWithRatios(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}

}  // namespace perch::bench

#define PERCH_BENCHMARK_MAIN_WITH_RATIOS()              \
    int main(int argc, char** argv) {                   \
        return perch::bench::RunWithRatios(argc, argv); \
    }
