// The sketch editor window.
#include "workbench/sketch_editor.h"

#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSaveFile>
#include <QVBoxLayout>
#include <algorithm>

#include "interpreter/interpreter.h"
#include "workbench/code_list.h"
#include "workbench/sketch_file.h"
#include "workbench/styles.h"

namespace quorvex {

namespace {

QPushButton* button(const char* name, const QString& caption, QWidget* parent) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    return b;
}

} // namespace

SketchEditor::SketchEditor(Interpreter& core, const QString& title, const QString& version, QWidget* main)
    : QWidget(main, Qt::Window), core_(core), title_(title), version_(version) {
    setObjectName(QStringLiteral("EditSketch"));
    setWindowTitle(QStringLiteral("Edit Sketch"));
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(11);
    setFont(font);

    RichEdit1 = new QPlainTextEdit(this);
    RichEdit1->setObjectName(QStringLiteral("RichEdit1"));
    RichEdit1->setLineWrapMode(QPlainTextEdit::NoWrap);
    RichEdit1->setTabChangesFocus(false); // Tab inserts a tab
    RichEdit1->setFixedWidth(641);
    apply_editor_font(QStringLiteral("Courier"), -11);

    auto* skins = new QLabel(QStringLiteral("Skins"), this);
    SkinSelect = new QListWidget(this);
    SkinSelect->setObjectName(QStringLiteral("SkinSelect"));
    SkinSelect->addItems(StyleRegistry::names());
    SkinSelect->setFixedSize(187, 209);
    connect(SkinSelect, &QListWidget::itemClicked, this, &SketchEditor::SkinSelectClick);

    Close1 = button("Close1", QStringLiteral("Close"), this);
    LoadChanges = button("LoadChanges", QStringLiteral("Update Sketch"), this);
    SaveFileAs = button("SaveFileAs", QStringLiteral("Save File As"), this);
    SaveUpdate = button("SaveUpdate", QStringLiteral("Save && Update"), this);
    BareMinimum = button("BareMinimum", QStringLiteral("Bare Minimum"), this);
    connect(Close1, &QPushButton::clicked, this, &SketchEditor::Close1Click);
    connect(LoadChanges, &QPushButton::clicked, this, &SketchEditor::LoadChangesClick);
    connect(SaveFileAs, &QPushButton::clicked, this, &SketchEditor::SaveFileAsClick);
    connect(SaveUpdate, &QPushButton::clicked, this, &SketchEditor::SaveUpdateClick);
    connect(BareMinimum, &QPushButton::clicked, this, &SketchEditor::BareMinimumClick);
    CFont = new QComboBox(this);
    CFont->setObjectName(QStringLiteral("CFont"));
    CFont->setEditable(true);
    CFont->addItems({"Courier", "Arial", "Lucida Sans", "Calibri"});
    CHeight = new QComboBox(this);
    CHeight->setObjectName(QStringLiteral("CHeight"));
    CHeight->setEditable(true);
    CHeight->addItems({"10", "12", "14", "16", "18", "20", "25", "30", "40"});
    CHeight->setCurrentText(QStringLiteral("12"));
    connect(CFont, &QComboBox::textActivated, this, &SketchEditor::CFontChange);
    connect(CHeight, &QComboBox::textActivated, this, &SketchEditor::CHeightChange);

    // The 840 x 607 client area: the text area docked at the left edge, 641 wide, and the skins
    // list with a 6 px margin each side beside it (641 + 6 + 187 + 6 = 840); the buttons below.
    auto* side = new QVBoxLayout;
    side->setContentsMargins(6, 6, 6, 0);
    side->setSpacing(4);
    side->addWidget(skins);
    side->addWidget(SkinSelect);
    side->addStretch();
    auto* top = new QHBoxLayout;
    top->setContentsMargins(0, 0, 0, 0);
    top->setSpacing(0);
    top->addWidget(RichEdit1);
    top->addLayout(side);
    auto* bar = new QHBoxLayout;
    bar->setContentsMargins(6, 4, 6, 4);
    bar->setSpacing(6);
    for (QWidget* w :
         std::initializer_list<QWidget*>{Close1, LoadChanges, SaveFileAs, SaveUpdate, BareMinimum, CFont, CHeight})
        bar->addWidget(w);
    bar->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addLayout(top, 1);
    layout->addLayout(bar);
    resize(840, 607);

    restart = [this] { core_.RestartClick(); };
    choose_file = [this] {
        return QFileDialog::getSaveFileName(this, QStringLiteral("Save File As"), QString::fromStdString(core_.Logdir1),
                                            QStringLiteral("Arduino Sketch (*.ino *.pde);;All Files (*)"));
    };
    confirm_replace = [this](const QString& path) {
        return QMessageBox::question(this, QStringLiteral("Save File As"),
                                     QStringLiteral("%1 already exists. Replace it?").arg(path)) == QMessageBox::Yes;
    };
    show_message = [this](const QString& text) { QMessageBox::warning(this, QStringLiteral("Save"), text); };
}

