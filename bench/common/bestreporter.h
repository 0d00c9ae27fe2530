#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <string>

// Shows the runs as usual and keeps the fastest time per iteration of each
// benchmark, so that a program can print ratios between them afterwards.
class BestTimeReporter : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run> &runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run &run : runs) {
            if (run.run_type != Run::RT_Iteration || run.error_occurred || run.iterations == 0)
                continue;
            const double seconds = run.real_accumulated_time / double(run.iterations);
            const std::string name = run.run_name.function_name;
            auto it = m_best.find(name);
            if (it == m_best.end() || seconds < it->second)
                m_best[name] = seconds;
        }
    }

    // seconds per iteration, or a negative value when the benchmark did not run
    double best(const std::string &name) const
    {
        const auto it = m_best.find(name);
        return it == m_best.end() ? -1.0 : it->second;
    }

private:
    std::map<std::string, double> m_best;
};
