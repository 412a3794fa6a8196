#include "interpreter/text_routines.h"

namespace quorvex {

int dpos(std::string_view sub, std::string_view s) {
    if (sub.empty()) return 0;
    const size_t p = s.find(sub);
    return p == std::string_view::npos ? 0 : static_cast<int>(p) + 1;
}

std::string_view dcopy(std::string_view s, int64_t index, int64_t count) {
    if (count <= 0) return {};
    if (index < 1) {
        // Positions before the text use up the count. Unsigned, so that 1 - index cannot overflow.
        const uint64_t before = uint64_t{1} - static_cast<uint64_t>(index);
        if (static_cast<uint64_t>(count) <= before) return {};
        count -= static_cast<int64_t>(before);
        index = 1;
    }
    const auto size = static_cast<int64_t>(s.size());
    if (index > size) return {};
    if (count > size - index + 1) count = size - index + 1;
    return s.substr(static_cast<size_t>(index - 1), static_cast<size_t>(count));
}

std::string lower_ascii(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return out;
}

bool contains(std::string_view s, std::string_view sub) { return s.find(sub) != std::string_view::npos; }
bool contains(std::string_view s, char c) { return s.find(c) != std::string_view::npos; }

int nextbracket(std::string_view s) {
    // Brackets inside string or char literals are text, as in «(")" + x)».
    const size_t close = closing_bracket(s, 1, '(', ')');
    return close == std::string_view::npos ? 0 : static_cast<int>(close) + 1;
}

std::string Trim_Last_Bracket(std::string_view s, char brr) {
    const size_t p = s.rfind(brr);
    if (p == std::string_view::npos) return {};
    return std::string(dtrim(s.substr(0, p)));
}

int32_t StrToHex(std::string_view s) {
    uint32_t value = 0;
    for (char c : s) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        uint32_t digit;
        if (c >= '0' && c <= '9')
            digit = static_cast<uint32_t>(c - '0');
        else if (c >= 'a' && c <= 'f')
            digit = static_cast<uint32_t>(c - 'a' + 10);
        else
            break;
        value = value * 16 + digit;
    }
    return static_cast<int32_t>(value);
}

int32_t StrToBin(std::string_view s) {
    uint32_t value = 0;
    for (char c : s) value = value * 2 + (c == '1' ? 1 : 0);
    return static_cast<int32_t>(value);
}

int TextRoutines::SplitString(std::string_view id, std::string_view s) {
    const int p = dpos(id, s);
    if (p > 0) {
        std::string_view left = dtrim(dcopy(s, 1, p - 1));
        std::string_view right = dtrim(dcopy(s, p + static_cast<int64_t>(id.size()), static_cast<int64_t>(s.size())));
        // Assign through temporaries: s may view one of the registers.
        std::string l(left), r(right);
        lefts = std::move(l);
        rights = std::move(r);
    } else {
        std::string l(s);
        lefts = std::move(l);
        rights.clear();
    }
    return p;
}

int TextRoutines::LastSplitString(std::string_view id, std::string_view s) {
    const size_t found = s.find_last_of(id);
    if (found == std::string_view::npos) {
        std::string copy(s);
        lefts = copy;
        rights = std::move(copy);
        return 0;
    }
    const auto p = static_cast<int64_t>(found) + 1;
    std::string l(dtrim(dcopy(s, 1, p - static_cast<int64_t>(id.size()))));
    std::string r(dtrim(dcopy(s, p + 1, static_cast<int64_t>(s.size()))));
    lefts = std::move(l);
    rights = std::move(r);
    return static_cast<int>(p);
}

std::string TextRoutines::StripBrackets(std::string_view s) {
    SplitString("(", s);
    // Brackets inside literals are text: «Serial.print(":)")» gives «":)"».
    const size_t close = closing_bracket(rights, 0, '(', ')');
    if (close == std::string_view::npos) return lefts;
    return std::string(dtrim(std::string_view(rights).substr(0, close)));
}

// The string or char literal at the start of `w`, through its closing quote (a quote after a
// backslash does not close it); the whole of `w` when the literal is never closed.
static std::string_view leading_literal(std::string_view w) { return w.substr(0, skip_literal(w, 0)); }

int TextRoutines::parse(std::string_view s, char br, char rbr) {
    eval_fn.clear();
    varx.clear();
    if (!contains(s, br) || !contains(s, rbr)) return 0;

    const std::string text(s); // s may view a register that SplitString overwrites
    SplitString(std::string_view(&br, 1), text);
    eval_fn = lefts;
    const std::string body = rights;
    // Views into body: a long argument list is walked once, never copied per argument.
    std::string_view work = body;

    int count = 0;
    std::string_view pending;
    if (!work.empty() && work[0] == '"') {
        pending = leading_literal(work);
        varx.set(0, std::string(pending));
        work.remove_prefix(pending.size());
    }

    while (contains(work, ',')) {
        std::string_view arg;
        if (!work.empty() && is_quote(work[0])) {
            // A literal argument keeps its commas: «f("a,b", c)», «Serial.print(',')».
            const std::string_view quoted = leading_literal(work);
            const size_t comma = work.find(',', quoted.size());
            if (comma == std::string_view::npos) break; // the literal is the last argument
            arg = quoted;
            work = dtrim(work.substr(comma + 1));
        } else {
            const size_t comma = work.find(',');
            arg = pending.empty() ? dtrim(work.substr(0, comma)) : pending;
            work = dtrim(work.substr(comma + 1));
        }
        varx.set(static_cast<size_t>(count), std::string(arg));
        ++count;
        pending = {};
    }

    const std::string rest = Trim_Last_Bracket(work, rbr);
    if (!rest.empty()) {
        varx.set(static_cast<size_t>(count), std::string(pending) + rest);
        ++count;
    }
    return count;
}

} // namespace quorvex
