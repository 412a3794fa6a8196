// Rows of the variables grid: headers, formats, folding and Watch.
#include "workbench/grid_state.h"

#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdio>

#include "interpreter/value_format.h"
#include "interpreter/variables.h"

namespace quorvex {

namespace {

const char* type_word(int32_t t) {
    if (t >= 1 && t <= 7) return kident_type_word[static_cast<size_t>(t)];
    if (t == 8) return "unsigned";
    return "#define";
}

void set_decimal(std::string& out, int64_t v) {
    char buf[24];
    const auto r = std::to_chars(buf, buf + sizeof buf, v);
    out.assign(buf, r.ptr);
}

void set_qualifier(std::string& out, int32_t flags) {
    static constexpr const char* words[] = {"const ", "unsigned ", "static ", "volatile ", "local "};
    out.clear();
    for (int bit = 0; bit < 5; ++bit)
        if ((flags & (1 << bit)) != 0) out += words[bit];
}

bool has_bracket(const std::string& name) { return name.find('[') != std::string::npos; }

// A whole 32-bit number, all of the text.
bool whole_number(std::string_view s, int32_t& out) {
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), out);
    return ec == std::errc() && end == s.data() + s.size();
}

// A decimal number that a float holds: "." whatever the locale, no hex, no infinity or NaN.
bool float_number(std::string_view s) {
    double d = 0;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), d, std::chars_format::general);
    return ec == std::errc() && end == s.data() + s.size() && std::isfinite(d) && std::fabs(d) <= FLT_MAX;
}

} // namespace

const std::string& GridState::mark(int32_t type, std::string_view name) const {
    static const std::string none;
    const auto it = marks.find(std::pair<int32_t, std::string_view>(type, name));
    return it == marks.end() ? none : it->second;
}

void GridState::set_mark(int32_t type, std::string_view name, std::string text) {
    auto key = std::pair<int32_t, std::string>(type, std::string(name));
    if (text.empty())
        marks.erase(key);
    else
        marks[std::move(key)] = std::move(text);
}

std::string integer_text(int32_t value, GridFormat format) {
    char buf[32];
    const auto bits = static_cast<uint32_t>(value);
    switch (format) {
    case GridFormat::Decimal:
        std::snprintf(buf, sizeof buf, "%d", value);
        return buf;
    case GridFormat::Hex:
        std::snprintf(buf, sizeof buf, "0x%X", bits);
        return buf;
    case GridFormat::Char: {
        std::string text;
        const uint32_t c = bits & 0xFFFFu;
        // A control character would break the cell's line or show nothing at all.
        append_code_unit(text, c < 0x20 || (c >= 0x7F && c < 0xA0) ? 0xFFFD : static_cast<int32_t>(c));
        std::snprintf(buf, sizeof buf, " (0x%X)", bits);
        return text + buf;
    }
    }
    return {};
}

bool still_typing(std::string_view text) { return text.empty() || text == "-" || text == "."; }

TypedValue read_typed(std::string_view text, int32_t type) {
    using Kind = TypedValue::Kind;
    if (still_typing(text)) return {Kind::Typing};
    if (type == n_string || type == n_define) return {Kind::Text};
    if (type == n_float) return {float_number(text) ? Kind::Float : Kind::NotAValue};
    TypedValue v;
    v.kind = whole_number(text, v.whole) ? Kind::Whole : Kind::NotAValue;
    return v;
}

// The cells are assigned rather than rebuilt, so a refresh of an unchanged table reuses every
// string's storage.
void build_rows(const VariableTable& vars, const GridState& state, std::vector<GridRow>& out) {
    size_t row = 0;
    int64_t number = 1;
    bool fold = false;
    auto next = [&]() -> GridRow& {
        if (row == out.size()) out.emplace_back();
        return out[row++];
    };
    for (const int32_t t : grid_types) {
        const int32_t n = vars.var_n[static_cast<size_t>(t)];
        if (n <= 1) continue;
        GridRow& h = next();
        h.header = true;
        h.type = t;
        h.no.clear();
        h.mark = "w";
        h.name = type_word(t);
        h.value = "Value";
        set_decimal(h.qualifier, n - 1);
        h.hidden = false;
        for (int32_t j = 1; j < n; ++j) {
            const Entry& e = vars.at(t, j);
            GridRow& r = next();
            r.header = false;
            r.type = t;
            r.mark = state.mark(t, e.name);
            r.name = e.name;
            r.hidden = false;
            // A "+" folds the element rows after it, up to a marked row or a plain variable.
            if (has_bracket(e.name) && fold) {
                if (r.mark.empty())
                    r.hidden = true;
                else
                    fold = false;
            } else {
                fold = false;
            }
            if (r.mark == "+") fold = true;
            if (state.Watch && r.mark.empty()) r.hidden = true;
            set_decimal(r.no, number++);
            if (t == n_float)
                r.value = float_text(e.fval);
            else if (t == n_string)
                r.value = e.sval;
            else if (t == n_define)
                r.value = e.def;
            else
                r.value = integer_text(e.ival, state.format);
            set_qualifier(r.qualifier, e.flags);
        }
    }
    out.resize(row);
}

void update_arrays(std::vector<GridRow>& rows, size_t current) {
    if (current >= rows.size()) return;
    const std::string& mark = rows[current].mark;
    const bool unfold = mark.empty();
    if (!unfold && mark != "+") return;
    for (size_t i = current + 1; i < rows.size(); ++i) {
        GridRow& r = rows[i];
        if (!has_bracket(r.name) || r.name.find("[0]") != std::string::npos) break;
        if (unfold) {
            r.hidden = false;
        } else {
            if (!r.mark.empty()) break;
            r.hidden = true;
        }
    }
}

} // namespace quorvex
