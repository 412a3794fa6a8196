#pragma once
// "Edit Sketch": the loaded sketch as plain text, edited on a copy. "Update Sketch" hands the
// text back to the interpreter and resets; the save commands write a sketch file atomically.
// The editor also chooses the code list's font and the visual style of every window.

#include <QWidget>
#include <functional>
#include <string>
#include <utility>
#include <vector>

class QComboBox;
class QListWidget;
class QListWidgetItem;
class QPlainTextEdit;
class QPushButton;

namespace quorvex {

class Interpreter;

class SketchEditor : public QWidget {
    Q_OBJECT
public:
    // `title` and `version` go into the saved file's second line.
    SketchEditor(Interpreter& core, const QString& title, const QString& version, QWidget* main = nullptr);

    // FormShow: the code list's font and lines (those an #include inserted left out).
    void FormShow();
    void Close1Click() { close(); }
    // "Update Sketch": the text becomes the code list, then reset, then the editor closes.
    void LoadChangesClick();
    // "Save File As": the chooser, then the save; cancelling changes nothing.
    void SaveFileAsClick();
    // "Save && Update": the save to the loaded sketch's name (the chooser when there is none),
    // then Update Sketch.
    void SaveUpdateClick();
    void BareMinimumClick();
    void CFontChange();
    void CHeightChange();
    void SkinSelectClick(QListWidgetItem* item);

    // The editor's lines: one per text line, NUL characters as blanks.
    std::vector<std::string> lines() const;
    // Writes the saved sketch to `chosen` (".ino" appended as the rule says); on success the
    // loaded sketch's name and the main window's caption follow. False, with a message and
    // nothing changed, when the file could not be written or the user declined to replace it.
    bool save_to(const QString& chosen);

    // --- what the editor needs from the main window (replaceable in tests) ---
    std::function<void()> restart;                           // reset through the main window
    std::function<void(const QString& caption)> set_caption; // the main window's caption
    std::function<std::pair<QString, int>()> code_font;      // the code list's font name and height
    std::function<void(const QString& name, int h)> set_code_font;
    std::function<void(const QString& name)> apply_style;     // restyles and sets ThemeStyle
    std::function<QString()> choose_file;                     // "" when cancelled
    std::function<bool(const QString& path)> confirm_replace; // ".ino" was appended and it exists
    std::function<void(const QString& text)> show_message;

    QPlainTextEdit* RichEdit1;
    QPushButton* Close1;
    QPushButton* LoadChanges;
    QPushButton* SaveFileAs;
    QPushButton* SaveUpdate;
    QPushButton* BareMinimum;
    QComboBox* CFont;
    QComboBox* CHeight;
    QListWidget* SkinSelect;

protected:
    void showEvent(QShowEvent* event) override;

private:
    Interpreter& core_;
    QString title_;
    QString version_;

    void apply_editor_font(const QString& name, int h);
};

} // namespace quorvex
