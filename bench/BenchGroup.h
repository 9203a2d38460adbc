#pragma once

#include <cstdio>
#include <string>

// One group of benchmarks; `tavoro-bench NAME` runs one group, no argument runs them all.
struct BenchGroup {
    const char* name;
    void (*run)();
};

// Scripts read the figures from lines of the form "figure: NAME VALUE".
inline void printFigure(const std::string& name, double value) {
    std::printf("figure: %s %.6g\n", name.c_str(), value);
    std::fflush(stdout);
}
