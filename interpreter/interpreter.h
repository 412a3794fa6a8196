#pragma once
// The sketch interpreter: the loaded lines, the line cursor, the result registers, the
// control stack, the statement executor and the library families. Each section below names the
// file that defines its members; the handler objects (declarations, operators, control flow,
// calls, preprocessor, the families) have file pairs of their own.

#include <array>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "interpreter/assignment.h"
#include "interpreter/calls.h"
#include "interpreter/clock.h"
#include "interpreter/control_flow.h"
#include "interpreter/control_stack.h"
#include "interpreter/controls.h"
#include "interpreter/declarations.h"
#include "interpreter/dispatch_plan.h"
#include "interpreter/dispatch_tables.h"
#include "interpreter/file_access.h"
#include "interpreter/host.h"
#include "interpreter/operators.h"
#include "interpreter/preprocessor.h"
#include "interpreter/subroutines.h"
#include "interpreter/text_routines.h"
#include "interpreter/variables.h"
#include "simulation/board.h"
#include "simulation/device_panels.h"
#include "simulation/eeprom.h"
#include "simulation/ethernet.h"
#include "simulation/firmata.h"
#include "simulation/interrupts.h"
#include "simulation/lcd.h"
#include "simulation/math_lib.h"
#include "simulation/pin_io.h"
#include "simulation/sd_card.h"
#include "simulation/serial.h"
#include "simulation/servo_stepper.h"
#include "simulation/sim_time.h"
#include "simulation/strings.h"
#include "simulation/wire_spi.h"

namespace quorvex {

// Per-instance copies of the table handlers and of the kobj words, so that object
// declarations can rename rows and tests can bind stand-ins (dispatcher.cpp).
struct DispatchSlots {
    std::array<Handler, max_obj + 1> kobj{};
    std::array<Handler, max_control + 1> kcontrol{};
    std::array<Handler, max_afn + 1> karduinofn{};
    std::array<Handler, max_lib + 1> klibfn{};
    std::array<Handler, max_op + 1> koperators{};
    std::array<std::string, max_obj + 1> kobj_word{};
    std::array<bool, max_obj + 1> kobj_live{}; // placeholders never match until registered
    // The first characters of the live kobj words: a statement starting with none of them is
    // no object's. Kept by restore_objects and Interpreter::register_object, which alone change
    // the words.
    CharSet kobj_first;

    void restore();
    // The object rows' placeholder words, as before any object was declared.
    void restore_objects();
    void index_objects();
};

class Interpreter : public TextRoutines {
public:
    Interpreter(Host& host, const Clock& clock);

    // --- sketch lines and line cursor (sketch_lines.cpp; colour_line in interpreter.cpp) ---
    CodeList ListBox1;
    std::vector<LineColour> f_color;
    // Sets the colour of a code line; lines outside the list are ignored.
    void colour_line(int32_t line, LineColour colour);
    int32_t Line = 0;
    bool opencomment = false;
    MenuItem LineNumbers1; // "View Line Numbers": the view numbers the lines; the items stay plain

    std::string uncomment(std::string_view s);
    std::string get_line();
    // get_line into `out`, which keeps its storage.
    void get_line(std::string& out);
    // The code part of `line` without copying it; "" outside the list.
    const std::string& code_text(int32_t line);
    bool CodeLine();
    void next_line();
    void FindNextLine();

    // --- brace walks (brace_walk.cpp) ---
    void match_bracket(std::string_view s, int32_t lbr, std::string_view s3);
    void match_rev_bracket(std::string_view s, int32_t lbr, std::string_view s3);

    // --- error stop and log (error_stop.cpp) ---
    Timer Timer1;
    MenuItem AutoStep; // "Run (F9)"
    ToolButton RunButton;
    Shape ON_LED;
    bool update1 = true;
    MenuItem LogErrors1; // "Log Errors"
    std::string error_str;
    std::filesystem::path CurrentDir;