void SketchEditor::apply_editor_font(const QString& name, int h) { RichEdit1->setFont(quorvex::code_font(name, h)); }

void SketchEditor::FormShow() {
    const auto [name, h] = code_font ? code_font() : std::pair<QString, int>(QStringLiteral("Courier"), -11);
    CFont->setCurrentText(name);
    CHeight->setCurrentText(QString::number(h));
    apply_editor_font(name, h);
    QStringList text;
    for (const std::string& line : editor_lines(core_)) text.append(QString::fromStdString(line));
    RichEdit1->setPlainText(text.join(QLatin1Char('\n')));
}

void SketchEditor::showEvent(QShowEvent* event) {
    FormShow();
    QWidget::showEvent(event);
}

std::vector<std::string> SketchEditor::lines() const {
    std::vector<std::string> out;
    const QStringList split = RichEdit1->toPlainText().split(QLatin1Char('\n'));
    out.reserve(static_cast<size_t>(split.size()));
    for (QString line : split) {
        // A NUL would end the line early wherever the text goes next.
        line.replace(QChar(u'\0'), QLatin1Char(' '));
        out.push_back(line.toStdString());
    }
    return out;
}

void SketchEditor::LoadChangesClick() {
    std::string text;
    for (const std::string& line : lines()) {
        text += line;
        text += '\n';
    }
    core_.load_text(text); // tabs become blanks, as a loaded file's do
    if (restart) restart();
    close();
}

bool SketchEditor::save_to(const QString& chosen) {
    const QString name = QString::fromStdString(sketch_save_name(chosen.toStdString()));
    // A device or a pipe is never replaced by a file, not even through a link.
    if (const std::string problem = save_target_problem(name.toStdString()); !problem.empty()) {
        if (show_message) show_message(QStringLiteral("Cannot save %1: %2").arg(name, QString::fromStdString(problem)));
        return false;
    }
    if (name != chosen && QFileInfo::exists(name) && !(confirm_replace && confirm_replace(name))) return false;
    const std::string bytes = saved_bytes(lines(), title_.toStdString(), version_.toStdString());
    // Written beside the old file and put in its place only when complete: a failed save leaves
    // the old file as it was. Unbuffered, a write that stops short (a file-size limit, a full
    // disk) is seen at once, and the write after it gives the system's reason.
    QSaveFile file(name);
    bool written = file.open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    QString reason = written ? QString() : file.errorString();
    const auto size = static_cast<qint64>(bytes.size());
    for (qint64 done = 0; written && done < size;) {
        const qint64 n = file.write(bytes.data() + done, size - done);
        if (n <= 0) {
            written = false;
            reason = file.errorString();
        }
        done += std::max<qint64>(n, 0);
    }
    if (written && !file.commit()) {
        written = false;
        reason = file.errorString();
    }
    if (!written) {
        if (show_message) show_message(QStringLiteral("Cannot save %1: %2").arg(name, reason));
        return false;
    }
    core_.saved_as(name.toStdString());
    if (set_caption) set_caption(QString::fromStdString(core_.Caption));
    return true;
}

void SketchEditor::SaveFileAsClick() {
    const QString chosen = choose_file ? choose_file() : QString();
    if (!chosen.isEmpty()) save_to(chosen);
}

void SketchEditor::SaveUpdateClick() {
    // Without a name the user chooses one: never a file named only ".ino".
    QString target = QString::fromStdString(core_.FileName);
    if (target.isEmpty()) target = choose_file ? choose_file() : QString();
    if (target.isEmpty() || !save_to(target)) return;
    LoadChangesClick();
}

void SketchEditor::BareMinimumClick() {
    QStringList text;
    for (const std::string& line : bare_minimum()) text.append(QString::fromStdString(line));
    RichEdit1->setPlainText(text.join(QLatin1Char('\n')));
}

void SketchEditor::CFontChange() {
    const int h = CHeight->currentText().toInt();
    apply_editor_font(CFont->currentText(), h);
    if (set_code_font) set_code_font(CFont->currentText(), h);
}

void SketchEditor::CHeightChange() {
    bool number = false;
    const int h = CHeight->currentText().toInt(&number);
    if (!number || h == 0) return;
    apply_editor_font(CFont->currentText(), h);
    if (set_code_font) set_code_font(CFont->currentText(), h);
}

void SketchEditor::SkinSelectClick(QListWidgetItem* item) {
    if (item != nullptr && apply_style) apply_style(item->text());
}

} // namespace quorvex
