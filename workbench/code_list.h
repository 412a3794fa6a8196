#pragma once
// The code list: one row per sketch line over the core's items, drawn whole by a delegate in
// the colours of the current line, the breakpoint, include and brace-match ranges and the
// syntax colours; and the dialog that confirms moving the current line.

#include <QDialog>
#include <QListView>
#include <QStyledItemDelegate>
#include <cstdint>

#include "interpreter/controls.h"
#include "workbench/code_list_model.h"

class QLabel;
class QPushButton;

namespace quorvex {

class Interpreter;

// A line's scan colour: default black, comment light grey, declaration green, const olive,
// directive grey, subroutine header blue.
QColor line_colour(LineColour colour);

struct RowColours {
    QColor background;
    QColor text;
};

// The first rule that holds: breakpoint (purple on the current line; never on rows 0 and 1),
// include range, brace-match range, current line, else white with the scan colour when syntax
// colouring is on. The list's own text colour is the palette's, highlighted on the selected row.
RowColours row_colours(const Interpreter& core, int32_t index, bool selected, const QPalette& palette);

// The code list's font for a stored height in the platform's convention: below 0 the character
// height in pixels; above 0 the cell height, so the largest size whose lines fit in it.
QFont code_font(const QString& name, int h);

// Where a line of `font` sits in a row: the baseline below the row's top, and the height that
// holds every printable ASCII glyph whole.
struct LineBox {
    int baseline = 0;
    int height = 0;
};
LineBox line_box(const QFont& font);

// The row height for a stored font height: h + 2 for a cell height, else `current`; never less
// than the font's line height, so no glyph is cut.
int code_row_height(const QFont& font, int h, int current);

// The item under a press at `y` pixels from the list's top: truncating division, unchecked
// against the item count (an item height of 0 counts as 1).
int32_t break_line_at(int y, int item_height, int first_visible);

// Paints every row whole: background, then the text (with its "%.4d " number when line
// numbers are on) from the row's top left, its baseline `baseline` below the top.
class CodeListDelegate : public QStyledItemDelegate {
public:
    CodeListDelegate(Interpreter& core, QObject* parent = nullptr);
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

    int item_height = 13;
    int baseline = 11;

private:
    Interpreter& core_;
};

// "ListBox1". Any mouse press records the row under it as the breakpoint candidate; a right
// press selects nothing.
class CodeListView : public QListView {
    Q_OBJECT
public:
    CodeListView(Interpreter& core, QWidget* parent = nullptr);
    CodeListModel* model() const { return model_; }
    CodeListDelegate* delegate() const { return delegate_; }
    int item_height() const { return delegate_->item_height; }
    void set_item_height(int h);
    // The font and the rows of a stored font name and height (see code_font).
    void set_code_font(const QString& name, int h);
    int first_visible() const;
    int visible_rows() const;
    // Puts `row` first in view, as far as the list scrolls.
    void set_first_visible(int row);

protected:
    void mousePressEvent(QMouseEvent* event) override;

private:
    Interpreter& core_;
    CodeListModel* model_;
    CodeListDelegate* delegate_;
};

// "ChangeLine": asks before the current line moves to a clicked row.
class ChangeLineDialog : public QDialog {
    Q_OBJECT
public:
    explicit ChangeLineDialog(QWidget* main_window);
    QLabel* Label1;
    QPushButton* Button1; // "OK"
    QPushButton* Button2; // "Cancel"

protected:
    void showEvent(QShowEvent* event) override;

private:
    QWidget* main_;
};

} // namespace quorvex
