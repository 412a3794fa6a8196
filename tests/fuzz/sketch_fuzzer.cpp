// Fuzz target: the input bytes are a sketch file. It is loaded, reset, run for a bounded
// number of steps (a stepper tick after each, the half-second tick after every tenth), and
// reset again; the second reset must give the shape of the first: the
// same variables, depth, objects, subroutines and colours.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "interpreter/file_access.h"
#include "interpreter/interpreter.h"
#include "support/recording_host.h"
#include "support/state_snapshot.h"

namespace {

constexpr int max_steps = 2000;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace quorvex;
    test::RecordingHost host;
    FixedClock clock{{2024, 5, 6, 13, 4, 5}};
    Interpreter in{host, clock};
    in.LogErrors1.Checked = false; // nothing is written to disk
    auto files = std::make_unique<MemoryFiles>();
    files->files["lib.h"] = "int libValue = 3;\n#define LIB_PIN 7\n";
    in.files = std::move(files);
    // A recording host keeps every error; a sketch that reports on each step stays bounded.
    host.on_error = [&host](const std::string&, const std::string&) {
        if (host.errors.size() > 64) host.errors.erase(host.errors.begin());
    };

    in.load_text(decode_sketch_text(std::string(reinterpret_cast<const char*>(data), size)));
    in.RestartClick();
    const std::string first = test::state_snapshot(in, false);
    for (int i = 0; i < max_steps && in.Line < in.ListBox1.Count(); ++i) {
        in.Step1Click();
        in.motors.kStepper_TimerTimer();
        if (i % 10 == 9) in.simtime.Timer2Timer();
    }
    in.RestartClick();
    const std::string second = test::state_snapshot(in, false);
    if (first != second) {
        std::fprintf(stderr, "reset mismatch\nfirst:  %s\nsecond: %s\n", first.c_str(), second.c_str());
        std::abort();
    }
    return 0;
}
