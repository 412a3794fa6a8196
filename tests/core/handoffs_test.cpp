// What the fast paths hand from one part to another: the places of an operator in its text, the
// code text the status bar writes later, an entry's name under the name index, and a value
// inside the text map. Each case misuses the handoff the way a change could and checks that the
// receiver still gets the truth.
#include <memory>
#include <stdexcept>
#include <string>
#include <type_traits>
#include <vector>

#include "interpreter/literals.h"
#include "support/fixture.h"

namespace quorvex::test {
namespace {

// --- operator places -----------------------------------------------------------------------

// Every operator row's call, checked against a fresh split of the text the handler got, then
// passed on to the row's own handler.
struct SplitCheck {
    int handed = 0;                 // calls that came with places
    std::vector<std::string> wrong; // texts whose places were not those of their own text and row
    std::vector<std::string> texts_with_places;
};
SplitCheck check;

int32_t checked_operator(Interpreter& in, const Match& m) {
    if (const OperatorSplit* split = m.split) {
        ++check.handed;
        check.texts_with_places.emplace_back(m.rest);
        const bool same = split->row == m.row && cut_statement(m.rest) == m.rest &&
                          split->first() == find_operator(m.rest, m.op, Occurrence::first) &&
                          split->last() == find_operator(m.rest, m.op, Occurrence::last) &&
                          split->comma == (find_operator(m.rest, ",") != std::string_view::npos);
        if (!same) check.wrong.emplace_back(m.rest);
    }
    return koperators[static_cast<size_t>(m.row)].handler(in, m);
}

class OperatorPlaces : public CoreTest {
protected:
    void SetUp() override {
        check = {};
        in.load_text("int a = 1;\nint b = 1;\nint x = 0;\nint y = 0;\nint n = 0;\n"
                     "void setup() {\n}\nvoid loop() {\n}\n");
        in.RestartClick();
        for (size_t k = 1; k < in.tables.koperators.size(); ++k)
            if (in.tables.koperators[k] != nullptr) in.tables.koperators[k] = &checked_operator;
    }
    int32_t ival(const char* name) {
        const VariableTable::Ref r = in.vars.lookup(name);
        return r ? in.vars.at(r.type, r.slot).ival : -999;
    }
};

// The places travel with the one call they were made for: nested evaluations, a line of several
// statements and a text rewritten with a bracket's value each get the places of their own text.
TEST_F(OperatorPlaces, EachHandlerGetsThePlacesOfItsOwnTextAndRow) {
    for (int pass = 0; pass < 2; ++pass) { // made, then kept
        EXPECT_EQ(in.evaluate_expression("x = 10 - 2 - 3;"), 5);
        EXPECT_EQ(in.evaluate_expression("x -= 4 - 1;"), 2);
        EXPECT_EQ(in.evaluate_expression("y = x - 7 <= 10;"), 1);
        in.evaluate_expression("x = 1; y = x + 2 * 3 - 1;");
        EXPECT_EQ(ival("y"), 6);
        EXPECT_EQ(in.evaluate_expression("n++;"), pass);
        EXPECT_EQ(in.evaluate_expression("--n;"), pass);
        EXPECT_EQ(in.evaluate_expression("n++;"), pass);
        // «x - 1 + (a == b)»: the bracket becomes its value, and the new text is split afresh.
        EXPECT_EQ(in.evaluate_expression("x - 1 + (a == b)"), 1);
        EXPECT_EQ(in.evaluate_expression("y = (x + 1) * 2"), 4);
    }
    EXPECT_TRUE(check.wrong.empty()) << check.wrong.front();
    EXPECT_GT(check.handed, 10);
    EXPECT_NE(std::find(check.texts_with_places.begin(), check.texts_with_places.end(), "x - 1 + 1"),
              check.texts_with_places.end());
    EXPECT_TRUE(host.errors.empty());
}

// A handler called directly, as a family calls the assignment, gets no places and cuts and
// splits its text itself.
TEST_F(OperatorPlaces, ADirectCallSplitsItsOwnText) {
    EXPECT_EQ(in.ops.kequals("x = 9 - 1 - 1;"), 7);
    EXPECT_EQ(in.ops.kop("x - 2 - 2", "-"), 3);
    EXPECT_EQ(in.ops.kcomparison("x - 7 == 0; y = 5", "=="), 1);
    EXPECT_EQ(in.ops.kinc("x++;"), 7);
    EXPECT_EQ(ival("x"), 8);
    EXPECT_EQ(ival("y"), 0);
    EXPECT_TRUE(check.wrong.empty()); // the operands' own evaluations come with their places
    EXPECT_TRUE(host.errors.empty());
}

// --- the status bar's next-line text -----------------------------------------------------------

// The bar writes the next line's code when the panel is read; a change to the code list settles
// it first, so the text the step saw is shown even after the code texts behind it are gone.
TEST(StatusBarHandoff, AChangedCodeListSettlesTheNextLineFirst) {
    CodeList list;
    list.add("x = 1; // one");
    StatusBar bar(list);
    auto code = std::make_unique<std::string>("x = 1;");
    bar.show_next(*code);
    bar.show_line(1);
    list.set_item(0, "x = 2;");
    code.reset(); // what the code text was derived from is rebuilt and freed
    EXPECT_EQ(bar[2], "Next: x = 1;");
    EXPECT_EQ(bar[0], "Line: 0001");

    // Every kind of change settles; a bar that outlives nothing it shows keeps its texts.
    for (int kind = 0; kind < 3; ++kind) {
        code = std::make_unique<std::string>("y = " + std::to_string(kind) + ";");
        bar.show_next(*code);
        if (kind == 0) list.add("z = 3;");
        if (kind == 1) list.assign({"a();", "b();"});
        if (kind == 2) list.clear();
        code.reset();
        EXPECT_EQ(bar[2], "Next: y = " + std::to_string(kind) + ";") << kind;
    }
}

// Through the interpreter: the list grows under a pending panel, the code texts are rebuilt
// (their storage moves) and the panel is read only then.
TEST_F(CoreTest, StatusBarShowsTheStepsTextAfterTheCodeTextsAreRebuilt) {
    in.load_text("int c = 0;\nvoid setup() {\n  c = 1;\n  c = 2;\n}\nvoid loop() {\n}\n");
    in.RestartClick();
    in.Step1Click();
    const std::string shown = "Next: " + in.code_text(in.Line);
    in.Step1Click();
    const std::string next = "Next: " + in.code_text(in.Line);
    std::vector<std::string> lines = in.ListBox1.items();
    for (int k = 0; k < 200; ++k) lines.push_back("// filler " + std::to_string(k));
    lines[static_cast<size_t>(in.Line)] = "  c = 3;";
    in.ListBox1.assign(lines);
    EXPECT_EQ(in.code_text(in.Line), "c = 3;"); // rebuilds every line's code text
    EXPECT_EQ(in.StatusBar1[2], next);
    EXPECT_NE(shown, next);
}

// --- entry names under the name index --------------------------------------------------------

// Only the table names an entry: a handler holding an entry can neither rename it nor assign
// another entry over it, either of which would leave the name index pointing at the old name.
static_assert(!std::is_assignable_v<decltype((std::declval<Entry&>().name)), std::string>);
static_assert(!std::is_copy_assignable_v<Entry> && !std::is_move_assignable_v<Entry>);

TEST(EntryNames, ASlotTakenAgainIsFoundByItsNewNameOnly) {
    VariableTable vars;
    const int32_t slot = vars.add(n_int, "old", 0);
    vars.at(n_int, slot).ival = 5;
    vars.var_n[n_int] = slot; // the slot dies, as a function's locals do at its return
    EXPECT_FALSE(vars.lookup("old"));
    EXPECT_EQ(vars.add(n_int, "fresh", SET_LOCAL), slot);
    EXPECT_EQ(vars.at(n_int, slot).name, "fresh");
    EXPECT_EQ(vars.at(n_int, slot).ival, 0);
    EXPECT_EQ(vars.at(n_int, slot).flags, SET_LOCAL);
    EXPECT_FALSE(vars.lookup("old"));
    const VariableTable::Ref r = vars.lookup("fresh");
    EXPECT_EQ(r.type, n_int);
    EXPECT_EQ(r.slot, slot);
    EXPECT_EQ(vars.find(n_int, "old"), 0);
}

// --- text map handles ------------------------------------------------------------------------

// A handle serves until an insert moves the values: after a growth or a fresh start it is
// refused, never read through.
TEST(TextMapHandle, AnInsertThatMovesTheValuesOutdatesEarlierHandles) {
    TextMap<std::string> map;
    const auto x = map.find_or_add("x", [] { return std::string("ex"); });
    EXPECT_EQ(map.at(x), "ex");
    for (int k = 0; k < 100; ++k) map.find_or_add("key" + std::to_string(k), [k] { return std::to_string(k); });
    EXPECT_THROW(map.at(x), std::logic_error);
    EXPECT_EQ(map.at(map.find_or_add("x", [] { return std::string("new"); })), "ex");

    TextMap<int> bounded(2);
    const auto a = bounded.find_or_add("a", [] { return 1; });
    const auto b = bounded.find_or_add("b", [] { return 2; });
    EXPECT_EQ(bounded.at(a), 1);
    EXPECT_EQ(bounded.at(b), 2);
    bounded.find_or_add("c", [] { return 3; }); // full: starts afresh
    EXPECT_THROW(bounded.at(a), std::logic_error);
    const auto c = bounded.find_or_add("c", [] { return -1; });
    EXPECT_EQ(bounded.at(c), 3);
    bounded.clear();
    EXPECT_THROW(bounded.at(c), std::logic_error);
}

} // namespace
} // namespace quorvex::test