    void ShowMessage1(const std::string& s);
    void stop_run();
    void log_error(const std::string& s);
    // The raw text of item Line, or "Past End".
    std::string error_line_text() const;

    // While one exists, errors are gathered (when the host wants that): a load or a reset shows
    // its first error in one window when the outermost gathering ends, with
    // "… and N more errors while loading" (or "resetting") beneath it.
    class GatheredErrors {
    public:
        GatheredErrors(Interpreter& in, const char* while_doing);
        // Shows the window of the outermost gathering; a gathering left by a fault shows nothing.
        ~GatheredErrors();
        void show();
        GatheredErrors(const GatheredErrors&) = delete;
        GatheredErrors& operator=(const GatheredErrors&) = delete;

    private:
        Interpreter& in_;
        bool outermost_;
        bool shown_ = false;
    };

    // --- result registers and flags (push_level in interpreter.cpp) ---
    std::string Results;
    long double var_float = 0.0L;
    int32_t n_type = -1;
    int32_t var_found = 0;
    int32_t keep_going = 0;
    int32_t got_it = 0;
    int32_t found = 0;
    int32_t found_loop = 0;
    int32_t set_ident = -1;
    int32_t rbr_found = 0;
    int32_t val_other = 0;      // qualifier flags of the variable last found
    bool unsigned_bits = false; // the last handler's integer is an unsigned 32-bit count
    int32_t set_other = 0;      // qualifier flags collected for the declaration being processed

    ControlStack cs;
    // Pushes a block level; reports "Sketch Error - Blocks nested too deeply" when full. The
    // brace-less countdown in force waits in the new level, and pop_level brings it back.
    bool push_level(const ControlLevel& level);
    bool pop_level();

    // --- statement executor (dispatcher.cpp) ---
    DispatchSlots tables;
    int32_t evaluate_expression(std::string s);
    // Evaluation re-splits a statement at every level, so its memory grows with the length times
    // the nesting: a longer statement is refused with a sketch error before anything runs.
    static constexpr size_t max_statement_length = 65536;
    // Reports "Sketch Error - statement longer than 65536 characters" for a text over the limit.
    bool statement_too_long(std::string_view s);
    void register_object(int key, std::string name);
    // How many texts' dispatch plans are kept (tests of the memo's bound).
    size_t kept_plans() const { return plans_.size(); }
    // Reports "Unknown command: " with the statement cut at ";".
    int32_t unknown_command(std::string_view s);

    // --- variable table and values (variables.cpp) ---
    VariableTable vars;
    // One term: a literal, fixed name, pin name, variable or array element.
    Value find_value(std::string_view s);
    int32_t find_var(std::string_view s) { return find_value(s).i; }
    // A whole expression text.
    Value get_value(std::string_view s);
    int32_t get_var(std::string_view s) { return get_value(s).i; }
    // A new entry with every field fresh and flags `set_other`; reports
    // "Sketch Error - Too many <word> variables (limit N)" and returns 0 when the code is full.
    int32_t new_entry(int32_t t, std::string name, int32_t flags);

