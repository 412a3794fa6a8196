// The port panels and analog inputs of the simulation window, as plain state.
#include "simulation/device_panels.h"

#include <algorithm>
#include <charconv>

#include "interpreter/text_routines.h"
#include "interpreter/value_format.h"
#include "simulation/board.h"

namespace quorvex {

namespace {

int32_t count_chars(std::string_view s) {
    int32_t n = 0;
    for (size_t i = 0; i < s.size(); i += decode_utf8(s, i, BadByte::latin1).length) ++n;
    return n;
}

std::string decimal(int64_t v) {
    char buf[24];
    const auto r = std::to_chars(buf, buf + sizeof buf, v);
    return std::string(buf, r.ptr);
}

} // namespace

// --- output list -----------------------------------------------------------------------------

const std::string& OutputList::item(int32_t i) const {
    static const std::string none;
    if (i < 0 || i >= Count()) return none;
    if (i == 0) settle_first();
    return items_[front_ + static_cast<size_t>(i)];
}

const std::vector<std::string>& OutputList::items() const {
    settle_first();
    if (front_ > 0) {
        items_.erase(items_.begin(), items_.begin() + static_cast<std::ptrdiff_t>(front_));
        front_ = 0;
    }
    return items_;
}

void OutputList::settle_first() const {
    if (head_ == 0) return;
    items_[front_].erase(0, head_);
    head_ = 0;
}

void OutputList::clear() {
    items_.clear();
    front_ = 0;
    head_ = 0;
    ItemIndex = -1;
    changes_ = ListChanges{true, 0, 0};
}

void OutputList::add(std::string text) {
    touched(Count());
    items_.push_back(std::move(text));
}

void OutputList::append_last(std::string_view text) {
    if (empty()) {
        add(std::string(text));
        return;
    }
    touched(Count() - 1);
    items_.back().append(text);
}

void OutputList::append_char(int32_t code) {
    if (empty()) add({});
    touched(Count() - 1);
    append_code_unit(items_.back(), code);
}

void OutputList::set_item(int32_t i, std::string text) {
    if (i < 0 || i >= Count()) return;
    touched(i);
    if (i == 0) head_ = 0;
    items_[front_ + static_cast<size_t>(i)] = std::move(text);
}

void OutputList::drop_first() {
    std::string().swap(items_[front_]);
    ++front_;
    head_ = 0;
    ++changes_.removed_front;
    if (changes_.first_line != INT32_MAX) changes_.first_line = std::max(0, changes_.first_line - 1);
    if (ItemIndex > 0) --ItemIndex;
    if (ItemIndex >= Count()) ItemIndex = Count() - 1;
    // Taken lines go in bulk once they are half the store, which keeps each read constant.
    if (front_ == items_.size()) {
        items_.clear();
        front_ = 0;
    } else if (front_ >= 4096 && front_ * 2 >= items_.size()) {
        items_.erase(items_.begin(), items_.begin() + static_cast<std::ptrdiff_t>(front_));
        front_ = 0;
    }
}

int32_t OutputList::read_front() {
    while (!empty() && head_ >= items_[front_].size()) drop_first();
    if (empty()) return 0;
    const std::string& line = items_[front_];
    const Utf8Char c = decode_utf8(line, head_, BadByte::latin1);
    head_ += c.length;
    if (head_ >= line.size())
        drop_first();
    else
        touched(0);
    return c.unit();
}

void OutputList::put_item(int32_t i, std::string_view text) {
    if (i < 0) return;
    if (i >= Count()) {
        touched(Count());
        items_.resize(static_cast<size_t>(i) + 1);
    }
    std::string& item = items_[static_cast<size_t>(i)];
    if (item == text) return;
    touched(i);
    item.assign(text);
}

ListChanges OutputList::take_changes() {
    const ListChanges c = changes_;
    changes_ = ListChanges{};
    return c;
}

// --- input box -------------------------------------------------------------------------------

void InputBox::set_text(std::string text) {
    text_ = std::move(text);
    head_ = 0;
    count_ = count_chars(text_);
    ++revision_;
}

int32_t InputBox::read(bool move) {
    if (empty()) return 0;
    const std::string_view s = text_;
    const Utf8Char first = decode_utf8(s, head_, BadByte::latin1);
    int32_t c = first.unit();
    size_t used = first.length;
    if (c == '\\' && head_ + used < s.size()) {
        const Utf8Char escaped = decode_utf8(s, head_ + used, BadByte::latin1);
        used += escaped.length;
        c = escaped.unit() - 97;
        if (move) count_ -= 1; // the escaped character
    }
    if (!move) return c;
    head_ += used;
    count_ -= 1;
    ++revision_;
    // Drop the consumed front now and then, so the text does not grow without bound.
    if (head_ == text_.size()) {
        text_.clear();
        head_ = 0;
    } else if (head_ >= 4096 && head_ * 2 >= text_.size()) {
        text_.erase(0, head_);
        head_ = 0;
    }
    return c;
}

// --- port panels -----------------------------------------------------------------------------

void PortPanel::open(std::string caption, std::string example_input) {
    Panel.Visible = true;
    Panel.Caption = std::move(caption);
    ListBox.clear();
    IN.set_text(std::move(example_input));
}

void PortPanel::print(std::string_view text) {
    append_text(text);
    if (contains(text, "\\n") || contains(text, "\\r")) end_line();
    select_last();
}

void PortPanel::println(std::string_view text) {
    if (!text.empty()) append_text(text);
    end_line();
    select_last();
}

void PortPanel::write(int32_t code) {
    ListBox.append_char(code);
    select_last();
}

void DevicePanels::open(int32_t k, std::string caption, std::string example_input) {
    (*this)[k].open(std::move(caption), std::move(example_input));
    if (on_open) on_open(k);
}

void DevicePanels::ShowAllPorts1Click() {
    for (int32_t k = 1; k <= port_panel_count; ++k) (*this)[k].Panel.Visible = true;
}

void DevicePanels::HideUnusedports1Click() {
    for (int32_t k = 1; k <= port_panel_count; ++k)
        if ((*this)[k].unused()) (*this)[k].Panel.Visible = false;
}

DevicePanels::DevicePanels() {
    for (int32_t k = 1; k <= port_panel_count; ++k) (*this)[k].Panel.Caption = "Port" + std::to_string(k);
}

void DevicePanels::reset() {
    for (int32_t k = 1; k <= port_panel_count; ++k) {
        PortPanel& p = (*this)[k];
        p.ListBox.clear();
        p.Panel.Visible = false;
    }
    (*this)[4].IN.Visible = true;
    (*this)[5].IN.Visible = true;
    (*this)[4].ListBox.Color = colour_white; // the LCD colours it
    (*this)[4].ListBox.FontColor = colour_black;
}

// --- analog inputs ---------------------------------------------------------------------------

AnalogInputs::AnalogInputs(Board& board, const MenuItem& show_volts) : board_(board), show_volts_(show_volts) {
    for (int32_t i = 0; i < count; ++i) {
        const auto k = static_cast<size_t>(i);
        Position[k] = max_level - std::clamp(board_.analog_val[k], 0, max_level);
        An[k] = decimal(max_level - Position[k]);
    }
}

std::string AnalogInputs::volts_text(int32_t level) { return float_text(level * 5.0L / 1023.0L) + "V"; }

void AnalogInputs::ScrollBar1Change(int32_t i) {
    if (i < 0 || i >= count) return;
    const auto k = static_cast<size_t>(i);
    const int32_t value = max_level - Position[k];
    An[k] = decimal(value);
    board_.ValAn[k].caption = show_volts_.Checked ? volts_text(value) : An[k];
    board_.analog_val[k] = value;
    ++board_.revision;
}

void AnalogInputs::set_position(int32_t i, int64_t position) {
    if (i < 0 || i >= count) return;
    if (position < 0) position = 0;
    if (position > max_level) position = max_level;
    const auto k = static_cast<size_t>(i);
    if (Position[k] == position) return;
    Position[k] = static_cast<int32_t>(position);
    ScrollBar1Change(i);
}

void AnalogInputs::An0Change(int32_t i, std::string_view text) {
    if (i < 0 || i >= count) return;
    const auto k = static_cast<size_t>(i);
    An[k] = std::string(text);
    // A whole number, sign allowed; digits beyond 64 bits only push further past the range.
    std::string_view t = dtrim(text);
    bool negative = false;
    if (!t.empty() && (t[0] == '-' || t[0] == '+')) {
        negative = t[0] == '-';
        t.remove_prefix(1);
    }
    if (t.empty()) return;
    int64_t n = 0;
    for (char c : t) {
        if (c < '0' || c > '9') return;
        if (n <= max_level) n = n * 10 + (c - '0');
    }
    if (negative) n = -n;
    const int64_t level = n < 0 ? 0 : (n > max_level ? max_level : n);
    set_position(i, max_level - level);
    An[k] = decimal(level);
}

void AnalogInputs::FormInit() {
    for (int32_t i = 0; i < count; ++i) ScrollBar1Change(i);
}

} // namespace quorvex
