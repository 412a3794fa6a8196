#pragma once
// What the statement executor learns about a text from the constant tables alone: which rows of
// each table fit it, where it is cut at ";", whether it must be split, may declare, or ends in a
// bracket to be rewritten. None of it depends on the sketch's state, so a plan is made once per
// text and kept, keyed by the exact text: an edited line or a value rewritten into a text is a
// different key, and nothing ever needs to be invalidated. The handlers are still fetched from
// the tables when they are called, and the object words, which declarations change, are not
// part of a plan.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "interpreter/dispatch_tables.h"
#include "interpreter/row_filter.h"
#include "interpreter/text_map.h"

namespace quorvex {

// An operator row's word in a cut text: its first and last places as a whole token at depth 0
// outside literals, and whether the text holds a "," there. The operator handlers split their
// statement at these places.
struct OperatorSplit {
    static constexpr uint32_t none = UINT32_MAX;
    uint16_t row = 0; // 0: no row
    bool comma = false;
    uint32_t first_at = none;
    uint32_t last_at = none;
    size_t first() const { return first_at == none ? std::string_view::npos : first_at; }
    size_t last() const { return last_at == none ? std::string_view::npos : last_at; }
};

struct DispatchPlan {
    // More than one statement: all but the last run before the last is dispatched.
    bool split = false;
    // Begins with "case" or "default": it may be a case line reached by falling through.
    bool case_word = false;
    // Begins with "#" or with a declaration word.
    bool may_declare = false;
    // Holds a ";": a statement, not a value inside an expression.
    bool statement = false;
    RowSet<max_control + 1> control;
    // Length of the text cut before its first ";" and trimmed (the text is trimmed already).
    size_t cut = 0;
    // Rows that fit the cut text.
    RowSet<max_afn + 1> arduino;
    RowSet<max_lib + 1> lib;
    RowSet<max_op + 1> operators;
    // The bracket at the end of the cut text: «x + (a == b)» is rewritten with the bracket's
    // value, «y = (int)» gives that type.
    enum class Bracket : uint8_t { none, cast, rewrite } bracket = Bracket::none;
    int32_t bracket_type = 0; // for a cast
    size_t bracket_open = 0;  // index of the "(" for a rewrite
    // First "." outside literals in the cut text, npos for none.
    size_t dot = std::string_view::npos;
    // The cut text holds a "(" and a ")": it may call one of the sketch's functions.
    bool call_brackets = false;

    // Where the first candidate operator rows' words stand in the cut text, so that the handler
    // a row calls need not tokenise the text again (see OperatorSplit).
    static constexpr size_t kept_splits = 4;
    std::array<OperatorSplit, kept_splits> splits{};
    // The split of `row`, nullptr when it is not kept.
    const OperatorSplit* split_for(size_t row) const {
        for (const OperatorSplit& kept : splits)
            if (kept.row == row) return &kept;
        return nullptr;
    }
};

// The plan of a trimmed text.
DispatchPlan make_plan(std::string_view s);
// The operator rows that occur in `s` (a cut text), in table order.
RowSet<max_op + 1> operator_rows(std::string_view s);

// Plans by text, bounded: when full it starts afresh.
class PlanMemo {
public:
    static constexpr size_t capacity = 4096;

    // The plan of `s`, made now when it is not kept; a copy, since a later call may clear the
    // memo under a caller that still uses its plan.
    DispatchPlan plan(std::string_view s);
    size_t size() const { return plans_.size(); }

private:
    TextMap<DispatchPlan> plans_{capacity};
};

} // namespace quorvex