    // >>> reading values: internals of find_value/get_value (variables.cpp)
private:
    // One term. With `define_slot` null a #define gives its text's value (n_type 12); otherwise
    // the slot of a #define is stored there and the text is left unevaluated for get_value.
    Value find_term(std::string_view s, int32_t* define_slot, bool plain = false);
    // The value of the #define in `slot`, guarded against a macro that refers to itself.
    Value expand_define(int32_t slot);
    // find_term's rungs that need the table or the executor: a string literal, a table entry
    // (a #define as find_term says), an array element.
    Value string_term(std::string_view t);
    Value table_term(VariableTable::Ref r, int32_t* define_slot);
    Value element_term(std::string_view t, int32_t* define_slot);
    // The registers as a Value, after the statement executor has set them.
    Value register_value(int32_t result) const;
    std::vector<int32_t> expanding_defines_; // #define slots being expanded, innermost last
    // Each use of a #define evaluates its text again, so texts that use the next name twice
    // double the work per level: one statement may expand at most this many. A statement holds
    // at most max_statement_length characters, so even a flat list of one-letter names, two
    // characters a use, stays at half of it.
    int32_t define_expansions_ = 0;
    bool define_count_held_ = false; // a DefineCount spans several outermost evaluations
    // An outermost evaluation starts a statement's count, unless a DefineCount holds it.
    void start_define_count() {
        if (!define_count_held_) define_expansions_ = 0;
    }

public:
    static constexpr int32_t max_define_expansions = 65536;
    // One statement's count of #define expansions over several outermost evaluations: a global
    // line of the reset scan evaluates its items one by one, and an include file's line is a
    // statement of its own inside the #include line's. The enclosing count resumes afterwards.
    class DefineCount {
    public:
        explicit DefineCount(Interpreter& in)
            : in_(in), held_(in.define_count_held_), expansions_(in.define_expansions_) {
            in.define_count_held_ = true;
            in.define_expansions_ = 0;
        }
        ~DefineCount() {
            in_.define_count_held_ = held_;
            in_.define_expansions_ = expansions_;
        }
        DefineCount(const DefineCount&) = delete;
        DefineCount& operator=(const DefineCount&) = delete;

    private:
        Interpreter& in_;
        bool held_;
        int32_t expansions_;
    };
    // <<< reading values

    // --- assignment, port registers and range checks (assignment.cpp) ---
    // Returns the entry the target names (before any #define alias is followed), or none.
    VariableTable::Ref assign(std::string_view target, const Value& v, AssignMode mode = AssignMode::Assign);
    void set_var(std::string_view s, int32_t val);
    void set_string(std::string_view s, std::string_view val);
    void set_float(std::string_view s, long double val);
    void set_float1(std::string_view s, std::string_view val);
    void do_check(int32_t x, int32_t i, int32_t set1);
    // A String holds at most 65,535 characters, as on the board: a longer text for `name` is
    // reported ("Sketch Error - String too long: ...") and answers false, and the caller stores
    // nothing.
    static constexpr size_t max_string_length = 65535;
    bool string_fits(std::string_view name, std::string_view text);

    // --- declarations and operators (declarations.cpp, operators.cpp) ---
    Declarations decl{*this};
    Operators ops{*this};
    int32_t skip_array = 0; // set while an array's elements are declared

    // --- board and simulated time ---
    Board board;
    int64_t us = 0; // simulated microseconds since reset; SimTime moves and resets it

    // --- the library families, one object each (simulation/library.h tells how to add one) ---
    PinIO pinio{*this};
    SimTime simtime{*this};
    Interrupts interrupts{*this};
    MathLib mathlib{*this};
    Strings strings{*this};
    SerialPorts serial{*this};
    Eeprom eeprom{*this};
    WireSpi wire_spi{*this};
    Ethernet ethernet{*this};
    Firmata firmata{*this};
    SdCard sd{*this};
    Lcd lcd{*this};
    Motors motors{*this};
    // Every family's own reset, called by RestartClick (loading.cpp).
    void reset_families();

    // --- the simulation window: port panels and analog inputs ---
    DevicePanels panels;
    AnalogInputs analog{board, pinio.options.ShowVolts};

    // --- execution control (run_control.cpp) ---
    std::string AutoStep_Time = "250"; // "Delay between Run Steps (in ms)"
    bool step_out = false;
    int32_t step_outi = 0; // block level at which the step-out started, 0 for none
    int32_t step_outj = 0; // ticks of the current step-out
    int32_t BreakLine = -1;
    int32_t BreakLine1 = -1;
    bool serEvent = false;
    std::string Event = "serialEvent";
    int32_t Event_Panel = 1; // the port panel whose being shown with input arms the event
    int32_t single_loop = 0;
    int32_t reset_tmr = 0;

