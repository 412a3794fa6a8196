// sketchrun [--steps N] [--fail-on-error] [--run] [--board uno|mega] [--statements] FILE
// Loads a sketch, resets, and steps it headless (or runs it on ticks), printing what it
// produced. Exit status: 0 done, 1 an error occurred with --fail-on-error, 2 bad usage or
// an unreadable file.
#include <charconv>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <string>

#include "interpreter/interpreter.h"
#include "sketchrun/event_log.h"
#include "support/recording_host.h"

using namespace quorvex;

namespace {

int usage(const char* why) {
    std::cerr << "sketchrun: " << why
              << "\nusage: sketchrun [--steps N] [--fail-on-error] [--run] [--board uno|mega] [--statements] FILE\n";
    return 2;
}

struct Options {
    long max_steps = 1000;
    bool fail_on_error = false;
    bool run = false;
    bool statements = false; // plain statements, no setup(): no reset scan, start on the first code line
    const char* board = nullptr;
    const char* file = nullptr;
};

// Parses the command line; returns 0 or the usage exit status.
int parse_options(int argc, char** argv, Options& o) {
    for (int i = 1; i < argc; ++i) {
        const char* a = argv[i];
        if (std::strcmp(a, "--steps") == 0) {
            if (++i >= argc) return usage("--steps needs a number");
            char* end = nullptr;
            o.max_steps = std::strtol(argv[i], &end, 10);
            if (*argv[i] == '\0' || *end != '\0' || o.max_steps < 0) return usage("--steps needs a number");
        } else if (std::strcmp(a, "--fail-on-error") == 0) {
            o.fail_on_error = true;
        } else if (std::strcmp(a, "--statements") == 0) {
            o.statements = true;
        } else if (std::strcmp(a, "--run") == 0) {
            o.run = true;
        } else if (std::strcmp(a, "--board") == 0) {
            if (++i >= argc || (std::strcmp(argv[i], "uno") != 0 && std::strcmp(argv[i], "mega") != 0))
                return usage("--board takes uno or mega");
            o.board = argv[i];
        } else if (a[0] == '-' && a[1] != '\0') {
            return usage("unknown option");
        } else if (o.file == nullptr) {
            o.file = a;
        } else {
            return usage("one sketch file only");
        }
    }
    return o.file == nullptr ? usage("no sketch file") : 0;
}

// The value of entry [t][slot] as the variables grid shows it.
std::string value_text(const Interpreter& in, int32_t t, int32_t slot) {
    const Entry& e = in.vars.at(t, slot);
    if (t == n_string) return e.sval;
    if (t == n_define) return e.def;
    if (t == n_float) {
        char text[64];
        auto [end, ec] = std::to_chars(text, text + sizeof text, e.fval, std::chars_format::fixed, 2);
        return ec == std::errc() ? std::string(text, end) : std::string("?");
    }
    return std::to_string(e.ival);
}

} // namespace

int main(int argc, char** argv) {
    Options o;
    if (const int status = parse_options(argc, argv, o); status != 0) return status;

    test::RecordingHost host;
    SystemClock clock;
    Interpreter in(host, clock);
    sketchrun::EventLog log(std::cout);
    host.on_error = [&](const std::string& message, const std::string&) {
        log.error(in.Line, in.ListBox1.Count(), message);
    };

    if (o.board != nullptr && std::strcmp(o.board, "mega") == 0) in.board.Mega1Click();
    if (in.LoadFile1(o.file) == 0) {
        std::cerr << "sketchrun: cannot read " << o.file << '\n';
        return 2;
    }
    if (o.statements) {
        in.Line = 0;
        if (!in.CodeLine()) in.FindNextLine();
    } else {
        in.RestartClick();
    }
    in.board.on_level = [&](int32_t pin, bool high) { log.level(pin, high, in.us); };

    long steps = 0;
    if (o.run) {
        if (steps < o.max_steps) {
            in.AutoStepClick();
            ++steps;
        }
        while (steps < o.max_steps && in.Timer1.Enabled) {
            in.tick();
            ++steps;
        }
    } else {
        while (steps < o.max_steps && in.Line < in.ListBox1.Count()) {
            in.Step1Click();
            ++steps;
        }
    }

    for (int32_t t : {1, 2, 3, 4, 5, 6, 7, 12})
        for (int32_t j = 1; j < in.vars.var_n[static_cast<size_t>(t)]; ++j)
            log.variable(in.vars.at(t, j).name, t, value_text(in, t, j));
    for (int32_t p = 0; p < Board::pin_count; ++p) {
        if (!Board::has_display(p)) continue;
        const PinState& s = in.board.pin(p);
        if (s.mode != UNDEFINED || s.level) log.pin(p, s.mode, s.level);
    }
    log.clock(in.us);
    log.line(in.Line, in.ListBox1.Count());
    log.steps(steps);
    return o.fail_on_error && !host.errors.empty() ? 1 : 0;
}
