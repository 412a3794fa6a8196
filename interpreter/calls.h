#pragma once
// Calls of the sketch's own functions: a call pushes a frame and moves the cursor to the
// header; the body's closing brace returns to the call line and delivers the value.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "interpreter/assignment.h"
#include "interpreter/control_stack.h"
#include "interpreter/subroutines.h"
#include "interpreter/variables.h"

namespace quorvex {

class Interpreter;

class Calls {
public:
    explicit Calls(Interpreter& in) : in_(in) {}

    // Who makes a call: a statement the executor runs, or an event or interrupt routine entered
    // between statements.
    enum class Caller { statement, event };
    // Makes the call when `name` is a subroutine of the sketch; false otherwise. A call that
    // is refused with a sketch error still answers true, so the statement is not tried further.
    bool sr_found(std::string_view name, Caller caller);
    // Records the value and leaves the function (or setup()/loop()) at its closing brace.
    int32_t kreturn(std::string_view s);
    // The return at a body's closing brace: the frame's level has just been popped and
    // `level` is its index (the control stack's loopx after the pop).
    void return_from_call(int32_t level);
    // True when `text` is exactly one call of a sketch subroutine, «f(a, b)».
    bool is_call(std::string_view text) const;
    // A function whose body stands on its header line («int one() { return 1; }») runs that
    // body when the step reaches the header; true when the step's line was handled here.
    bool one_line_pending() const {
        const int32_t k = in_cs_top();
        return k >= 1 && k <= max_depth && frames_[static_cast<size_t>(k)].one_line_next >= 0;
    }
    bool run_one_line();

    void reset();

    static constexpr int32_t max_depth = 20; // rows of stackx
    static constexpr int32_t max_args = 200;
    std::array<std::array<int32_t, max_n + 1>, max_depth + 1> stackx{};
    Value ret_value;
    int32_t retx = 0;

private:
    // What a frame keeps besides the control level, by frame level (rows of stackx).
    struct Frame {
        int32_t callee = -1; // row of the subroutine table
        std::string target;  // where the return value goes, "" for nowhere
        AssignMode mode = AssignMode::Assign;
        int32_t single_loop = 0; // the caller's brace-less body countdown
        int32_t rbr_found = 0;
        int32_t one_line_next = -1; // next statement of a body on the header line; -1 for none
        // The interrupted function's return state, given back when an event or interrupt
        // routine entered between statements returns.
        int32_t caller_retx = 0;
        Value caller_ret_value;
    };
    int32_t in_cs_top() const;
    // Keeps the step on the header of a one-line function so that its body runs next.
    void stay_for_one_line(int32_t row);

    // The call on the current line is in a place where its value can be delivered; fills
    // `target` and `mode` for an assignment or a declaration.
    bool line_allows_call(std::string_view name, std::string& target, AssignMode& mode);
    void refuse(std::string_view name);
    // sr_found's steps, in order; each reports and answers false when the call is refused.
    // The call stands where its value can be delivered (a statement's call only).
    bool call_placed(const std::string& name, std::string& target, AssignMode& mode);
    // The frame fits the call stack and the arguments their limit; `args` gets their texts.
    bool call_fits(const std::string& name, const Subroutine& sub, int32_t row, std::vector<std::string>& args);
    // Saves the caller's state in frame `row`, pushes the call's level and moves the cursor to
    // the header.
    bool push_frame(int32_t callee, const Subroutine& sub, int32_t row, std::string target, AssignMode mode);
    // The header's parameter declarations, at most sub.params of them.
    std::vector<std::string> parameter_texts(const Subroutine& sub);
    // Declares the parameters, then binds each argument's value (a call's last).
    void bind_parameters(const std::vector<std::string>& decls, const std::vector<std::string>& args);
    // Pops blocks above `level` and puts the cursor on the closing brace of sub `callee`.
    void leave_to(int32_t level, int32_t callee);

    Interpreter& in_;
    std::array<Frame, max_depth + 1> frames_{};
    std::string one_line_statement_;   // the statement of a header-line body that is running
    std::vector<std::string> binding_; // argument texts being evaluated for a parameter, innermost last
};

} // namespace quorvex