    void Step1Click();
    void StepOverClick();
    // Runs until the block level drops below `start_level` (0: the current level).
    void StepOutOfClick(int32_t start_level = 0);
    void AutoStepClick();
    void Timer1Timer();
    void tick() { Timer1Timer(); }
    void AbortClick();
    void BBackClick();
    void BreakPoint1Click();
    void ClearBreakPointClick();
    void ResetSwClick();
    void Image3Click() { Step1Click(); } // the step picture of the tool bar
    void UpdateClick();
    // Enters an event or interrupt routine between statements; false when it is no subroutine.
    bool enter_async(std::string_view name);
    // enter_async(Event), answering "no such routine" from what it last found.
    bool event_routine_entered();
    bool in_step() const { return in_step_; }
    // A step's statement is being evaluated: a fault may abandon it by unwinding.
    bool evaluating() const { return in_step_ && eval_depth_ > 0; }

    // --- control flow, calls and the preprocessor (control_flow.cpp, calls.cpp, preprocessor.cpp) ---
    ControlFlow flow{*this};
    Calls calls{*this};
    Preprocessor pre{*this};
    SubroutineTable subs;
    MenuItem includeCode1; // "#include Code": include files are inserted into the code list
    // Include files: the sketch's folder on disk by default; tests put memory files here.
    std::unique_ptr<FileAccess> files = std::make_unique<DiskFiles>();

    // --- loading, subroutine scan and reset (loading.cpp) ---
    std::string FileName;           // the loaded sketch's full path
    std::string Logdir1;            // its folder
    std::string Caption;            // the main window's caption: the file name without its folder
    StatusBar StatusBar1{ListBox1}; // the status bar's five panels
    // Reads a sketch file into the code list; 1 read, 0 no such file.
    int32_t LoadFile1(const std::string& Fname);
    // Stops Run, reads the file, resets and logs the file name; true when the file was read.
    // Does nothing during a step.
    bool LoadFile(const std::string& Fname);
    // The open command: LoadFile with the old sketch cleared away first, so a file that cannot be
    // read leaves no text of the sketch before it.
    bool OpenFile(const std::string& Fname);
    // The sketch was saved as `path`: it is now the loaded file, and the caption names it.
    void saved_as(const std::string& path);
    // Puts sketch text into the code list, as a load does (tests and the bundled example).
    void load_text(std::string_view text);
    void find_sr();
    void RestartClick();
    // Bumped by every reset, so a view can drop what it kept of the run before (grid marks).
    uint64_t reset_count = 0;

    // --- code list view and status panels (code_view.cpp) ---
    MenuItem SyntaxColouring1; // "Syntax Colouring (+Reset)": lines drawn in their scan colours
    MenuItem AskOnLineChange;  // "Ask On Line Change": a click on the list asks before moving Line
    MenuItem Matchbrace1;      // "Match Bracket": the range below is highlighted
    int32_t match_Start = -1;  // first and last line of the brace-match highlight, -1 for none
    int32_t match_end = -1;
    // Highlights from the current line's brace to its partner, or clears the highlight.
    void Matchbrace1Click();
    // Status panel 3, "Level" and the block depth.
    void show_level();
    // Status panels 0 and 2: the current line's number and text.
    void show_line_status();

