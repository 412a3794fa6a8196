#pragma once
// The character LCD of a LiquidCrystal object, shown on port panel 4. The buffer holds four
// rows with a cursor line under each; the panel's list shows them as items, a row cut to the
// display width and its cursor line beneath it. Displays of three or four rows show rows 2 and 3
// as items 4..7; smaller ones show rows 0 and 1 only.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "interpreter/dispatch_tables.h"
#include "simulation/method_table.h"

namespace quorvex {

class Interpreter;
class OutputList;

class Lcd {
public:
    explicit Lcd(Interpreter& in);

    // The declaration «lcd(12, 11, 5, 4, 3, 2);»: registers the prefix, labels the pins.
    void klcddef(std::string_view s);
    // A statement after the prefix: «print("Hi");», its method found in `methods`.
    int32_t klcd(const Match& m);
    // Writes `s` at the cursor, moves the cursor and redraws.
    void printlcd(std::u16string_view s);
    // Rebuilds the cursor lines in the buffer; the list is not redrawn.
    void showcursor();
    // The half-second tick's part: the cursor lines blink while blink mode is on.
    void blink();
    // Part of reset: the display list released, autoscroll and right-to-left off.
    void reset();

    // Columns a row keeps: a write beyond it is dropped, and trailing blanks beyond it too.
    static constexpr int32_t max_columns = 256;
    // Characters scrollDisplayLeft keeps for scrolling back, per item.
    static constexpr size_t max_pushed_out = 1024;

    std::array<std::u16string, 8> lcdd; // line 2r: row r's text; 2r + 1: its cursor line
    int32_t lcdx = 0;
    int32_t lcdy = 0;
    int32_t lcd_maxx = 0;
    int32_t lcd_maxy = 0;
    bool lcd_cursor = false;
    bool lcd_blink = false;
    bool lcd_backwards = false;
    int32_t lcd_scroll = 0;
    std::string lcd_cursor1;
    std::string lcd_cursor2;
    // Panel 4's list is the LCD's display; a Wire or SPI begin takes the panel over.
    bool lcd_box = false;
    std::array<std::u16string, 8> LCD_Buffer;      // pushed out at the left by scrolls, oldest first
    std::array<std::u16string, 8> LCD_RightBuffer; // each item uncut, as the scrolls shift it

    // Items the display shows: 8 for three or four rows, else 4.
    int32_t item_count() const { return lcd_maxy >= 3 ? 8 : 4; }
    // The width rows are cut and padded to.
    int32_t display_width() const;

private:
    struct Call;
    using Method = void (Lcd::*)(const Call&);
    static const MethodRow<Method> methods[];

    // The methods, named as the sketch calls them. An argument that reported an error leaves
    // the display as it was.
    void kbegin(const Call& c);
    void kprint(const Call& c);
    void kprintln(const Call& c);
    void kwrite(const Call& c);
    void kclear(const Call& c);
    void khome(const Call& c);
    void ksetCursor(const Call& c);
    void kcursor(const Call& c);
    void knoCursor(const Call& c);
    void kblink(const Call& c);
    void knoBlink(const Call& c);
    void kdisplay(const Call& c);
    void knoDisplay(const Call& c);
    void kautoscroll(const Call& c);
    void knoAutoscroll(const Call& c);
    void kleftToRight(const Call& c);
    void krightToLeft(const Call& c);
    void kcreateChar(const Call& c);
    void kscrollDisplayLeft(const Call& c);
    void kscrollDisplayRight(const Call& c);

    OutputList& box();
    // Item i from `text`, cut to the display width when `cut`.
    void show(int32_t i, std::u16string_view text, bool cut);
    // Items and right buffers from the buffer lines.
    void redraw();
    void autoscroll();
    void scroll_left();
    void scroll_right();
    // Moves the cursor column by `delta`: past column 63 it wraps to the next row.
    void advance(int64_t delta);
    // The cursor to column `col` of row `row`, the row kept within 0..3.
    void place_cursor(int32_t col, int32_t row);

    Interpreter& in_;
    std::string scratch_; // the UTF-8 form of an item, reused
};

} // namespace quorvex
