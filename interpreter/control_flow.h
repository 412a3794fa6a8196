#pragma once
// Blocks, conditionals, loops, switch and goto: the handlers move the line cursor among the
// source lines and keep the block stack. Two files: control_flow.cpp (text helpers, the forward
// walker, running text, if/else, switch, goto) and control_loops.cpp (levels, setup() and loop(),
// braces, while, do, for, break, continue).

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "interpreter/control_stack.h"
#include "interpreter/text_map.h"

namespace quorvex {

class Interpreter;

// Text helpers of the control words; they look at one statement or one line, never the code list.
namespace flow_text {

// The trimmed text after a leading `word`; `s` itself when it does not begin with it.
std::string_view after_word(std::string_view s, std::string_view word);

// A header's bracket: the text inside the first "(" and its matching ")", and the trimmed text
// after that ")" (the body, when it stands on the header line).
struct Header {
    std::string_view cond;
    std::string_view after;
    bool matched = false; // the first "(" has its ")"
};
Header split_header(std::string_view s);

// Where a header's body stands.
enum class BodyForm {
    next_line, // nothing after the ")": the body starts on the next code line
    block,     // "{" opens a block that closes on a later line
    one_line,  // a statement or a braced block closed on this line
};
BodyForm body_form(std::string_view after);

// Index just past the one statement that starts at `i` (blanks skipped first): a braced block,
// an if with its else, a while/for/switch with its body, a do with its while, or text up to
// the first ";" outside brackets and literals.
size_t statement_end(std::string_view t, size_t i);
// The statements of a body, one by one; the outer braces of a braced body are removed.
std::vector<std::string_view> statements(std::string_view body);
// Braces opened and not yet closed in t[from, to), closes of earlier blocks not counted.
int open_braces(std::string_view t, size_t from, size_t to);

} // namespace flow_text

class ControlFlow {
public:
    explicit ControlFlow(Interpreter& in) : in_(in) {}

    void ksetup(std::string_view s);
    void kloop(std::string_view s);
    void klbr(std::string_view s);
    void krbr(std::string_view s);
    void kif(std::string_view s);
    void kelse(std::string_view s);
    void kwhile(std::string_view s);
    void kdo(std::string_view s);
    void kfor(std::string_view s);
    void kswitch(std::string_view s);
    void kbreak(std::string_view s);
    void kcontinue(std::string_view s);
    void kgoto(std::string_view s);
    // A line that starts with case or default labels, reached by falling through from the case
    // above: its labels are passed over and its statements run, as when it matched. False for
    // any other text.
    bool kcase_line(std::string_view s);

    // Leaves every level above `level` (loopx becomes `level`, never below 1), giving back the
    // for slots of the L_FOR levels it leaves. For return and error unwinds.
    void unwind_to(int32_t level);
    // Pops the top level and gives back its for slot when it is an L_FOR level; false at level 1.
    bool pop_level();

    // Everything reset clears.
    void reset();

    // The brace-less body countdown has run out: its level closes, and with it every enclosing
    // brace-less body whose one statement that level was (the step calls this).
    void end_braceless_body();
    // The line the step goes to next begins with "else".
    bool else_follows();
    // The statement just run ended an if that an else on the next line would continue; the step
    // clears it before each statement.
    bool if_open = false;

    bool insetup = false;
    bool inloop = false;
    int32_t loopLine = 0;
    int32_t forx = 0;
    std::array<std::string, MAX_LOOP + 1> for2{}; // for conditions
    std::array<std::string, MAX_LOOP + 1> for3{}; // for steps
    std::array<int32_t, MAX_LOOP + 1> for_line{}; // the for line that owns each slot

private:
    // A place in the code list: a line and a character index in its code text.
    struct TextPos {
        int32_t line = -1;
        size_t col = 0;
    };

    // --- the code list, read without moving the cursor (control_flow.cpp) ---
    std::string line_text(int32_t n);
    // The next executable line after n; -1 when none follows.
    int32_t next_code_line(int32_t n);
    // The forward walker: from `col` of line `line` with `depth` open braces, the "}" that
    // closes them (all braces outside literals count); nothing when the sketch ends first.
    std::optional<TextPos> find_close(int32_t line, size_t col, int depth);
    // The last place of the one statement that starts on code line n (a header takes its body
    // with it); nothing when a block in it is never closed.
    std::optional<TextPos> skip_statement(int32_t n);
    // The body of the header on the current line, skipped: its closing brace, or its last line.
    std::optional<TextPos> skip_body(std::string_view after);
    // A loop whose test failed: the cursor goes to the end of its body.
    void skip_loop_body(std::string_view after);
    // Past the else branches that follow an if statement ending at `end`.
    std::optional<TextPos> past_else_chain(std::optional<TextPos> end, bool next_line);
    // The skipped body's place, or "no closing }" reported with the cursor back on `from`.
    bool no_close(int32_t from);
    // A header that cannot be read on its own line: its bracket does not close there (a
    // condition split over lines) or a for header lacks its two ";". Reported with the line's
    // text; nothing is pushed, and the cursor stays on the header rather than run a body whose
    // block it cannot know.
    void bad_header(std::string_view word, bool for_parts = false);

