// Memory and time of long texts: one step on a 1.6 MB expression line (400,000 terms) and on
// the longest line a step takes, then String appends with += (40,000 and 80,000 of them, and
// one String built up to 60,000 characters).
// Prints the peak memory growth, the step times and the append time per call; exits 1 when an
// error text or a count is wrong. Run it from a Release build; the test suite only checks the
// counts.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/measure.h"
#include "interpreter/interpreter.h"

namespace {

using bench::peak_rss_kib;

class CountingHost : public quorvex::Host {
public:
    void show_error(const std::string& message, const std::string&) override { errors.push_back(message); }
    std::vector<std::string> errors;
};

double seconds_since(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// One step on «x = 1 + 1 + ... + 1;» of `terms` terms in setup(); x must be 0 afterwards.
struct LineRun {
    size_t length = 0;
    double seconds = 0;
    long growth_kib = 0;
    std::vector<std::string> errors;
};

LineRun step_long_line(size_t terms) {
    CountingHost host;
    quorvex::FixedClock clock{{2024, 5, 6, 13, 4, 5}};
    quorvex::Interpreter in{host, clock};
    in.LogErrors1.Checked = false;
    std::string line = "  x = 1";
    line.reserve(terms * 4 + 16);
    for (size_t k = 1; k < terms; ++k) line += " + 1";
    line += ';';
    in.load_text("int x = 0;\nvoid setup() {\n" + line + "\n}\nvoid loop() {\n}\n");
    in.RestartClick();
    LineRun run;
    run.length = line.size();
    const long before = peak_rss_kib();
    const auto start = std::chrono::steady_clock::now();
    in.Step1Click();
    run.seconds = seconds_since(start);
    run.growth_kib = peak_rss_kib() - before;
    run.errors = host.errors;
    if (in.get_var("x") != 0) run.errors.push_back("x was changed");
    return run;
}

// `count` appends of ten characters to a String, emptied every 6,000 appends so that it stays
// below the 65,535-character limit; the String must end at the right length.
double append_run(int count, bool& ok) {
    CountingHost host;
    quorvex::FixedClock clock{{2024, 5, 6, 13, 4, 5}};
    quorvex::Interpreter in{host, clock};
    in.evaluate_expression("String s = \"\";");
    const auto start = std::chrono::steady_clock::now();
    for (int i = 1; i <= count; ++i) {
        in.evaluate_expression("s += \"0123456789\";");
        if (i % 6000 == 0) in.evaluate_expression("s = \"\";");
    }
    const double seconds = seconds_since(start);
    in.get_value("s");
    ok = host.errors.empty() && in.Results.size() == static_cast<size_t>(count % 6000) * 10;
    return seconds;
}

// One String built to 60,000 characters one character at a time: the mean time of its first
// and of its last 6,000 appends, which must be alike when an append does not copy the text.
bool growth_run(bench::Timing& t) {
    CountingHost host;
    quorvex::FixedClock clock{{2024, 5, 6, 13, 4, 5}};
    quorvex::Interpreter in{host, clock};
    in.evaluate_expression("String s = \"\";");
    constexpr int count = 60000;
    t = bench::run(in, count, [](int) { return std::string("s += \"x\";"); });
    in.get_value("s");
    return host.errors.empty() && in.Results.size() == static_cast<size_t>(count);
}

} // namespace

int main(int argc, char** argv) {
    const int appends = argc > 1 ? std::atoi(argv[1]) : 80000;
    if (appends < 2) return 2;
    bool ok = true;

    const std::string too_long = "Sketch Error - statement longer than 65536 characters";
    const LineRun huge = step_long_line(400000);
    std::printf("%zu-character line: %.3f s, peak memory growth %.1f MiB\n", huge.length, huge.seconds,
                huge.growth_kib / 1024.0);
    if (huge.errors != std::vector<std::string>{too_long}) {
        std::printf("wrong errors on the long line: %zu\n", huge.errors.size());
        ok = false;
    }
    const size_t limit_terms = (quorvex::Interpreter::max_statement_length - 16) / 4;
    const LineRun longest = step_long_line(limit_terms);
    std::printf("%zu-character line: %.3f s, peak memory growth %.1f MiB\n", longest.length, longest.seconds,
                longest.growth_kib / 1024.0);
    for (const std::string& e : longest.errors)
        if (e == too_long) {
            std::printf("the longest line was refused\n");
            ok = false;
        }

    bool half_ok = false;
    bool full_ok = false;
    const double half = append_run(appends / 2, half_ok);
    const double full = append_run(appends, full_ok);
    std::printf("String +=: %d appends %.3f s, %d appends %.3f s (%.2fx), %.3f us per append\n", appends / 2, half,
                appends, full, full / half, full * 1e6 / appends);
    bench::Timing growth;
    const bool growth_ok = growth_run(growth);
    std::printf("String += one character up to 60,000: first %.3f us, last %.3f us per append (%.2fx)\n",
                growth.first_us, growth.last_us, growth.last_us / growth.first_us);
    if (!half_ok || !full_ok || !growth_ok) {
        std::printf("wrong String length or an error after the appends\n");
        ok = false;
    }
    return ok ? 0 : 1;
}
