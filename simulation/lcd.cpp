// The character LCD on port panel 4.
#include "simulation/lcd.h"

#include <algorithm>
#include <cstdio>

#include "interpreter/interpreter.h"
#include "interpreter/literals.h"
#include "simulation/library.h"

namespace quorvex {

namespace {

constexpr uint32_t lcd_background = 0x0000FF7F; // RGB(127, 255, 0)
constexpr uint32_t lcd_faded = 0x0000FF00;      // RGB(0, 255, 0): text next to unreadable
constexpr int32_t cursor_columns = 64;          // a cursor line's length, and the wrap column

std::u16string blanks(size_t n) { return std::u16string(n, u' '); }

// Sketch text (UTF-8) as display characters, one 16-bit code each.
std::u16string to_cells(std::string_view text) {
    std::u16string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        const Utf8Char c = decode_utf8(text, i, BadByte::latin1);
        i += c.length;
        out.push_back(static_cast<char16_t>(c.unit()));
    }
    return out;
}

// Trailing blanks beyond the last column a row keeps are dropped, so rows stay bounded.
void drop_trailing_blanks(std::u16string& s) {
    const auto keep = static_cast<size_t>(Lcd::max_columns);
    size_t end = s.size();
    while (end > keep && s[end - 1] == u' ') --end;
    s.resize(end);
}

// Pin labels by the number of pin arguments of the declaration.
const std::vector<const char*>* pin_labels(size_t count) {
    static const std::vector<const char*> s_lcd6 = {"rs", "en", "lcd4", "lcd5", "lcd6", "lcd7"};
    static const std::vector<const char*> s_lcd7 = {"rs", "rw", "en", "lcd4", "lcd5", "lcd6", "lcd7"};
    static const std::vector<const char*> s_lcd10 = {"rs",   "en",   "lcd0", "lcd1", "lcd2",
                                                     "lcd3", "lcd4", "lcd5", "lcd6", "lcd7"};
    static const std::vector<const char*> s_lcd11 = {"rs",   "rw",   "en",   "lcd0", "lcd1", "lcd2",
                                                     "lcd3", "lcd4", "lcd5", "lcd6", "lcd7"};
    switch (count) {
    case 6:
        return &s_lcd6;
    case 7:
        return &s_lcd7;
    case 10:
        return &s_lcd10;
    case 11:
        return &s_lcd11;
    default:
        return nullptr;
    }
}

} // namespace

Lcd::Lcd(Interpreter& in) : in_(in) { lcdd.fill(blanks(20)); }

OutputList& Lcd::box() { return in_.panels[4].ListBox; }

int32_t Lcd::display_width() const { return std::clamp(lcd_maxx, 0, max_columns); }

void Lcd::klcddef(std::string_view s) {
    s = dtrim(s);
    const size_t open = s.find('(');
    const std::string name = declared_call_name(in_, s);
    if (name.empty()) return;
    in_.register_object(lcd_key, name + ".");
    if (open == std::string_view::npos) return;

    const std::vector<std::string> a = call_arguments(in_, s.substr(open));
    const std::vector<const char*>* labels = pin_labels(a.size());
    if (labels == nullptr) return;
    // Evaluated like any pin argument, so named constants work; one that fails labels nothing.
    std::vector<int32_t> pins;
    const ArgumentErrors errors(in_);
    for (const std::string& arg : a) pins.push_back(in_.get_var(arg));
    if (errors.raised()) return;
    for (size_t i = 0; i < pins.size(); ++i) in_.board.set_output(pins[i], OUTPUT, (*labels)[i]);
}

void Lcd::show(int32_t i, std::u16string_view text, bool cut) {
    if (cut) text = text.substr(0, static_cast<size_t>(display_width()));
    scratch_.clear();
    for (const char16_t c : text) {
        if (c < 0x80)
            scratch_.push_back(static_cast<char>(c));
        else
            append_code_unit(scratch_, c);
    }
    box().put_item(i, scratch_);
}

void Lcd::redraw() {
    for (int32_t i = 0; i < item_count(); ++i) {
        const auto k = static_cast<size_t>(i);
        LCD_RightBuffer[k] = lcdd[k];
        show(i, lcdd[k], i % 2 == 0);
    }
}

void Lcd::showcursor() {
    for (size_t line = 1; line < lcdd.size(); line += 2) lcdd[line].assign(37, u' ');
    std::u16string& line = lcdd[static_cast<size_t>(2 * lcdy + 1)];
    line.assign(cursor_columns, u' ');
    if (lcdx >= 0 && lcdx < cursor_columns) line[static_cast<size_t>(lcdx)] = u'_';
}

void Lcd::advance(int64_t delta) {
    const int64_t x = int64_t{lcdx} + delta;
    if (x >= cursor_columns) {
        lcdx = 0;
        if (++lcdy >= std::min(lcd_maxy, 4)) lcdy = 0;
    } else {
        lcdx = static_cast<int32_t>(std::max<int64_t>(x, INT32_MIN));
    }
}

