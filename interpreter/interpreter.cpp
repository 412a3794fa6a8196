// Construction and the block stack's checked push.
#include "interpreter/interpreter.h"

namespace quorvex {

Interpreter::Interpreter(Host& host, const Clock& clock) : host_(host), clock_(clock) { tables.restore(); }

void Interpreter::colour_line(int32_t line, LineColour colour) {
    if (!ListBox1.has(line)) return;
    if (f_color.size() != static_cast<size_t>(ListBox1.Count())) f_color.resize(static_cast<size_t>(ListBox1.Count()));
    f_color[static_cast<size_t>(line)] = colour;
}

bool Interpreter::push_level(const ControlLevel& level) {
    ControlLevel opened = level;
    opened.outer_single_loop = single_loop;
    if (!cs.push(opened)) {
        ShowMessage1("Sketch Error - Blocks nested too deeply");
        return false;
    }
    single_loop = 0; // a brace-less header sets the new level's own countdown after this
    return true;
}

bool Interpreter::pop_level() {
    if (!cs.pop()) return false;
    single_loop = cs.at(cs.loopx).outer_single_loop;
    return true;
}

} // namespace quorvex
