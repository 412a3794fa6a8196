// sketchrun [--steps N] [--fail-on-error] FILE
// Loads a sketch, resets, and steps it headless, printing what it produced.
// Exit status: 0 done, 1 an error occurred with --fail-on-error, 2 bad usage or unreadable file.
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
    std::cerr << "sketchrun: " << why << "\nusage: sketchrun [--steps N] [--fail-on-error] FILE\n";
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    long max_steps = 1000;
    bool fail_on_error = false;
    const char* file = nullptr;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--steps") == 0) {
            if (++i >= argc) return usage("--steps needs a number");
            char* end = nullptr;
            max_steps = std::strtol(argv[i], &end, 10);
            if (*argv[i] == '\0' || *end != '\0' || max_steps < 0) return usage("--steps needs a number");
        } else if (std::strcmp(argv[i], "--fail-on-error") == 0) {
            fail_on_error = true;
        } else if (argv[i][0] == '-' && argv[i][1] != '\0') {
            return usage("unknown option");
        } else if (file == nullptr) {
            file = argv[i];
        } else {
            return usage("one sketch file only");
        }
    }
    if (file == nullptr) return usage("no sketch file");

    test::RecordingHost host;
    SystemClock clock;
    Interpreter in(host, clock);
    sketchrun::EventLog log(std::cout);
    host.on_error = [&](const std::string& message, const std::string&) {
        log.error(in.Line, in.ListBox1.Count(), message);
    };

    if (in.load_file(file) == 0) {
        std::cerr << "sketchrun: cannot read " << file << '\n';
        return 2;
    }
    in.reset();

    long steps = 0;
    while (steps < max_steps && in.Line < in.ListBox1.Count()) {
        in.Step1Click();
        ++steps;
    }
    log.steps(steps);
    return fail_on_error && !host.errors.empty() ? 1 : 0;
}
