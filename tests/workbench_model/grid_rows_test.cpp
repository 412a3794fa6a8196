// The variables grid's rows: headers, formats, folding, Watch and marks that follow variables.
#include <gtest/gtest.h>

#include "interpreter/variables.h"
#include "workbench/grid_state.h"

using namespace quorvex;

namespace {

int32_t add(VariableTable& vars, int32_t t, const std::string& name, int32_t value = 0, int32_t flags = 0) {
    const int32_t slot = vars.add(t, name, flags);
    vars.at(t, slot).ival = value;
    return slot;
}

std::vector<GridRow> rows_of(const VariableTable& vars, const GridState& state) {
    std::vector<GridRow> rows;
    build_rows(vars, state, rows);
    return rows;
}

std::vector<std::string> visible_names(const std::vector<GridRow>& rows) {
    std::vector<std::string> names;
    for (const GridRow& r : rows)
        if (!r.hidden) names.push_back(r.name);
    return names;
}

} // namespace

TEST(GridRows, HeadersNumbersAndFormats) {
    VariableTable vars;
    add(vars, n_int, "a", 7);
    add(vars, n_int, "b", -1, SET_CONST | SET_LOCAL);
    const int32_t f = vars.add(n_float, "f", 0);
    vars.at(n_float, f).fval = 3.14159f;
    const int32_t s = vars.add(n_string, "s", 0);
    vars.at(n_string, s).sval = " hi ";
    const int32_t d = vars.add(n_define, "LED", 0);
    vars.at(n_define, d).def = "13";
    add(vars, n_char, "c", 65);

    GridState state;
    const std::vector<GridRow> rows = rows_of(vars, state);
    ASSERT_EQ(rows.size(), 11u);
    // char comes before int: the grid lists type codes in order.
    EXPECT_TRUE(rows[0].header);
    EXPECT_EQ(rows[0].name, "char");
    EXPECT_EQ(rows[0].mark, "w");
    EXPECT_EQ(rows[0].value, "Value");
    EXPECT_EQ(rows[0].qualifier, "1");
    EXPECT_EQ(rows[0].no, "");
    EXPECT_EQ(rows[1].no, "1");
    EXPECT_EQ(rows[1].value, "65");
    EXPECT_EQ(rows[2].name, "int");
    EXPECT_EQ(rows[2].qualifier, "2");
    EXPECT_EQ(rows[3].no, "2");
    EXPECT_EQ(rows[4].value, "-1");
    EXPECT_EQ(rows[4].qualifier, "const local ");
    EXPECT_EQ(rows[5].name, "float");
    EXPECT_EQ(rows[6].value, "3.14");
    EXPECT_EQ(rows[7].name, "string");
    EXPECT_EQ(rows[8].value, " hi ");
    EXPECT_EQ(rows[9].name, "#define");
    EXPECT_EQ(rows[10].value, "13");
    EXPECT_EQ(rows[10].no, "6");

    state.format = GridFormat::Hex;
    const std::vector<GridRow> hex = rows_of(vars, state);
    EXPECT_EQ(hex[4].value, "0xFFFFFFFF");
    EXPECT_EQ(hex[6].value, "3.14"); // floats, strings and macros keep their text
    state.format = GridFormat::Char;
    EXPECT_EQ(rows_of(vars, state)[1].value, "A (0x41)");
    EXPECT_EQ(integer_text(10, GridFormat::Char), "\xEF\xBF\xBD (0xA)");
    EXPECT_EQ(integer_text(0x10041, GridFormat::Char), "A (0x10041)");
}

TEST(GridRows, FoldingWatchAndMarksFollowTheirVariables) {
    VariableTable vars;
    add(vars, n_int, "a[0]");
    add(vars, n_int, "a[1]");
    add(vars, n_int, "a[2]");
    add(vars, n_int, "b[0]");
    add(vars, n_int, "b[1]");
    add(vars, n_int, "x");
    GridState state;
    state.set_mark(n_int, "a[0]", "+");
    // Folding runs on into the next array of the type, as far as a plain variable.
    EXPECT_EQ(visible_names(rows_of(vars, state)), (std::vector<std::string>{"int", "a[0]", "x"}));
    // A marked row ends it.
    state.set_mark(n_int, "b[0]", "+");
    EXPECT_EQ(visible_names(rows_of(vars, state)), (std::vector<std::string>{"int", "a[0]", "b[0]", "x"}));

    // Unfolding at once stops at the next array's first element; folding at a marked row.
    std::vector<GridRow> rows = rows_of(vars, state);
    state.set_mark(n_int, "a[0]", "");
    rows[1].mark.clear();
    update_arrays(rows, 1);
    EXPECT_EQ(visible_names(rows), (std::vector<std::string>{"int", "a[0]", "a[1]", "a[2]", "b[0]", "x"}));
    rows[1].mark = "+";
    rows[4].mark = "+";
    update_arrays(rows, 1);
    EXPECT_EQ(visible_names(rows), (std::vector<std::string>{"int", "a[0]", "b[0]", "x"}));

    // Watch: only marked variable rows stay, and every header.
    state.Watch = true;
    state.set_mark(n_int, "x", "w");
    EXPECT_EQ(visible_names(rows_of(vars, state)), (std::vector<std::string>{"int", "b[0]", "x"}));
    state.marks.clear();
    EXPECT_EQ(visible_names(rows_of(vars, state)), (std::vector<std::string>{"int"}));

    // A local that appears above keeps the mark on x rather than on the row x stood in.
    VariableTable more;
    add(more, n_int, "y", 0, SET_LOCAL);
    add(more, n_int, "x");
    state.Watch = false;
    state.set_mark(n_int, "x", "w");
    const std::vector<GridRow> shifted = rows_of(more, state);
    EXPECT_EQ(shifted[1].mark, "");
    EXPECT_EQ(shifted[2].mark, "w");

    // With no variables left there are no rows, not stale ones.
    std::vector<GridRow> reused = shifted;
    build_rows(VariableTable{}, state, reused);
    EXPECT_TRUE(reused.empty());
}

TEST(GridTyped, EachTypeTakesOnlyItsOwnValues) {
    using Kind = TypedValue::Kind;
    // A number on its way is no value yet, whatever the variable.
    for (const char* text : {"", "-", "."}) {
        EXPECT_TRUE(still_typing(text));
        EXPECT_EQ(read_typed(text, n_int).kind, Kind::Typing);
        EXPECT_EQ(read_typed(text, n_string).kind, Kind::Typing);
    }
    EXPECT_FALSE(still_typing("-1"));

    EXPECT_EQ(read_typed("any text, 0x1F", n_string).kind, Kind::Text);
    EXPECT_EQ(read_typed("12a", n_define).kind, Kind::Text);

    for (const char* text : {"2.5", "-2e3", "7", "3.4e38"}) EXPECT_EQ(read_typed(text, n_float).kind, Kind::Float);
    // No hex, infinity, NaN, locale comma or value beyond a float.
    for (const char* text : {"0x10", "inf", "nan", "1,5", "1e39", "2.5x"})
        EXPECT_EQ(read_typed(text, n_float).kind, Kind::NotAValue) << text;

    const TypedValue whole = read_typed("-2147483648", n_int);
    EXPECT_EQ(whole.kind, Kind::Whole);
    EXPECT_EQ(whole.whole, INT32_MIN);
    EXPECT_EQ(read_typed("65", n_char).whole, 65);
    for (const char* text : {"2147483648", "1.5", "0x1F", "12a", "+5"})
        EXPECT_EQ(read_typed(text, n_int).kind, Kind::NotAValue) << text;
}
