// Execution control: step into, over and out, Run on the timer, abort, back, breakpoint.
// Run and step-out advance only on Timer1Timer, which the workbench's timer (or a test) calls.
#include <algorithm>
#include <charconv>

#include "interpreter/interpreter.h"

namespace quorvex {

namespace {

// Marks a step in progress for as long as it runs.
class StepScope {
public:
    explicit StepScope(bool& flag) : flag_(flag) { flag_ = true; }
    ~StepScope() { flag_ = false; }
    StepScope(const StepScope&) = delete;
    StepScope& operator=(const StepScope&) = delete;

private:
    bool& flag_;
};

constexpr int32_t step_out_interval = 10;
constexpr int32_t step_out_limit = 1000;
constexpr int32_t default_run_interval = 250;

// The delay box: digits only; empty or unreadable falls back to the default, 0 is allowed.
int32_t run_interval(std::string_view text) {
    const std::string_view t = dtrim(text);
    int32_t value = 0;
    auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), value);
    if (t.empty() || ec != std::errc() || end != t.data() + t.size() || value < 0) return default_run_interval;
    return value;
}

} // namespace

void Interpreter::UpdateClick() {
    show_level();
    if (update1) {
        if (ListBox1.has(Line)) ListBox1.ItemIndex = Line;
        show_line_status();
    }
    host_.update_click(update1, Line);
}

bool Interpreter::enter_async(std::string_view name) {
    varx.clear(); // an event routine takes no arguments, never the last call's
    const int32_t before = cs.loopx;
    const bool entered = calls.sr_found(name, Calls::Caller::event);
    if (!entered) return false;
    if (cs.loopx > before) cs.at(cs.loopx - 1).async = true;
    return true;
}

bool Interpreter::event_routine_entered() {
    // Whether the sketch has the routine is kept until the table or the name changes: input
    // that waits in the box must not cost a search of the table on every step.
    if (event_known_.revision != subs.revision() || event_known_.name != Event)
        event_known_ = {subs.revision(), Event, subs.find(Event) != nullptr};
    if (!event_known_.exists) {
        varx.clear(); // as enter_async leaves it
        return false;
    }
    return enter_async(Event);
}

void Interpreter::Step1Click() {
    if (in_step_) return;
    StepScope scope(in_step_);
    set_ident = -1;
    if (Matchbrace1.Checked) Matchbrace1Click(); // a step clears the highlight
    if (ListBox1.Count() == 0) {
        Timer1.Enabled = false;
        ShowMessage1("Sketch Error - Please load a sketch first before performing a single step");
        return;
    }
    if (Line >= ListBox1.Count()) {
        stop_run(); // past the end of the sketch: nothing left to run
        return;
    }
    Results.clear();

    // Skip forward over a line that is not executable, without running anything.
    if (Line > 0 && !CodeLine()) {
        FindNextLine();
        return;
    }

    // A pending event enters its routine as a call, before the current line runs.
    PortPanel& event_panel = panels[Event_Panel];
    if (!serEvent && event_panel.Panel.Visible && !event_panel.IN.empty() && event_routine_entered()) {
        if (std::string_view(Event).starts_with("request")) event_panel.IN.clear();
        serEvent = true;
        rbr_found = 0;
        next_line();
        return;
    }

    // Level-triggered interrupts start again on every step, unless the sketch is deeper
    // inside blocks than where the routine last started.
    interrupts.check_low_levels();

    // The body of a function written on its header line, else the line itself.
    const int32_t ran = Line;
    flow.if_open = false;
    if (!calls.one_line_pending() || !calls.run_one_line()) {
        get_line(step_text_);
        evaluate_in_place(step_text_);
    }

    // A body without braces is closed after its one statement. A one-line loop that runs its
    // line again is not over yet, nor is an if that an else on the next line continues.
    if (single_loop > 0 && !(found_loop != 0 && Line == ran) && --single_loop == 0) {
        if (flow.if_open && flow.else_follows())
            single_loop = 1;
        else
            flow.end_braceless_body();
    }

    if (found_loop != 0) {
        found_loop = 0;
        UpdateClick();
        return;
    }
    FindNextLine();
    UpdateClick();
    ++us;
}

void Interpreter::StepOverClick() {
    if (in_step_) return;
    if (ListBox1.Count() == 0) {
        Timer1.Enabled = false;
        ShowMessage1("Sketch Error - Please load a sketch first before performing a step over");
        return;
    }
    update1 = false;
    const int32_t x = cs.loopx;
    Step1Click();
    const int32_t k = cs.loopx > 1 ? cs.loopx - 1 : cs.loopx;
    if (x < cs.loopx && cs.at(k).last_control == L_SUBR) {
        StepOutOfClick(x + 1); // the step entered a subroutine: run it to its end
    } else {
        update1 = true;
    }
    if (update1) UpdateClick();
}

void Interpreter::StepOutOfClick(int32_t start_level) {
    if (in_step_) return;
    if (ListBox1.Count() == 0) {
        Timer1.Enabled = false;
        ShowMessage1("Sketch Error - Please load a sketch first before performing a step out of");
        return;
    }
    step_outi = start_level > 0 ? start_level : cs.loopx;
    step_outj = 0;
    step_out = true;
    update1 = false;
    Timer1.Interval = step_out_interval;
    Timer1.Enabled = true;
}

void Interpreter::Timer1Timer() {
    if (in_step_ || !Timer1.Enabled) return;

    if (Line == BreakLine) {
        stop_run(); // the breakpoint line itself is not run
        UpdateClick();
        return;
    }

    if (step_out && !AutoStep.Checked) {
        if (step_outi > cs.loopx || step_outj >= step_out_limit) {
            // The block has been left: the step-out is done.
            stop_run();
            UpdateClick();
            return;
        }
        Step1Click();
        if (!step_out) return; // an error during the step ended it
        ++step_outj;
        if (step_outj >= step_out_limit && step_outi <= cs.loopx) {
            ShowMessage1("Error - unable to exit loop");
            UpdateClick();
        }
        return;
    }

    StepOverClick();
}

void Interpreter::AutoStepClick() {
    AutoStep.Checked = !AutoStep.Checked;
    if (!AutoStep.Checked) {
        stop_run();
        return;
    }
    RunButton.ImageIndex = 16;
    RunButton.Hint = "Stop F9";
    ON_LED.Visible = true;
    Timer1.Interval = run_interval(AutoStep_Time);
    Timer1.Enabled = true;
    Step1Click(); // Run's first step is a step into
    update1 = !(Timer1.Interval < 10 && Timer1.Enabled);
}

void Interpreter::AbortClick() {
    stop_run();
    UpdateClick();
    motors.kStepper_Timer.Enabled = false;
}

void Interpreter::BBackClick() {
    if (ListBox1.Count() == 0) {
        ShowMessage1("Sketch Error - Please load a sketch first before back stepping");
        Timer1.Enabled = false;
        return;
    }
    if (Line > 0) --Line;
    while (!CodeLine() && Line > 1) --Line;
    ListBox1.ItemIndex = ListBox1.has(Line) ? Line : -1;
    host_.update_click(true, Line);
}

void Interpreter::BreakPoint1Click() {
    BreakLine = BreakLine1;
    host_.update_click(update1, Line);
}

void Interpreter::ClearBreakPointClick() {
    BreakLine = -1;
    BreakLine1 = -1;
    host_.update_click(update1, Line);
}

void Interpreter::ResetSwClick() {
    reset_tmr = 3;
    RestartClick();
}

} // namespace quorvex
