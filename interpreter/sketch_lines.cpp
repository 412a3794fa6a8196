// Sketch lines and the line cursor: comment stripping, line fetch, executable-line test.
#include "interpreter/interpreter.h"
#include "interpreter/literals.h"

namespace quorvex {

namespace {

// The code part of one line. `in_comment` is the block-comment state before the line
// and is left as the state after it. Markers inside string and char literals are text.
// The "//" cut comes first, even inside a block comment.
std::string strip_comments(std::string_view s, bool& in_comment) {
    std::string out;
    out.reserve(s.size());
    size_t i = 0;
    const size_t n = s.size();
    // The first "//" at or after i, searched again only once i has passed it: searching afresh
    // for every comment would make a long line of many comments quadratic.
    size_t slash = s.find("//");
    while (i < n) {
        if (in_comment) {
            const size_t close = s.find("*/", i);
            if (slash != std::string_view::npos && slash < i) slash = s.find("//", i);
            if (slash != std::string_view::npos && (close == std::string_view::npos || slash < close)) break;
            if (close == std::string_view::npos) break;
            in_comment = false;
            out += ' '; // the comment stands for one blank between the texts around it
            i = close + 2;
            continue;
        }
        const char c = s[i];
        const char next = i + 1 < n ? s[i + 1] : '\0';
        if (c == '"' || c == '\'') {
            const size_t end = skip_literal(s, i);
            out.append(s.substr(i, end - i));
            i = end;
        } else if (c == '/' && next == '/') {
            break;
        } else if (c == '/' && next == '*') {
            in_comment = true;
            i += 2;
        } else if (c == '*' && next == '/') {
            out.clear(); // a stray close drops the text before it
            i += 2;
        } else {
            out += c;
            ++i;
        }
    }
    return std::string(dtrim(out));
}

} // namespace

std::string Interpreter::uncomment(std::string_view s) {
    bool state = opencomment;
    std::string out = strip_comments(s, state);
    opencomment = state;
    return out;
}

namespace {

// Whether a line's code part is a statement the cursor stops at.
bool executable(const std::string& t) {
    if (t.empty()) return false;
    if (contains(t, '#')) return true;
    // A lone "do" and a line opening with "}" («} else», «} while (c);») are statements too.
    if (t == "else" || t == "do" || t == "{" || t.front() == '}') return true;
    return contains(t, ';') || contains(t, '{') || contains(t, '(');
}

} // namespace

void Interpreter::refresh_comment_states() {
    if (comment_revision_ == ListBox1.revision()) return;
    const int count = ListBox1.Count();
    comment_start_.assign(static_cast<size_t>(count) + 1, 0);
    code_text_.resize(static_cast<size_t>(count));
    code_line_.assign(static_cast<size_t>(count), 0);
    bool state = false;
    for (int i = 0; i < count; ++i) {
        const auto k = static_cast<size_t>(i);
        comment_start_[k] = state;
        code_text_[k] = strip_comments(ListBox1.item(i), state);
        code_line_[k] = executable(code_text_[k]);
    }
    comment_start_[static_cast<size_t>(count)] = state;
    comment_revision_ = ListBox1.revision();
}

const std::string& Interpreter::code_text(int32_t line) {
    static const std::string none;
    if (!ListBox1.has(line)) return none;
    refresh_comment_states();
    return code_text_[static_cast<size_t>(line)];
}

std::string Interpreter::get_line() {
    std::string text;
    get_line(text);
    return text;
}

void Interpreter::get_line(std::string& out) {
    if (!ListBox1.has(Line)) {
        out.clear();
        return;
    }
    out.assign(code_text(Line));
    opencomment = comment_start_[static_cast<size_t>(Line) + 1] != 0;
}

bool Interpreter::CodeLine() {
    if (!ListBox1.has(Line)) return false;
    refresh_comment_states();
    opencomment = comment_start_[static_cast<size_t>(Line) + 1] != 0;
    return code_line_[static_cast<size_t>(Line)] != 0;
}

void Interpreter::next_line() {
    if (ListBox1.Count() > Line + 1) ++Line;
}

void Interpreter::FindNextLine() {
    if (Line < ListBox1.Count()) ++Line;
    while (!CodeLine() && Line < ListBox1.Count() - 1) next_line();
    if (update1 && ListBox1.has(Line)) ListBox1.ItemIndex = Line;
}

} // namespace quorvex