    Host& host() { return host_; }
    const Clock& clock() const { return clock_; }

private:
    // The reset itself; RestartClick gathers its errors.
    void reset_now();
    // Its steps: the registers, flags and handler objects as before any run; then, after the
    // scan, the cursor on setup()'s first line and the status panels.
    void clear_run_state();
    void enter_setup();
    // evaluate_expression on a text the caller gives up: it is trimmed, cut and rewritten there.
    int32_t evaluate_in_place(std::string& s);
    int32_t dispatch(std::string& s);
    // Several statements in `s`: all but the last run, and `s` becomes the last; false when `s`
    // is one statement and stays as it was.
    bool run_all_but_last(std::string& s);
    // «(type) x» or «(expr) rest»: the cast, or the bracket's value in its place.
    int32_t leading_bracket(std::string& s);
    // «x + (a == b)»: the bracket at the end replaced by its value (at `open`), which `result`
    // takes.
    void bracket_at_end(std::string& s, size_t open);
    // A handler call on one row: done unless the handler declined (keep_going).
    struct Outcome {
        bool done;
        int32_t value;
    };
    Outcome run_row(Handler handler, Match& m, ResultUse use, std::string_view stmt);
    template <size_t N, class Rows, class Fits, class Fill>
    Outcome scan_table(const std::array<DispatchRow, N>& rows, const std::array<Handler, N>& slots, std::string_view s,
                       const Rows& candidates, Fits&& fits, Fill&& fill);
    // dispatch's steps, in order, defined in dispatcher.cpp and inlined there: every statement
    // takes each of them, and calls would cost a step several per cent.
    // The plan of `s`, kept unless the text holds run-time values.
    inline DispatchPlan plan_for(std::string_view s);
    // A leading bracket, a braced block, a case line or a declaration: the statement's value
    // when one of them took it.
    inline std::optional<int32_t> before_tables(std::string& s, const DispatchPlan& plan);
    // The object prefixes and control words, on the uncut statement.
    inline Outcome scan_uncut(std::string_view s, const DispatchPlan& plan);
    // The Arduino functions and library words, on the cut statement.
    struct PendingMethod;
    inline Outcome scan_calls(std::string_view s, const DispatchPlan& plan, const PendingMethod& method);
    // A call of one of the sketch's own subroutines; true when `s` is one.
    inline bool sketch_call(std::string_view s, const DispatchPlan& plan);
    // «receiver.method(...)» that no table claimed: the method text is dispatched with the
    // receiver handed on (pending_method_).
    int32_t method_fallback(std::string_view s, size_t dot, bool statement);
    void refresh_comment_states();

    Host& host_;
    const Clock& clock_;

    bool in_step_ = false;  // a step is running: ticks and step commands that arrive now are ignored
    std::string step_text_; // the line a step evaluates, kept so that its storage is reused
    int eval_depth_ = 0;
    // The receiver of «receiver.method(...)», handed from the method fallback to the dispatch
    // of the method text that it starts next.
    struct PendingMethod {
        bool set = false;
        std::string receiver;
        bool whole_statement = false;
    } pending_method_;
    bool eval_aborted_ = false; // a nesting fault unwinds the whole statement silently
    PlanMemo plans_;
    // Above 0 while a text made from run-time values is evaluated: its plans are made and not
    // kept, since such texts rarely come again and would crowd out the sketch's own lines.
    int unkept_plans_ = 0;
    bool error_window_open_ = false;
    uint32_t errors_shown_ = 0; // counts every error, so an evaluation can tell one arose inside it
    // The errors of the load or reset under way (GatheredErrors).
    struct Gathering {
        bool on = false;
        const char* while_doing = "";
        bool any = false;
        std::string message; // the first error and its line
        std::string line_text;
        int64_t more = 0;
    } gathering_;
    void show_error_window(const std::string& message, const std::string& line_text);
    // Whether the routine named by Event is in the subroutine table, as last found.
    struct EventRoutine {
        uint64_t revision = ~uint64_t{0};
        std::string name;
        bool exists = false;
    } event_known_;

    // Comment state at the start of each line, recomputed when the code list changes.
    std::vector<uint8_t> comment_start_;
    std::vector<std::string> code_text_; // each line's code part, stripped once per change
    std::vector<uint8_t> code_line_;     // whether CodeLine() holds for each line
    uint64_t comment_revision_ = ~uint64_t{0};
};

} // namespace quorvex