    // --- running text (control_flow.cpp) ---
    bool truth(std::string_view cond);
    // Runs the statements of a body, stopping after a break, continue, goto or a call.
    void run_body(std::string_view body);
    // Statements after a level's "{" on its own header line, run as the block's first lines.
    void run_trailing(std::string_view after_brace);
    // Whether the last statement run entered a subroutine (a frame above `before`).
    bool entered_call(int32_t before) const;

    // --- levels (control_loops.cpp) ---
    bool push(ControlLevel level);
    // Raises loopx over the level the if left, so an else block runs inside it.
    bool reopen();
    // Drops one-line for loops remembered on levels above `level`.
    void forget_inline_fors(int32_t level);

    // --- the else chain and case bodies (control_flow.cpp) ---
    void skip_else(std::string_view s);
    void run_else(std::string_view s);
    // The text after a case label's ":" once the case is reached: statements, or a block.
    void kcase_body(std::string_view after_colon);

    // --- setup() and loop() (control_loops.cpp) ---
    // The walk from setup()'s closing brace to the loop() header.
    void end_of_setup();
    // A one-line "void f() { ... }" header: its body's text, else nothing.
    std::optional<std::string> one_line_body(std::string_view header);

    // --- loops (control_loops.cpp) ---
    // One pass of a one-line loop's body; true when the loop goes on. Sets found_loop itself,
    // or, when the body entered a subroutine, makes its return come back to the loop line.
    bool run_loop_body(std::string_view body);
    void one_line_for(std::string_view init, std::string_view cond, std::string_view step, std::string_view body);
    bool leave_to(int32_t target, std::string_view word);
    // The line is the closing brace of setup() or loop() (multi-line bodies).
    bool closes_setup_or_loop(int32_t line);
    // krbr's steps: blocks a goto left open end with setup() or loop(); then a block closes
    // (a loop repeats, a call returns) or the brace is setup()'s or loop()'s own.
    void end_blocks_of_setup_or_loop();
    void close_block(const std::string& s);
    // A do loop's "}" with its «while (c);» on the same or the next code line: true when the
    // loop takes another pass.
    bool do_while_repeats(const std::string& s);
    void close_top_level();
    // The innermost level that `break` (or `continue`, with loops_only) leaves to; 0 when none.
    int32_t target_level(bool loops_only) const;
    // break and continue: leave for the enclosing loop (or switch, for break).
    void leave_loop(bool is_continue);

    Interpreter& in_;

    // One-line loop bodies being run: break and continue there end or repeat that loop.
    int inline_loops_ = 0;
    bool break_req_ = false;
    bool continue_req_ = false;
    bool stop_body_ = false;       // the rest of the body must not run (break, continue, goto, call)
    int body_depth_ = 0;           // run_body within run_body: only the outermost clears the stop
    bool setup_body_done_ = false; // a one-line setup()'s body entered a call; its return goes on to loop()
    int32_t pending_do_ = -1;      // line of a brace-less "do x++; while (c);" split by the executor
    // One-line for loops in progress: {line, loopx}.
    std::vector<std::pair<int32_t, int32_t>> inline_fors_;
    // The "{" of a level opened on the current line while its trailing statements run.
    int32_t anchor_line_ = -1;
    size_t anchor_col_ = 0;
    // The closing lines of setup() and loop(), read from the subroutine table once per reset.
    bool closes_known_ = false;
    std::vector<int32_t> closes_;

    // What a for header's text is made of, as places in that text: it depends on the text
    // alone, so it is worked out once per text (a loop's header runs on every pass).
    struct Span {
        size_t at = 0, size = 0;
        std::string_view in(std::string_view t) const { return t.substr(at, size); }
    };
    struct ForShape {
        bool handed_on = false; // a quote before the first "for"
        bool matched = false;   // the header's bracket closes on its line
        bool has_parts = false; // the bracket holds its two ";"
        Span after, init, cond, step;
        flow_text::BodyForm form = flow_text::BodyForm::next_line;
    };
    static constexpr size_t for_shapes_capacity = 1024;
    TextMap<ForShape> for_shapes_{for_shapes_capacity};
    ForShape for_shape(std::string_view text);
    static ForShape shape_of_for(std::string_view text);
};

} // namespace quorvex
