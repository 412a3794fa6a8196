// Construction, loading, reset and the provisional single step.
#include "interpreter/interpreter.h"

#include <fstream>
#include <sstream>

namespace quorvex {

Interpreter::Interpreter(Host& host, const Clock& clock) : host_(host), clock_(clock) { tables.restore(); }

void Interpreter::colour_line(int32_t line, LineColour colour) {
    if (!ListBox1.has(line)) return;
    if (f_color.size() != static_cast<size_t>(ListBox1.Count())) f_color.resize(static_cast<size_t>(ListBox1.Count()));
    f_color[static_cast<size_t>(line)] = colour;
}

bool Interpreter::push_level(const ControlLevel& level) {
    if (cs.push(level)) return true;
    ShowMessage1("Sketch Error - Blocks nested too deeply");
    return false;
}

void Interpreter::load_text(std::string_view text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        std::string line(text.substr(start, end - start));
        if (!line.empty() && line.back() == '\r') line.pop_back();
        for (char& c : line)
            if (c == '\t') c = ' ';
        lines.push_back(std::move(line));
        start = end + 1;
    }
    ListBox1.assign(std::move(lines));
    f_color.assign(static_cast<size_t>(ListBox1.Count()), LineColour::Default);
    Line = 0;
}

int32_t Interpreter::load_file(const std::filesystem::path& file) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(file, ec)) return 0;
    std::ifstream in(file, std::ios::binary);
    if (!in) return 0;
    std::ostringstream text;
    text << in.rdbuf();
    if (in.bad()) return 0;
    load_text(text.str());
    return 1;
}

void Interpreter::reset() {
    Results.clear();
    var_float = 0.0;
    n_type = -1;
    var_found = 0;
    keep_going = got_it = found = found_loop = rbr_found = 0;
    set_ident = -1;
    allow_interrupts = true;
    opencomment = false;
    lefts.clear();
    rights.clear();
    eval_fn.clear();
    varx.clear();
    tables.restore();
    vars.clear();
    set_other = 0;
    val_other = 0;
    us = 0;
    single_loop = 0;
    serEvent = false;
    Event = "serialEvent";
    Event_Panel = 1;
    Event_Edit = 1;
    for (PortPanel& p : panels) p = PortPanel{};
    int_loopx.fill(0);
    int_type.fill("");
    int_loopx[0] = int_loopx[1] = 10;
    int_type[0] = int_type[1] = "xyz 9"; // names no trigger mode
    board.undefine_pins();
    cs.reset();
    stop_run();
    f_color.assign(static_cast<size_t>(ListBox1.Count()), LineColour::Default);
    Line = 0;
    ListBox1.ItemIndex = ListBox1.Count() > 0 ? 0 : -1;
    if (ListBox1.Count() == 0) {
        ShowMessage1("Sketch Error - Please load a sketch first before resetting");
        return;
    }
    if (!CodeLine()) FindNextLine();
    if (ListBox1.has(Line)) ListBox1.ItemIndex = Line;
}

} // namespace quorvex
