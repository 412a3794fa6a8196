// Dispatch plans: the executor's table decisions for one text, made once and kept.
#include "interpreter/dispatch_plan.h"

#include "interpreter/declarations.h"
#include "interpreter/literals.h"
#include "interpreter/text_routines.h"

namespace quorvex {

namespace {

// The prefix tables' rows by the first character of their word (made on first use: the tables
// live in another file).
const RowSet<max_control + 1>& kcontrol_rows(unsigned char c) {
    static const auto by_char = rows_by_first_char(kcontrol, 1);
    return by_char[c];
}
const RowSet<max_afn + 1>& karduinofn_rows(unsigned char c) {
    static const auto by_char = rows_by_first_char(karduinofn, 1);
    return by_char[c];
}
const RowSet<max_lib + 1>& klibfn_rows(unsigned char c) {
    static const auto by_char = rows_by_first_char(klibfn, 1);
    return by_char[c];
}

template <size_t N, class Fits>
RowSet<N> rows_that_fit(const RowSet<N>& candidates, Fits&& fits) {
    RowSet<N> rows;
    candidates.find_if([&](size_t k) {
        if (fits(k)) rows.add(k);
        return false;
    });
    return rows;
}

RowSet<max_op + 1> all_operator_rows() {
    RowSet<max_op + 1> rows;
    for (size_t k = 1; k <= max_op; ++k) rows.add(k);
    return rows;
}

} // namespace

RowSet<max_op + 1> operator_rows(std::string_view s) {
    static const RowSet<max_op + 1> all = all_operator_rows();
    // A row with a character the text lacks is not searched for.
    const CharSet chars(s);
    return rows_that_fit(all, [&](size_t k) {
        const std::string_view word = koperators[k].word;
        return chars.may_contain(word) && contains(s, word);
    });
}

DispatchPlan make_plan(std::string_view s) {
    DispatchPlan p;
    if (s.empty()) return p;
    const auto first = static_cast<unsigned char>(s.front());

    // Several statements on one line, unless it is a for header or holds a block.
    if (!prefix_matches(s, "for") && !contains(s, '{')) {
        const size_t semi = find_outside_literals(s, ";");
        p.split = semi != std::string_view::npos && !dtrim(s.substr(semi + 1)).empty();
    }
    p.case_word = starts_with_word(s, "case") || starts_with_word(s, "default");
    p.may_declare = may_declare(s);
    p.control = rows_that_fit(kcontrol_rows(first), [&](size_t k) { return prefix_matches(s, kcontrol[k].word); });
    p.statement = find_outside_literals(s, ";") != std::string_view::npos;

    // Everything below looks at the cut text, which starts where `s` does.
    const std::string_view c = cut_statement(s);
    p.cut = c.size();
    if (c.empty()) return p;
    const auto c_first = static_cast<unsigned char>(c.front());
    if (c.back() == ')')
        p.arduino =
            rows_that_fit(karduinofn_rows(c_first), [&](size_t k) { return call_matches(c, karduinofn[k].word); });
    p.lib = rows_that_fit(klibfn_rows(c_first), [&](size_t k) { return c.starts_with(klibfn[k].word); });

    // «x + (a == b)»: a bracket that closes the text, holding the first "=" at or after its "(".
    if (c.back() == ')') {
        const int lp = dpos("(", c);
        const int eq = dpos("=", c);
        const size_t open = static_cast<size_t>(lp) - 1;
        if (lp > 0 && eq >= lp && c.size() - open >= 3 && matching_bracket(c, open) == c.size() - 1) {
            const std::string_view head = dcopy(c, 1, lp - 1);
            const std::string_view part = dcopy(c, lp + 1, static_cast<int64_t>(c.size()) - lp - 1);
            if (const int32_t type = cast_type(part); type > 0) {
                p.bracket = DispatchPlan::Bracket::cast;
                p.bracket_type = type;
            } else if (!contains(part, ',') && (head.empty() || !ident_char(head.back()))) {
                p.bracket = DispatchPlan::Bracket::rewrite;
                p.bracket_open = open;
            }
        }
    }
    p.call_brackets = contains(c, '(') && contains(c, ')');
    p.operators = operator_rows(c);
    p.dot = find_outside_literals(c, ".");
    const bool comma = find_operator(c, ",") != std::string_view::npos;
    // Statements are at most 65,536 characters: every place fits in 32 bits.
    const auto place = [](size_t at) {
        return at == std::string_view::npos ? OperatorSplit::none : static_cast<uint32_t>(at);
    };
    size_t kept = 0;
    p.operators.find_if([&](size_t k) {
        const std::string_view word = koperators[k].word;
        p.splits[kept++] = {static_cast<uint16_t>(k), comma, place(find_operator(c, word, Occurrence::first)),
                            place(find_operator(c, word, Occurrence::last))};
        return kept == DispatchPlan::kept_splits;
    });
    return p;
}

DispatchPlan PlanMemo::plan(std::string_view s) {
    return plans_.at(plans_.find_or_add(s, [s] { return make_plan(s); }));
}

} // namespace quorvex
