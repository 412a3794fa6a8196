// Reading a long SD file: port panel 5 holds 100,000 lines of ten characters (1 MB), read to
// the end one character at a time with «f.available()» and «f.read()» through the statement
// executor. Prints the mean time per character of the first and of the last tenth; exits 1
// when a character count or code is wrong. Run it from a Release build; the test suite only
// checks the counts.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "interpreter/interpreter.h"

int main(int argc, char** argv) {
    const int lines = argc > 1 ? std::atoi(argv[1]) : 100000;
    if (lines < 10) return 2;
    constexpr int width = 10;
    quorvex::NullHost host;
    quorvex::FixedClock clock{{2024, 5, 6, 13, 4, 5}};
    quorvex::Interpreter in{host, clock};
    in.evaluate_expression("File f = SD.open(\"big.txt\");");
    quorvex::OutputList& list = in.panels[5].ListBox;
    for (int i = 0; i < lines; ++i) {
        std::string line(width, static_cast<char>('a' + i % 26));
        line.back() = static_cast<char>('0' + i % 10);
        list.add(std::move(line));
    }

    using steady = std::chrono::steady_clock;
    const long total = static_cast<long>(lines) * width;
    const long slice = total / 10;
    double first_us = 0;
    double last_us = 0;
    long read = 0;
    long wrong = 0;
    steady::time_point start = steady::now();
    while (in.evaluate_expression("f.available()") != 0) {
        if (read == total - slice) start = steady::now();
        const int32_t c = in.evaluate_expression("f.read()");
        const long line = read / width;
        const char expected =
            read % width == width - 1 ? static_cast<char>('0' + line % 10) : static_cast<char>('a' + line % 26);
        if (c != expected) ++wrong;
        ++read;
        if (read == slice)
            first_us =
                std::chrono::duration<double, std::micro>(steady::now() - start).count() / static_cast<double>(slice);
    }
    last_us = std::chrono::duration<double, std::micro>(steady::now() - start).count() / static_cast<double>(slice);
    const bool ok = read == total && wrong == 0 && list.empty() && in.evaluate_expression("f.read()") == 0;
    std::printf("read %ld characters: first %.3f us, last %.3f us per character (%.2fx)\n", read, first_us, last_us,
                last_us / first_us);
    if (!ok) {
        std::printf("wrong reading: %ld of %ld characters, %ld wrong, %d lines left\n", read, total, wrong,
                    list.Count());
        return 1;
    }
    return 0;
}
