// Directives: macros, conditional inclusion and #include.
#include "interpreter/preprocessor.h"

#include <algorithm>
#include <optional>

#include "interpreter/interpreter.h"

namespace quorvex {

namespace {

struct LibraryHeader {
    std::string_view header;
    int32_t flag;
};

// Known library headers; 0 marks headers accepted without a flag.
constexpr std::array<LibraryHeader, 15> library_headers = {{
    {"<EEPROM.h>", LIB_EEPROM},
    {"<Ethernet.h>", LIB_ETHERNET},
    {"<SPI.h>", LIB_SPI},
    {"<Firmata.h>", LIB_FIRMATA},
    {"<Servo.h>", LIB_SERVO},
    {"<SoftwareSerial.h>", LIB_SOFTSERIAL},
    {"<LiquidCrystal.h>", LIB_LCD},
    {"<SD.h>", LIB_SD},
    {"<Wire.h>", LIB_WIRE},
    {"<Stepper.h>", LIB_STEPPER},
    {"<TimerOne.h>", LIB_TIMER1},
    {"<time.h>", LIB_TIME},
    {"<FreqCounter.h>", LIB_FC},
    {"<stdio.h>", 0},
    {"<stdlib.h>", 0},
}};

} // namespace

IncludeReader::IncludeReader(std::string name, std::string_view text) : name_(std::move(name)) {
    size_t start = 0;
    while (start < text.size() && static_cast<int32_t>(lines_.size()) < max_lines) {
        size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        std::string line(text.substr(start, end - start));
        if (!line.empty() && line.back() == '\r') line.pop_back();
        std::replace(line.begin(), line.end(), '\t', ' ');
        lines_.push_back(std::move(line));
        start = end + 1;
    }
}

bool IncludeReader::next(std::string& raw) {
    if (next_ >= lines_.size()) return false;
    raw = lines_[next_++];
    return true;
}

std::string IncludeReader::code(Interpreter& in, std::string_view raw) {
    // The sketch's own comment state is left as it was: a /* left open here ends with this file.
    const bool sketch_state = in.opencomment;
    in.opencomment = open_comment_;
    std::string out = in.uncomment(raw);
    open_comment_ = in.opencomment;
    in.opencomment = sketch_state;
    return out;
}

void Preprocessor::reset() {
    library1 = 0;
    hloop = 0;
    hif.fill(0);
    kinclude1 = false;
}

bool Preprocessor::from_include(int32_t line) const {
    if (include_start < 0) return false; // ranges of an earlier text
    return std::any_of(ranges_.begin(), ranges_.end(),
                       [line](const auto& r) { return line >= r.first && line <= r.second; });
}

void Preprocessor::drop_stale_ranges() {
    // New text resets include_start; the ranges recorded for the old text go with it.
    if (include_start < 0) ranges_.clear();
}

// --- macros ---

bool Preprocessor::known(std::string_view name) {
    // A macro is looked up without expanding it, so a self-referencing one is still "defined".
    if (in_.vars.find(n_define, name) > 0) return true;
    in_.find_var(name);
    return in_.var_found > 0;
}

void Preprocessor::khdefine(std::string_view s) {
    const std::string_view t = dtrim(s);
    const size_t blank = t.find(' ');
    const std::string name(blank == std::string_view::npos ? t : t.substr(0, blank));
    const std::string text(blank == std::string_view::npos ? std::string_view() : dtrim(t.substr(blank + 1)));
    if (name.empty() || known(name)) return; // the first #define wins; known names stay
    const int32_t slot = in_.new_entry(n_define, name, 0);
    if (slot == 0) return;
    in_.vars.at(n_define, slot).def = text;
}

// --- conditional inclusion ---

bool Preprocessor::skip_next(std::string& text, bool& in_list) {
    if (!readers_.empty()) {
        // A directive inside an include file skips that file's lines, not the sketch's.
        IncludeReader& r = *readers_.back();
        std::string raw;
        if (!r.next(raw)) return false;
        in_list = r.inserting;
        if (r.inserting) ++in_.Line;
        text = r.code(in_, raw);
    } else {
        if (!in_.ListBox1.has(in_.Line + 1)) return false;
        ++in_.Line;
        in_list = true;
        text = in_.get_line();
    }
    if (in_list) in_.colour_line(in_.Line, col_comment);
    return true;
}

void Preprocessor::skip_colour(bool in_list, bool stop) {
    if (in_list) in_.colour_line(in_.Line, stop ? col_hash : col_comment);
}

void Preprocessor::open_if(bool taken) {
    if (hloop >= max_hif) {
        in_.ShowMessage1("Sketch Error - #if nested too deeply (limit " + std::to_string(max_hif) + ")");
        return;
    }
    hif[static_cast<size_t>(hloop)] = taken ? 1 : 0;
    ++hloop;
    if (!taken) skip_to_branch();
}

void Preprocessor::skip_to_branch() { skip(true); }

void Preprocessor::skip_to_endif() { skip(false); }

void Preprocessor::skip(bool to_branch) {
    int32_t nested = 0;
    std::string text;
    bool in_list = false;
    while (skip_next(text, in_list)) {
        if (text.starts_with("#if")) {
            ++nested;
        } else if (contains(text, "#endif")) {
            if (nested > 0) {
                --nested;
                continue;
            }
            // No branch taken: the level closes here.
            skip_colour(in_list, true);
            if (hloop > 0) --hloop;
            return;
        } else if (to_branch && nested == 0 && text.starts_with("#else")) {
            skip_colour(in_list, true);
            hif[static_cast<size_t>(hloop - 1)] = 1;
            return;
        } else if (to_branch && nested == 0 && text.starts_with("#elif")) {
            skip_colour(in_list, true);
            const std::string condition(dtrim(std::string_view(text).substr(5)));
            if (in_.get_var(condition) != 0) {
                hif[static_cast<size_t>(hloop - 1)] = 1;
                return;
            }
        }
    }
    in_.ShowMessage1("Sketch Error - #if without #endif");
    if (hloop > 0) --hloop;
}

void Preprocessor::khif(std::string_view s) { open_if(in_.get_var(s) != 0); }

void Preprocessor::khifdef(std::string_view s) { open_if(known(dtrim(s))); }

void Preprocessor::khifndef(std::string_view s) { open_if(!known(dtrim(s))); }

void Preprocessor::khelse(std::string_view) {
    // A stray #else closes nothing; the lines after it run.
    if (hloop == 0) return;
    if (hif[static_cast<size_t>(hloop - 1)] > 0) {
        skip_to_endif();
        return;
    }
    hif[static_cast<size_t>(hloop - 1)] = 1;
}

void Preprocessor::khelif(std::string_view s) {
    if (hloop == 0) {
        open_if(in_.get_var(s) != 0);
        return;
    }
    if (hif[static_cast<size_t>(hloop - 1)] > 0) {
        skip_to_endif();
        return;
    }
    if (in_.get_var(s) != 0)
        hif[static_cast<size_t>(hloop - 1)] = 1;
    else
        skip_to_branch();
}

void Preprocessor::khendif(std::string_view) {
    if (hloop > 0) --hloop;
}

// --- #include ---

void Preprocessor::kinclude(std::string_view s) {
    const std::string_view t = dtrim(s);
    if (const size_t open = t.find('"'); open != std::string_view::npos) {
        if (const size_t close = t.find('"', open + 1); close != std::string_view::npos) {
            include_file(std::string(t.substr(open + 1, close - open - 1)));
            return;
        }
    }
    for (const LibraryHeader& h : library_headers) {
        if (t != h.header) continue;
        library1 |= h.flag;
        if (h.flag == LIB_FIRMATA) in_.ShowMessage1("Warning - Firmata Functions not yet fully implemented!");
        return;
    }
    in_.ShowMessage1("Custom Library not yet implement " + std::string(t) + " Please email");
}

bool Preprocessor::next_include_line(std::string& line) {
    if (readers_.empty()) return false;
    IncludeReader& r = *readers_.back();
    std::string raw;
    if (!r.next(raw)) return false;
    if (r.inserting) ++in_.Line;
    line = r.code(in_, raw);
    return true;
}

void Preprocessor::include_file(const std::string& name) {
    std::optional<std::string> text = include_text(name);
    if (!text) return;
    IncludeReader reader(name, *text);
    insert_lines(reader);
    run_lines(reader);
}

std::optional<std::string> Preprocessor::include_text(const std::string& name) {
    if (static_cast<int32_t>(readers_.size()) >= max_include_depth) {
        in_.ShowMessage1("Sketch Error - include files nested too deeply: " + name);
        return std::nullopt;
    }
    for (const IncludeReader* r : readers_) {
        if (lower_ascii(r->name()) == lower_ascii(name)) {
            in_.ShowMessage1("Sketch Error - include file includes itself: " + name);
            return std::nullopt;
        }
    }
    std::optional<std::string> bytes = in_.files ? in_.files->read(name) : std::nullopt;
    if (!bytes) {
        in_.ShowMessage1("Sketch Error - include file not found: " + name);
        return std::nullopt;
    }
    if (bytes->find('\0') != std::string::npos) {
        in_.ShowMessage1("Sketch Error - include file is not text: " + name);
        return std::nullopt;
    }
    return decode_sketch_text(std::move(*bytes));
}

void Preprocessor::insert_lines(IncludeReader& reader) {
    drop_stale_ranges();
    const int32_t include_line = in_.Line;
    const bool already =
        std::any_of(ranges_.begin(), ranges_.end(), [&](const auto& r) { return r.first == include_line + 1; });
    const bool parent_inserts = readers_.empty() || readers_.back()->inserting;
    // Only the reset scan inserts: lines inserted under a running step would move the
    // subroutine table's lines and the control stack's under them.
    reader.inserting = in_.includeCode1.Checked && !included && !already && parent_inserts && !in_.in_step() &&
                       in_.ListBox1.has(include_line) && !reader.lines().empty();
    if (!reader.inserting) return;
    const auto n = static_cast<int32_t>(reader.lines().size());
    const auto at = static_cast<size_t>(include_line + 1);
    std::vector<std::string> items = in_.ListBox1.items();
    items.insert(items.begin() + static_cast<std::ptrdiff_t>(at), reader.lines().begin(), reader.lines().end());
    in_.ListBox1.assign(std::move(items));
    const size_t colour_at = std::min(at, in_.f_color.size());
    in_.f_color.insert(in_.f_color.begin() + static_cast<std::ptrdiff_t>(colour_at), static_cast<size_t>(n),
                       LineColour::Default);
    for (auto& r : ranges_) {
        if (r.first > include_line) r.first += n;
        if (r.second > include_line) r.second += n; // an enclosing file's range grows
    }
    ranges_.emplace_back(include_line + 1, include_line + n);
    include_start = ranges_.front().first;
    include_end = ranges_.front().second;
    for (const auto& r : ranges_) {
        include_start = std::min(include_start, r.first);
        include_end = std::max(include_end, r.second);
    }
}

void Preprocessor::run_lines(IncludeReader& reader) {
    // Undone on every way out, so a fault cannot leave the reader or the hook behind.
    struct Active {
        Preprocessor& p;
        std::function<bool(std::string&)> saved_hook;
        int32_t hloop_before;
        ~Active() {
            p.readers_.pop_back();
            p.kinclude1 = !p.readers_.empty();
            p.in_.decl.next_line = std::move(saved_hook);
        }
    } active{*this, std::move(in_.decl.next_line), hloop};
    readers_.push_back(&reader);
    kinclude1 = true;
    in_.decl.next_line = [this](std::string& line) { return next_include_line(line); };

    std::string raw;
    while (reader.next(raw)) {
        if (reader.inserting) ++in_.Line; // the cursor stands on the line being run
        const std::string code = reader.code(in_, raw);
        if (code.empty()) continue;
        try {
            const Interpreter::DefineCount count(in_); // each line a statement of its own
            in_.evaluate_expression(code);
        } catch (const std::exception&) {
            in_.ShowMessage1("Error? => " + code);
        }
    }
    if (hloop > active.hloop_before) {
        // An #if the file opened ends with the file.
        in_.ShowMessage1("Sketch Error - #if without #endif");
        hloop = active.hloop_before;
    }
}

} // namespace quorvex
