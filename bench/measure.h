#pragma once
// What the output benches measure: the peak memory, and the mean time of the first and of the
// last tenth of a run of statements.
#include <chrono>
#include <fstream>
#include <string>

#include "interpreter/interpreter.h"

namespace bench {

// The peak resident memory so far, in KiB.
inline long peak_rss_kib() {
    std::ifstream status("/proc/self/status");
    std::string word;
    while (status >> word)
        if (word == "VmHWM:") {
            long kib = 0;
            status >> kib;
            return kib;
        }
    return 0;
}

struct Timing {
    double first_us = 0;
    double last_us = 0;
};

// Runs `count` statements made by `make`, timing the first and the last tenth.
template <class Make>
Timing run(quorvex::Interpreter& in, int count, Make make) {
    using clock = std::chrono::steady_clock;
    const int slice = count / 10;
    Timing t;
    clock::time_point start = clock::now();
    for (int i = 0; i < count; ++i) {
        if (i == count - slice) start = clock::now();
        in.evaluate_expression(make(i));
        if (i == slice - 1)
            t.first_us = std::chrono::duration<double, std::micro>(clock::now() - start).count() / slice;
    }
    t.last_us = std::chrono::duration<double, std::micro>(clock::now() - start).count() / slice;
    return t;
}

} // namespace bench
