// Loading a sketch, the reset scan (colours, subroutines, globals) and reset.
#include <cstdio>

#include "interpreter/interpreter.h"
#include "interpreter/literals.h"

namespace quorvex {

namespace {

// Return types that start a subroutine header, compared without regard to case.
constexpr std::array<std::string_view, 16> header_words = {"void",    "boolean",  "byte",     "char",  "int",    "long",
                                                           "float",   "string",   "unsigned", "bool",  "double", "word",
                                                           "uint8_t", "uint16_t", "uint32_t", "String"};

bool starts_with_nocase(std::string_view s, std::string_view word) {
    if (s.size() < word.size()) return false;
    for (size_t i = 0; i < word.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(s[i])) != std::tolower(static_cast<unsigned char>(word[i])))
            return false;
    return true;
}

std::string line_number(const char* format, int32_t n) {
    char text[32];
    std::snprintf(text, sizeof text, format, n);
    return text;
}

} // namespace

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
    // New text: nothing of it was inserted from an include file yet.
    pre.include_start = -1;
    pre.include_end = -1;
    pre.included = false;
}

int32_t Interpreter::LoadFile1(const std::string& Fname) {
    BreakLine = -1;
    BreakLine1 = -1;
    pre.include_start = -1;
    pre.include_end = -1;
    pre.included = false;
    match_Start = -1;
    match_end = -1;

    SketchBytes file = files->read_sketch(Fname);
    if (file.status == SketchBytes::Status::TooLarge) {
        ShowMessage1("Sketch Error - sketch file too large: " + Fname);
        return 0;
    }
    if (file.status != SketchBytes::Status::Read) return 0;
    std::string& text = file.bytes;
    if (text.find('\0') != std::string::npos) {
        // A binary file would make every line a sketch error.
        ShowMessage1("Sketch Error - not a sketch text file: " + Fname);
        return 0;
    }

    // A relative name would point elsewhere once the program starts from another folder, and
    // its empty folder would send the include lookup nowhere.
    FileName = file.path.empty() ? Fname : std::move(file.path);
    const std::filesystem::path path(FileName);
    Caption = path.filename().string();
    Logdir1 = path.parent_path().string();
    files->set_folder(path.parent_path());
    load_text(decode_sketch_text(std::move(text)));
    return 1;
}

bool Interpreter::LoadFile(const std::string& Fname) {
    if (in_step_) return false; // a modal window opened by a step must not swap the sketch under it
    if (AutoStep.Checked) AutoStepClick();
    GatheredErrors errors(*this, "loading");
    const bool read = LoadFile1(Fname) != 0;
    RestartClick();
    log_error(std::filesystem::path(Fname).filename().string());
    errors.show();
    return read;
}

bool Interpreter::OpenFile(const std::string& Fname) {
    if (in_step_) return false; // as LoadFile: the running step keeps its text
    ListBox1.clear();
    Line = 0;
    return LoadFile(Fname);
}

void Interpreter::saved_as(const std::string& path) {
    FileName = path;
    Caption = std::filesystem::path(path).filename().string();
}

void Interpreter::find_sr() {
    const int32_t start_count = ListBox1.Count();
    bool table_full_reported = false;
    Line = 0;
    try {
        for (int32_t n = 0; Line < ListBox1.Count() && n < start_count; ++n, ++Line) {
            colour_line(Line, LineColour::Default);
            const std::string text = get_line();
            if (text.empty()) {
                colour_line(Line, col_comment);
                continue;
            }
            std::string_view head = text;
            if (head.starts_with("static ")) head = dtrim(head.substr(7));
            if (head.starts_with("unsigned")) head = dtrim(head.substr(8));

            // A header: a return type, then a bare name and "(".
            std::string name;
            for (std::string_view word : header_words) {
                if (!starts_with_nocase(head, word)) continue;
                const std::string_view rest = dtrim(head.substr(word.size()));
                const size_t open = rest.find('(');
                // «int x = f(2);» has no bare name before its "(", «void f() { x = 1; }» does.
                if (open != std::string_view::npos && is_identifier(dtrim(rest.substr(0, open)))) {
                    name = std::string(dtrim(rest.substr(0, open)));
                    colour_line(Line, col_sr);
                    break;
                }
                colour_line(Line, col_decl);
            }

            if (pre.from_include(Line)) continue; // inserted include lines ran with their #include

            if (name.empty()) {
                // Globals and directives run now, so they exist before setup().
                if (statement_too_long(text)) continue;
                std::array<int32_t, max_type + 1> before = vars.var_n;
                const DefineCount count(*this); // «long a[] = {M, M, ...}» is one statement
                const bool handled = decl.check_declarations(text);
                for (int32_t t = 1; t <= max_type; ++t)
                    for (int32_t j = before[static_cast<size_t>(t)]; j < vars.var_n[static_cast<size_t>(t)]; ++j)
                        vars.at(t, j).from_scan = true;
                if (!handled) ShowMessage1("Cannot process >> " + text);
                continue;
            }

            const size_t close_paren = closing_bracket(text, text.find('(') + 1, '(', ')');
            const std::string_view after = close_paren == std::string::npos
                                               ? std::string_view()
                                               : dtrim(std::string_view(text).substr(close_paren + 1));
            if (after.starts_with(";")) continue; // a prototype: the body comes later

            Subroutine s;
            s.name = name;
            s.params = parse(head, '(', ')');
            s.header_line = Line;
            const size_t brace = find_outside_literals(after, "{");
            if (brace != std::string_view::npos && matching_bracket(after, brace) != std::string_view::npos) {
                s.close_line = Line; // the whole body stands on the header line
            } else {
                match_bracket(text, 0, "xyz1");
                if (Line >= ListBox1.Count()) {
                    ShowMessage1("Sketch Error - No Matching bracket } for subroutine: " + name);
                    return;
                }
                s.close_line = Line;
            }
            if (!subs.add(std::move(s)) && !table_full_reported) {
                table_full_reported = true;
                ShowMessage1("Sketch Error - Too many subroutines (limit " + std::to_string(SubroutineTable::capacity) +
                             ")");
            }
        }
    } catch (const std::exception&) {
        ShowMessage1("Problem in Reset find_sr() at line " + std::to_string(Line) + " " +
                     (ListBox1.has(Line) ? ListBox1.item(Line) : std::string()));
    }
}