void Lcd::printlcd(std::u16string_view s) {
    std::u16string& row = lcdd[static_cast<size_t>(2 * lcdy)];
    const auto len = static_cast<int64_t>(s.size());
    // Only the characters that land on columns 0 .. max_columns - 1 are written.
    const int64_t from = std::max<int64_t>(0, -int64_t{lcdx});
    const int64_t to = std::min<int64_t>(len, int64_t{max_columns} - lcdx);
    if (from < to) {
        const auto col = static_cast<size_t>(lcdx + from);
        const auto n = static_cast<size_t>(to - from);
        if (row.size() < col + n) row.resize(col + n, u' ');
        row.replace(col, n, s.substr(static_cast<size_t>(from), n));
    }
    row.append(27, u' ');
    drop_trailing_blanks(row);

    advance(lcd_backwards ? -len : len);
    if (lcd_cursor) {
        showcursor();
    } else {
        for (size_t line = 1; line < lcdd.size(); line += 2) lcdd[line].assign(20, u' ');
    }
    redraw();
}

void Lcd::autoscroll() {
    if (lcdx > INT32_MIN) --lcdx;
    for (int32_t i = 0; i < item_count(); ++i) {
        const auto k = static_cast<size_t>(i);
        if (!lcdd[k].empty()) lcdd[k].erase(0, 1);
        LCD_RightBuffer[k] = lcdd[k].substr(0, static_cast<size_t>(display_width()));
        show(i, LCD_RightBuffer[k], false);
    }
}

void Lcd::scroll_left() {
    for (int32_t i = 0; i < item_count(); ++i) {
        const auto k = static_cast<size_t>(i);
        const std::string& item = box().item(i);
        const int32_t first = item.empty() ? ' ' : decode_utf8(item, 0, BadByte::latin1).unit();
        std::u16string& pushed = LCD_Buffer[k];
        pushed.push_back(static_cast<char16_t>(first));
        if (pushed.size() > max_pushed_out) pushed.erase(0, pushed.size() - max_pushed_out);
        std::u16string& right = LCD_RightBuffer[k];
        if (!right.empty()) right.erase(0, 1);
        show(i, right, true);
        right.append(22, u' ');
        drop_trailing_blanks(right);
    }
}

void Lcd::scroll_right() {
    for (int32_t i = 0; i < item_count(); ++i) {
        const auto k = static_cast<size_t>(i);
        std::u16string& pushed = LCD_Buffer[k];
        std::u16string& right = LCD_RightBuffer[k];
        right.insert(right.begin(), pushed.empty() ? u' ' : pushed.back());
        show(i, right, true);
        right.append(22, u' ');
        drop_trailing_blanks(right);
        if (!pushed.empty()) pushed.pop_back();
    }
}

// One call statement after the object's dot: what every method reads.
struct Lcd::Call {
    std::string_view rest;        // trimmed: «print("Hi");»
    std::vector<std::string> a;   // the argument texts
    const ArgumentErrors& errors; // set when an argument reported an error: the method changes nothing
};

const MethodRow<Lcd::Method> Lcd::methods[] = {
    {"begin", &Lcd::kbegin},
    {"print", &Lcd::kprint},
    {"println", &Lcd::kprintln},
    {"write", &Lcd::kwrite},
    {"clear", &Lcd::kclear},
    {"home", &Lcd::khome},
    {"setCursor", &Lcd::ksetCursor},
    {"cursor", &Lcd::kcursor},
    {"noCursor", &Lcd::knoCursor},
    {"blink", &Lcd::kblink},
    {"noBlink", &Lcd::knoBlink},
    {"display", &Lcd::kdisplay},
    {"noDisplay", &Lcd::knoDisplay},
    {"autoscroll", &Lcd::kautoscroll},
    {"noAutoscroll", &Lcd::knoAutoscroll},
    {"leftToRight", &Lcd::kleftToRight},
    {"rightToLeft", &Lcd::krightToLeft},
    {"createChar", &Lcd::kcreateChar},
    {"scrollDisplayLeft", &Lcd::kscrollDisplayLeft},
    {"scrollDisplayRight", &Lcd::kscrollDisplayRight},
};

int32_t Lcd::klcd(const Match& m) {
    const std::string_view rest = dtrim(m.rest);
    const std::string command = call_method(rest);
    const ArgumentErrors errors(in_);
    const Call c{rest, call_arguments(in_, rest), errors};
    if (!call_row(*this, methods, command, c).has_value()) in_.ShowMessage1("Sketch Error - Undefined LCD command");
    return int_result(in_, 0);
}

