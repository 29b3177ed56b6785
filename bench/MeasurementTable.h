#pragma once
// A table of named measurements: each is the median of repeated samples (or one
// recorded value), printed as one row with its unit and target.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace kvarnel::bench {

// Milliseconds since `start`, for samples that time only their own part.
inline double millisecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

class MeasurementTable {
public:
    struct Row {
        std::string name;
        double value = 0;
        std::string unit;
        int runs = 1;
        std::string target;  // e.g. "<= 2 ms"; empty when there is none
    };

    // Calls `sample` `runs` times; each call returns what it measured (in `unit`).
    void measure(const std::string& name, int runs, const std::function<double()>& sample,
                 const std::string& target = {}, const std::string& unit = "ms") {
        std::vector<double> values;
        values.reserve(static_cast<std::size_t>(runs));
        for (int i = 0; i < runs; ++i) values.push_back(sample());
        addSamples(name, values, target, unit);
    }

    // Records the median of samples taken elsewhere (e.g. interleaved with others).
    void addSamples(const std::string& name, const std::vector<double>& values,
                    const std::string& target = {}, const std::string& unit = "ms") {
        rows_.push_back({name, median(values), unit, static_cast<int>(values.size()), target});
    }

    void record(const std::string& name, double value, const std::string& unit,
                const std::string& target = {}) {
        rows_.push_back({name, value, unit, 1, target});
    }

    const std::vector<Row>& rows() const { return rows_; }
    const Row* find(const std::string& name) const {
        for (const Row& row : rows_)
            if (row.name == name) return &row;
        return nullptr;
    }

    void print(std::FILE* out) const {
        std::size_t width = 11;
        for (const Row& row : rows_) width = std::max(width, row.name.size());
        const int w = static_cast<int>(width);
        std::fprintf(out, "%-*s  %10s  %-4s  %5s  %s\n", w, "measurement", "median", "unit", "runs",
                     "target");
        for (const Row& row : rows_)
            std::fprintf(out, "%-*s  %10.3f  %-4s  %5d  %s\n", w, row.name.c_str(), row.value,
                         row.unit.c_str(), row.runs, row.target.c_str());
    }

    static double median(std::vector<double> values) {
        if (values.empty()) return 0;
        std::sort(values.begin(), values.end());
        const std::size_t mid = values.size() / 2;
        return values.size() % 2 ? values[mid] : (values[mid - 1] + values[mid]) / 2;
    }

private:
    std::vector<Row> rows_;
};

}  // namespace kvarnel::bench