void Interpreter::reset_families() {
    panels.reset();
    board.undefine_pins();
    simtime.reset();
    interrupts.reset();
    serial.reset();
    sd.reset();
    lcd.reset();
    motors.reset();
}

void Interpreter::RestartClick() {
    GatheredErrors errors(*this, "resetting");
    reset_now();
    errors.show();
}

void Interpreter::reset_now() {
    ++reset_count;
    Timer1.Enabled = false;
    if (AutoStep.Checked) AutoStepClick();
    stop_run();
    clear_run_state();
    reset_families();

    // Variables, colours, subroutines.
    vars.clear();
    f_color.assign(static_cast<size_t>(ListBox1.Count()), LineColour::Default);
    subs.clear();
    Line = 0;
    ListBox1.ItemIndex = ListBox1.Count() > 0 ? 0 : -1;

    if (ListBox1.Count() == 0) {
        ShowMessage1("Sketch Error - Please load a sketch first before resetting");
        Timer1.Enabled = false;
        return;
    }

    find_sr();
    // Whatever the global lines opened or called, setup() starts at the top level.
    flow.reset();
    calls.reset();
    cs.reset();
    single_loop = 0;
    rbr_found = 0;

    const std::string& first = ListBox1.item(0);
    if (contains(first, "Simulate Uno"))
        board.Uno1Click();
    else if (contains(first, "Simulate Mega"))
        board.Mega1Click();
    enter_setup();
}

void Interpreter::clear_run_state() {
    update1 = true;
    flow.reset();
    calls.reset();
    pre.reset();
    cs.reset();
    single_loop = 0;
    rbr_found = 0;
    found_loop = 0;
    skip_array = 0;
    set_ident = 0;
    set_other = 0;
    val_other = 0;
    opencomment = false;
    Results.clear();
    var_float = 0.0L;
    n_type = -1;
    var_found = 0;
    keep_going = got_it = found = 0;
    lefts.clear();
    rights.clear();
    eval_fn.clear();
    varx.clear();
    serEvent = false;
    Event = "serialEvent";
    Event_Panel = 1;
    tables.restore_objects(); // old object names stop matching
}

void Interpreter::enter_setup() {
    // Stop on the first code line of setup(): its registered header first, else its text.
    opencomment = false;
    int32_t header = -1;
    if (const Subroutine* s = subs.find("setup")) header = s->header_line;
    for (int32_t i = 0; header < 0 && i < ListBox1.Count(); ++i)
        if (contains(ListBox1.item(i), "setup()")) header = i;
    std::string text;
    if (header < 0) {
        Line = 0;
        ShowMessage1("Sketch Error - no setup() found");
    } else {
        Line = header;
        text = get_line();
        FindNextLine();
    }
    flow.ksetup(text);
    found_loop = 0;

    StatusBar1[0] = line_number("Line: %.4d", Line);
    StatusBar1[1] = line_number("of %.4d", ListBox1.Count());
    StatusBar1[2] = "Next: " + get_line();
    UpdateClick();
    StatusBar1[3] = "Reset";
}

} // namespace quorvex