void Lcd::kbegin(const Call& c) {
    const int32_t cols = in_.get_var(argument(c.a, 0));
    const int32_t rows = c.a.size() > 1 ? in_.get_var(c.a[1]) : 0;
    if (c.errors.raised()) return;
    PortPanel& panel = in_.panels[4];
    lcd_blink = false;
    panel.IN.Visible = false;
    panel.Panel.Visible = true;
    lcd_box = true;
    box().FontColor = colour_black;
    box().Color = lcd_background;
    box().clear();
    lcd_maxx = cols;
    lcd_maxy = rows;
    for (int32_t i = 0; i < item_count(); ++i) {
        const auto k = static_cast<size_t>(i);
        lcdd[k] = blanks(20);
        box().put_item(i, std::string(20, ' '));
        LCD_Buffer[k].clear();
        LCD_RightBuffer[k].clear();
    }
    lcdx = 0;
    lcdy = 0;
    showcursor();
    char caption[160];
    std::snprintf(caption, sizeof caption, "LCD \"%.80s\" %d chars x %d rows", in_.tables.kobj_word[lcd_key].c_str(),
                  lcd_maxx, lcd_maxy);
    panel.Panel.Caption = caption;
    lcd_cursor = true;
    in_.host().show_simulation_window();
}

void Lcd::kprint(const Call& c) {
    const std::u16string text = to_cells(printx(in_, argument(c.a, 0)));
    if (c.errors.raised()) return;
    printlcd(text);
    if (lcd_scroll == 1) autoscroll();
}

void Lcd::kprintln(const Call& c) {
    const std::u16string text = to_cells(printx(in_, argument(c.a, 0)));
    if (c.errors.raised()) return;
    printlcd(text);
    lcdy = lcdy == 1 ? 0 : 1;
}

void Lcd::kwrite(const Call& c) {
    int32_t v = c.rest.find('(') == std::string_view::npos ? 0 : in_.get_var(in_.StripBrackets(c.rest));
    if (c.errors.raised()) return;
    if (v <= 7) v += 35; // the eight custom characters show as "#" .. "*"
    printlcd(std::u16string(1, static_cast<char16_t>(v & 0xFFFF)));
    if (lcd_scroll == 1) autoscroll();
}

void Lcd::kclear(const Call&) {
    box().clear();
    for (int32_t i = 0; i < item_count(); ++i) {
        const auto k = static_cast<size_t>(i);
        std::u16string item = blanks(20);
        if (i == 1) item[0] = u'_';
        if (i % 2 == 0) lcdd[k] = item;
        show(i, item, false);
        LCD_RightBuffer[k] = std::move(item);
        LCD_Buffer[k].clear();
    }
    lcdx = 0;
    lcdy = 0;
}

void Lcd::place_cursor(int32_t col, int32_t row) {
    lcdx = col;
    lcdy = std::clamp(row, 0, 3);
    showcursor();
}

void Lcd::khome(const Call&) { place_cursor(0, 0); }

void Lcd::ksetCursor(const Call& c) {
    const int32_t col = in_.get_var(argument(c.a, 0));
    const int32_t row = c.a.size() > 1 ? in_.get_var(c.a[1]) : 0;
    if (c.errors.raised()) return;
    place_cursor(col, row);
}

void Lcd::kcursor(const Call&) {
    lcd_cursor = true;
    showcursor();
    for (int32_t i = 1; i < item_count(); i += 2) show(i, lcdd[static_cast<size_t>(i)], false);
}

void Lcd::knoCursor(const Call&) {
    lcd_cursor = false;
    for (int32_t i = 1; i < item_count(); i += 2) {
        lcdd[static_cast<size_t>(i)].clear();
        box().put_item(i, {});
    }
}

void Lcd::kblink(const Call&) { lcd_blink = true; }

void Lcd::knoBlink(const Call&) {
    if (lcd_cursor1.empty()) {
        lcd_cursor1 = box().item(1);
        lcd_cursor2 = box().item(3);
    }
    for (int32_t i = 1; i < item_count(); i += 2) box().put_item(i, {});
    lcd_blink = false;
}

void Lcd::kdisplay(const Call&) { box().FontColor = colour_black; }
void Lcd::knoDisplay(const Call&) { box().FontColor = lcd_faded; }
void Lcd::kautoscroll(const Call&) { lcd_scroll = 1; }
void Lcd::knoAutoscroll(const Call&) { lcd_scroll = 0; }
void Lcd::kleftToRight(const Call&) { lcd_backwards = false; }
void Lcd::krightToLeft(const Call&) { lcd_backwards = true; }
// The glyphs are not drawn: custom characters show as "#" .. "*".
void Lcd::kcreateChar(const Call&) {}
void Lcd::kscrollDisplayLeft(const Call&) { scroll_left(); }
void Lcd::kscrollDisplayRight(const Call&) { scroll_right(); }

void Lcd::blink() {
    if (!lcd_blink || !lcd_box) return;
    // The cursor lines as they are now, so a blink alone shows the current cursor.
    const bool restore = box().item(1).empty();
    for (int32_t i = 1; i < item_count(); i += 2) {
        if (restore)
            show(i, lcdd[static_cast<size_t>(i)], false);
        else
            box().put_item(i, {});
    }
}

void Lcd::reset() {
    lcd_box = false;
    lcd_scroll = 0;
    lcd_backwards = false;
}

} // namespace quorvex
