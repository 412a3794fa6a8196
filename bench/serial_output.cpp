// Long serial output: 100,000 println calls through the statement executor, then 100,000
// one-character prints onto one line. Prints the mean append time of the first and of the
// last 10,000 appends and the peak memory growth; exits 1 when an item count or the last item
// is wrong. Run it from a Release build; the test suite only checks the counts.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "bench/measure.h"
#include "interpreter/interpreter.h"

int main(int argc, char** argv) {
    const int count = argc > 1 ? std::atoi(argv[1]) : 100000;
    if (count < 10) return 2;
    quorvex::NullHost host;
    quorvex::FixedClock clock{{2024, 5, 6, 13, 4, 5}};
    quorvex::Interpreter in{host, clock};
    in.evaluate_expression("Serial.begin(9600);");
    const quorvex::OutputList& list = in.panels[1].ListBox;
    const int32_t before = list.Count();
    const long rss_before = bench::peak_rss_kib();

    const bench::Timing lines =
        bench::run(in, count, [](int i) { return "Serial.println(" + std::to_string(i) + ");"; });
    const int32_t after_lines = list.Count();
    // Each println ends its line; the list then holds an open empty line after the last one.
    const int32_t expected = before + count + (before == 0 ? 1 : 0);
    const bool lines_ok = after_lines == expected && list.item(after_lines - 2) == std::to_string(count - 1) &&
                          list.item(after_lines - 1).empty();

    const bench::Timing chars = bench::run(in, count, [](int) { return std::string("Serial.print(\"x\");"); });
    const bool chars_ok =
        list.Count() == after_lines && list.item(list.Count() - 1).size() == static_cast<size_t>(count);

    const long growth = bench::peak_rss_kib() - rss_before;
    std::printf("println: first %.3f us, last %.3f us per append (%.2fx)\n", lines.first_us, lines.last_us,
                lines.last_us / lines.first_us);
    std::printf("print onto one line: first %.3f us, last %.3f us per append (%.2fx)\n", chars.first_us, chars.last_us,
                chars.last_us / chars.first_us);
    std::printf("peak memory growth: %.1f MiB\n", growth / 1024.0);
    if (!lines_ok || !chars_ok) {
        std::printf("wrong output: %d lines, last line %zu characters\n", list.Count(),
                    list.Count() > 0 ? list.item(list.Count() - 1).size() : 0);
        return 1;
    }
    return 0;
}
