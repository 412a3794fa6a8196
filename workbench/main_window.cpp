#include "workbench/main_window.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSplitter>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <algorithm>
#include <charconv>
#include <utility>

#include "workbench/board_view.h"
#include "workbench/code_list.h"
#include "workbench/help.h"
#include "workbench/key_filter.h"
#include "workbench/other_windows.h"
#include "workbench/settings_store.h"
#include "workbench/tool_icons.h"
#include "workbench/version.h"
#include "workbench/window_frame.h"

// The bundled example lives in a static library, whose resource object the linker would
// drop because nothing refers to it; registering it by name keeps it in the program.
static void init_workbench_resources() { Q_INIT_RESOURCE(resources); }

namespace quorvex {

namespace {

const QString example_sketch = QStringLiteral(":/examples/blink_counter.ino");
const QUrl training_videos(QStringLiteral("https://quorvex.example.org/training-videos"));

// Sketches from the disk, and the bundled examples (":/...") from the program's resources.
class BundledFiles : public DiskFiles {
public:
    SketchBytes read_sketch(const std::string& path) override {
        if (!path.starts_with(':')) return DiskFiles::read_sketch(path);
        QFile file(QString::fromStdString(path));
        if (!file.open(QIODevice::ReadOnly)) return {};
        return {SketchBytes::Status::Read, file.readAll().toStdString()};
    }
};

bool read_number(const QString& text, int32_t& value) {
    const std::string s = text.trimmed().toStdString();
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
    return !s.empty() && ec == std::errc() && end == s.data() + s.size();
}

QLineEdit* digits_box(QWidget* parent, const char* name, const QString& text, const QString& hint, int width) {
    auto* box = new QLineEdit(text, parent);
    box->setObjectName(QLatin1String(name));
    box->setToolTip(hint);
    box->setFixedWidth(width);
    box->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), box));
    return box;
}

} // namespace

void ShellOpen(const QUrl& url) { QDesktopServices::openUrl(url); }

void print_main_window(QWidget* window, QPrinter& printer) {
    const QPixmap image = window->grab();
    QPainter painter(&printer);
    const QRect page = painter.viewport();
    const QSize fitted = image.size().scaled(page.size(), Qt::KeepAspectRatio);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawPixmap(QRect(page.topLeft(), fitted), image);
}

// --- FormCreate ---

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent), host_(this), core_(host_, clock_) {
    init_workbench_resources();
    core_.files = std::make_unique<BundledFiles>();
    setObjectName(QStringLiteral("Main"));
    setWindowTitle(sTitle);
    setProperty("helpContext", 1);
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(11);
    setFont(font);
    // The program's own folder may not be writable; logs and the sample go to the data folder.
    const QString data = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
    QDir().mkpath(data);
    core_.CurrentDir = data.toStdString();

    key_filter_ = new KeyFilter(
        [this](QKeyEvent* key, QObject* receiver) {
            ListBox1KeyDown(key->key(), key->modifiers(), key_filter_->from_grid(receiver));
        },
        this);
    installEventFilter(key_filter_);
    help_ = new Help(this);
    qApp->installEventFilter(help_);

    build_panes();
    build_menus();
    build_tool_bar();
    build_status_bar();
    resize(990, 641);

    // Timer1 lives in the core; this timer only delivers its ticks. A modal window keeps it
    // firing, and the core ignores a tick that arrives while a step is running.
    timer1_ = new QTimer(this);
    connect(timer1_, &QTimer::timeout, this, &MainWindow::timer1_tick);
    // The half-second tick: serial lights off, the Time library's clock; the code list also
    // catches up here with a load whose reset opened a modal window.
    timer2_ = new QTimer(this);
    timer2_->setObjectName(QStringLiteral("Timer2"));
    connect(timer2_, &QTimer::timeout, this, [this] {
        core_.simtime.Timer2Timer();
        if (list_->model()->sync()) select_line(core_.Line);
        board_->refresh();
    });
    timer2_->start(500);
    // The stepper's timer lives in the core too; its ticks go on between and during steps.
    stepper_ = new QTimer(this);
    stepper_->setObjectName(QStringLiteral("kStepper_Timer"));
    connect(stepper_, &QTimer::timeout, this, [this] {
        core_.motors.kStepper_TimerTimer();
        sync_timer();
        UpdateClick(false);
    });
    host_.on_update = [this](bool update1, int32_t) { UpdateClick(update1); };
    // The run has already stopped: its button and timer must not say otherwise while the modal
    // error window is open.
    host_.on_error_stop = [this] {
        sync_timer();
        sync_marks();
    };

    create_windows();

    const std::optional<SettingsValues> stored = SettingsFile::read(default_settings());
    if (stored) ThemeStyle = QString::fromStdString(stored->text("Skin"));
    ThemeStyle = styles_.apply(ThemeStyle);
    // The frame is placed before the first show: the window manager then puts the frame's corner
    // where it is asked to, before anything is drawn.
    if (stored)
        restore_frame(*stored);
    else
        first_start_frame();
}

MainWindow::~MainWindow() {
    host_.on_update = nullptr;
    host_.on_error_stop = nullptr;
}

void MainWindow::create_windows() {
    // In this order: About1, Simulation, Fm_Delay, EditSketch, FM_Subroutines, ChangeLine,
    // Error_Mess1, EEPROM_Form.
    create_other_windows(*this);
    enable_window_entries();
}

void MainWindow::enable_window_entries() {
    action("BSimulationClick")->setEnabled(Simulation != nullptr);
    action("SubRoutines1Click")->setEnabled(FM_Subroutines != nullptr);
    action("EEPROM1Click")->setEnabled(EEPROM_Form != nullptr);
    action("AboutClick")->setEnabled(About1 != nullptr);
    action("EditClick")->setEnabled(EditSketch != nullptr);
}

void MainWindow::build_panes() {
    list_ = new CodeListView(core_, this);
    set_code_font(font_name_, font_height_);
    list_->installEventFilter(key_filter_);
    list_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(list_, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& pos) { popup1_->popup(list_->viewport()->mapToGlobal(pos)); });
    connect(list_->selectionModel(), &QItemSelectionModel::currentChanged, this, [this] {
        if (!selecting_) ListBox1Click();
    });
    connect(list_->model(), &QAbstractItemModel::modelReset, this, [this] {
        // A new model resets the selection model's connections, not the view's: nothing to do
        // but keep the current line selected.
        select_line(core_.Line);
    });

    auto* placeholder = new QFrame(this);
    placeholder->setObjectName(QStringLiteral("StringGrid1"));
    placeholder->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    placeholder->setProperty("helpContext", 29);
    placeholder->setFocusPolicy(Qt::ClickFocus);
    placeholder->installEventFilter(key_filter_);
    grid_ = placeholder;
    key_filter_->set_grid(grid_);

    board_ = new BoardView(core_, this);
    board_panel_ = new QScrollArea(this);
    board_panel_->setObjectName(QStringLiteral("BoardPanel"));
    board_panel_->setWidget(board_);
    board_panel_->setFrameShape(QFrame::NoFrame);
    board_panel_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    board_panel_->setFixedWidth(board_->width() + board_panel_->verticalScrollBar()->sizeHint().width());
    board_panel_->setProperty("helpContext", 30);
    board_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(board_, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& pos) { popup3_->popup(board_->mapToGlobal(pos)); });
    connect(board_, &BoardView::clicked, this, [this] {
        sync_timer();
        UpdateClick(true);
    });
    board_->choose_picture = [this] {
        return QFileDialog::getOpenFileName(this, QStringLiteral("Board Picture"), start_folder(),
                                            QStringLiteral("Picture Files (*.jpg *.png *.bmp *.gif);;All Files (*)"));
    };
    connect(board_->legend(), &LegendPanel::undocked, this, [this] { action("Legend1Click")->setChecked(false); });
    connect(board_->legend(), &LegendPanel::focus_lost, this, [this] { action("Legend1Click")->setChecked(false); });

    splitter_ = new QSplitter(Qt::Horizontal, this);
    splitter_->setObjectName(QStringLiteral("Splitter2"));
    splitter_->setProperty("helpContext", 14);
    splitter_->setChildrenCollapsible(false);
    place_panes(false);
    splitter_->setSizes({300, 266, board_panel_->width()});
    setCentralWidget(splitter_);
}

void MainWindow::place_panes(bool swapped) {
    QList<QWidget*> order = {list_, grid_, board_panel_};
    if (swapped) std::reverse(order.begin(), order.end());
    // Each pane keeps its own width wherever it goes.
    QList<int> widths;
    for (QWidget* w : order) widths << (w->width() > 0 && splitter_->indexOf(w) >= 0 ? w->width() : 0);
    for (int i = 0; i < order.size(); ++i) splitter_->insertWidget(i, order[i]);
    for (int i = 0; i < order.size(); ++i) splitter_->setStretchFactor(i, order[i] == grid_ ? 1 : 0);
    if (!widths.contains(0)) splitter_->setSizes(widths);
}

void MainWindow::set_grid(QWidget* grid) {
    const QList<int> sizes = splitter_->sizes();
    const int index = splitter_->indexOf(grid_);
    QWidget* old = splitter_->replaceWidget(index, grid);
    if (old != nullptr) old->deleteLater();
    grid_ = grid;
    if (!grid->property("helpContext").isValid()) grid->setProperty("helpContext", 29);
    grid->installEventFilter(key_filter_);
    key_filter_->set_grid(grid);
    splitter_->setStretchFactor(index, 1);
    // Before the first show the sizes read back are not the ones set; those stay pending.
    if (splitter_->isVisible()) splitter_->setSizes(sizes);
}

QAction* MainWindow::add_entry(QMenu* menu, const QString& caption, const QString& handler, void (MainWindow::*slot)(),
                               bool checkable) {
    auto* a = new QAction(caption, this);
    a->setObjectName(handler);
    a->setCheckable(checkable);
    if (slot != nullptr) connect(a, &QAction::triggered, this, slot);
    menu->addAction(a);
    handlers_.insert(handler, a);
    return a;
}

QAction* MainWindow::action(const QString& handler) const { return handlers_.value(handler, nullptr); }

// A check-mark entry that the core reads: the user's click sets the core's mark.
#define MARK_ENTRY(menu, caption, handler, mark)                                                                       \
    connect(add_entry(menu, caption, handler, nullptr, true), &QAction::triggered, this,                               \
            [this](bool checked) { (mark).Checked = checked; })

void MainWindow::build_menus() {
    QMenu* file = menuBar()->addMenu(QStringLiteral("File"));
    file->setProperty("helpContext", 9);
    add_entry(file, QStringLiteral("Load Sketch (F4)"), QStringLiteral("Open1Click"), &MainWindow::Open1Click);
    file->addSeparator();
    add_entry(file, QStringLiteral("Print &Setup"), QStringLiteral("PrintSetup1Click"), &MainWindow::PrintSetup1Click);
    add_entry(file, QStringLiteral("&Print"), QStringLiteral("Print1Click"), &MainWindow::Print1Click);
    file->addSeparator()->setVisible(false);
    add_entry(file, QStringLiteral("Open Sketch in Arduino"), QStringLiteral("OpenSketchinArduino1Click"),
              &MainWindow::OpenSketchinArduino1Click);
    MARK_ENTRY(file, QStringLiteral("#include Code"), QStringLiteral("includeCode1Click"), core_.includeCode1);
    MARK_ENTRY(file, QStringLiteral("Log Errors"), QStringLiteral("LogErrors1Click"), core_.LogErrors1);
    file->addSeparator();
    connect(add_entry(file, QStringLiteral("Exit"), QStringLiteral("Exit1Click"), nullptr), &QAction::triggered, this,
            &QWidget::close);

    QMenu* run = menuBar()->addMenu(QStringLiteral("Run"));
    run->setProperty("helpContext", 10);
    add_entry(run, QStringLiteral("Reset (F2)"), QStringLiteral("RestartClick"), &MainWindow::RestartClick);
    add_entry(run, QStringLiteral("Back (F3)"), QStringLiteral("BBackClick"), &MainWindow::BBackClick);
    add_entry(run, QStringLiteral("Step Into (F7)"), QStringLiteral("Step1Click"), &MainWindow::Step1Click);
    add_entry(run, QStringLiteral("Step Over (F8)"), QStringLiteral("StepOverClick"), &MainWindow::StepOverClick);
    add_entry(run, QStringLiteral("Step Out Of (Sh F8)"), QStringLiteral("StepOutOfClick"),
              &MainWindow::StepOutOfClick);
    add_entry(run, QStringLiteral("Run (F9)"), QStringLiteral("AutoStepClick"), &MainWindow::AutoStepClick, true);
    QAction* edit =
        add_entry(run, QStringLiteral("Edit Sketch (F6)"), QStringLiteral("EditClick"), &MainWindow::EditClick);

    QMenu* view = menuBar()->addMenu(QStringLiteral("View"));
    view->setProperty("helpContext", 11);
    add_entry(view, QStringLiteral("Simulation data (F5)"), QStringLiteral("BSimulationClick"),
              &MainWindow::BSimulationClick);
    add_entry(view, QStringLiteral("SubRoutines"), QStringLiteral("SubRoutines1Click"), &MainWindow::SubRoutines1Click);
    add_entry(view, QStringLiteral("EEPROM"), QStringLiteral("EEPROM1Click"), &MainWindow::EEPROM1Click);

    QMenu* options = menuBar()->addMenu(QStringLiteral("Options"));
    options->setProperty("helpContext", 12);
    MARK_ENTRY(options, QStringLiteral("Simulate Delay"), QStringLiteral("SimulateDelay1Click"),
               core_.pinio.options.SimulateDelay);
    MARK_ENTRY(options, QStringLiteral("Simulate Tone"), QStringLiteral("SimulateTone1Click"),
               core_.pinio.options.SimulateTone1);
    core_.pinio.options.SimulateTone1.Checked = true; // on at start

    QMenu* hardware = menuBar()->addMenu(QStringLiteral("Hardware"));
    hardware_ = new QActionGroup(this);
    hardware_->setExclusive(true);
    hardware_->addAction(add_entry(hardware, QStringLiteral("Uno"), QStringLiteral("Uno1Click"), nullptr, true));
    hardware_->addAction(add_entry(hardware, QStringLiteral("Mega"), QStringLiteral("Mega1Click"), nullptr, true));
    hardware_->addAction(add_entry(hardware, QStringLiteral("Other"), QStringLiteral("Other1Click"), nullptr, true));
    connect(action("Uno1Click"), &QAction::triggered, this, &MainWindow::Uno1Click);
    connect(action("Mega1Click"), &QAction::triggered, this, &MainWindow::Mega1Click);
    connect(action("Other1Click"), &QAction::triggered, this, &MainWindow::Other1Click);

    QMenu* help = menuBar()->addMenu(QStringLiteral("Help"));
    help->setProperty("helpContext", 13);
    add_entry(help, QStringLiteral("About"), QStringLiteral("AboutClick"), &MainWindow::AboutClick);
    add_entry(help, QStringLiteral("Show Help"), QStringLiteral("ShowHelp1Click"), &MainWindow::ShowHelp1Click);
    add_entry(help, QStringLiteral("Training Videos"), QStringLiteral("TrainingVideos1Click"),
              &MainWindow::TrainingVideos1Click);

    popup1_ = new QMenu(this);
    popup1_->setObjectName(QStringLiteral("PopupMenu1"));
    popup1_->setProperty("helpContext", 28);
    add_entry(popup1_, QStringLiteral("BreakPoint"), QStringLiteral("BreakPoint1Click"), &MainWindow::BreakPoint1Click);
    add_entry(popup1_, QStringLiteral("Clear BreakPoint"), QStringLiteral("ClearBreakPointClick"),
              &MainWindow::ClearBreakPointClick);
    popup1_->addSeparator();
    connect(add_entry(popup1_, QStringLiteral("View Line Numbers"), QStringLiteral("LineNumbers1Click"), nullptr, true),
            &QAction::triggered, this, [this](bool checked) {
                core_.LineNumbers1.Checked = checked;
                list_->viewport()->update();
            });
    MARK_ENTRY(popup1_, QStringLiteral("Ask On Line Change"), QStringLiteral("AskonLineChangeClick"),
               core_.AskOnLineChange);
    popup1_->addSeparator();
    popup1_->addAction(edit);
    connect(add_entry(popup1_, QStringLiteral("Syntax Colouring (+Reset)"), QStringLiteral("SyntaxColouring1Click"),
                      nullptr, true),
            &QAction::triggered, this, [this](bool checked) {
                core_.SyntaxColouring1.Checked = checked;
                RestartClick();
            });
    add_entry(popup1_, QStringLiteral("Match Bracket"), QStringLiteral("Matchbrace1Click"),
              &MainWindow::Matchbrace1Click, true);

    // The variables grid's entries: the grid connects and enables them.
    popup2_ = new QMenu(this);
    popup2_->setObjectName(QStringLiteral("PopupMenu2"));
    popup2_->setProperty("helpContext", 29);
    add_entry(popup2_, QStringLiteral("Watch"), QStringLiteral("WatchClick"), nullptr, true);
    popup2_->addSeparator();
    auto* format = new QActionGroup(this);
    format->addAction(add_entry(popup2_, QStringLiteral("Decimal"), QStringLiteral("DecimalClick"), nullptr, true));
    format->addAction(add_entry(popup2_, QStringLiteral("Hex"), QStringLiteral("HexClick"), nullptr, true));
    format->addAction(add_entry(popup2_, QStringLiteral("Char"), QStringLiteral("Char1Click"), nullptr, true));
    action("DecimalClick")->setChecked(true);
    for (QAction* a : popup2_->actions()) a->setEnabled(false);

    popup3_ = new QMenu(this);
    popup3_->setObjectName(QStringLiteral("PopupMenu3"));
    popup3_->setProperty("helpContext", 30);
    connect(add_entry(popup3_, QStringLiteral("Arduino on Left"), QStringLiteral("SwapClick"), nullptr, true),
            &QAction::triggered, this, [this](bool checked) { place_panes(checked); });
    connect(add_entry(popup3_, QStringLiteral("Legend"), QStringLiteral("Legend1Click"), nullptr, true),
            &QAction::triggered, this, [this](bool checked) {
                if (checked)
                    board_->legend()->dock_in();
                else
                    board_->legend()->hide();
            });
    popup3_->addSeparator();
    connect(add_entry(popup3_, QStringLiteral("Show Volts"), QStringLiteral("ShowVoltsClick"), nullptr, true),
            &QAction::triggered, this, [this](bool checked) {
                core_.pinio.options.ShowVolts.Checked = checked;
                core_.analog.FormInit();
                UpdateClick(true);
            });
    connect(add_entry(popup3_, QStringLiteral("Minimize"), QStringLiteral("MinimizeClick"), nullptr, true),
            &QAction::triggered, this, [this](bool checked) {
                tool_bar_->setVisible(!checked);
                menuBar()->setVisible(!checked);
                statusBar()->setVisible(!checked);
            });
}

#undef MARK_ENTRY

void MainWindow::build_tool_bar() {
    tool_bar_ = addToolBar(QStringLiteral("ToolBar1"));
    tool_bar_->setObjectName(QStringLiteral("ToolBar1"));
    tool_bar_->setMovable(false);
    tool_bar_->setProperty("helpContext", 18);
    const auto tool = [this](const char* name, const QString& hint, int image, void (MainWindow::*slot)()) {
        QAction* a = tool_bar_->addAction(tool_icon(image), hint);
        a->setObjectName(QLatin1String(name));
        a->setToolTip(hint);
        connect(a, &QAction::triggered, this, slot);
        return a;
    };
    const auto button = [this](const char* name, const QString& caption, const QString& hint) {
        auto* b = new QPushButton(caption, tool_bar_);
        b->setObjectName(QLatin1String(name));
        b->setToolTip(hint);
        b->setFocusPolicy(Qt::TabFocus);
        b->installEventFilter(key_filter_);
        tool_bar_->addWidget(b);
        return b;
    };
    const auto label = [this](const QString& text) { tool_bar_->addWidget(new QLabel(text, tool_bar_)); };

    connect(button("FOpen", QStringLiteral("Load Sketch"), QStringLiteral("Open a New Sketch F4")),
            &QPushButton::clicked, this, &MainWindow::Open1Click);
    tool_bar_->addSeparator();
    tool("Reset1", QStringLiteral("Reset F2"), 0, &MainWindow::RestartClick);
    tool_bar_->addSeparator();
    tool("GoBack", QStringLiteral("Back F3"), 2, &MainWindow::BBackClick);
    tool("Step1", QStringLiteral("Step Over F8"), 4, &MainWindow::StepOverClick);
    tool_bar_->addSeparator();
    tool("StepOutOf", QStringLiteral("Step out of Sh F8"), 10, &MainWindow::StepOutOfClick);
    tool("StepOver", QStringLiteral("Step into F7"), 8, &MainWindow::Step1Click);
    tool_bar_->addSeparator();
    QPushButton* simulation =
        button("BSimulation", QStringLiteral("Simulation"), QStringLiteral("Open Simulation Window F5"));
    connect(simulation, &QPushButton::clicked, this, &MainWindow::BSimulationClick);
    tool_bar_->addSeparator();
    QAction* run = tool("RunButton", QStringLiteral("Run F9"), 12, &MainWindow::AutoStepClick);
    run_button_ = qobject_cast<QToolButton*>(tool_bar_->widgetForAction(run));
    run_button_->setObjectName(QStringLiteral("RunButton"));
    tool_bar_->addSeparator();

    auto_step_time_ = digits_box(tool_bar_, "AutoStep_Time", QStringLiteral("250"),
                                 QStringLiteral("Delay between Run Steps (in ms)"), 50);
    tool_bar_->addWidget(auto_step_time_);
    label(QStringLiteral("ms"));
    connect(auto_step_time_, &QLineEdit::textEdited, this, [this](const QString& text) {
        core_.AutoStep_Time = text.toStdString();
        int32_t n = 0;
        if (read_number(text, n)) last_interval_ = n;
    });
    QAction* abort = tool("Abort", QStringLiteral("Abort"), 14, &MainWindow::AbortClick);
    tool_bar_->widgetForAction(abort)->setProperty("helpContext", 1);
    tool_bar_->addSeparator();

    label(QStringLiteral("Millis"));
    edit_millis_ = new QLineEdit(tool_bar_);
    edit_millis_->setObjectName(QStringLiteral("EditMillis"));
    edit_millis_->setToolTip(QStringLiteral("Millis( ) value (milliseconds since reset)"));
    edit_millis_->setFixedWidth(90);
    edit_millis_->setProperty("helpContext", 1);
    tool_bar_->addWidget(edit_millis_);
    // Only what the user types; a text the clock cannot take ("12.") is left for the next key.
    connect(edit_millis_, &QLineEdit::textEdited, this,
            [this](const QString& text) { core_.simtime.set_millis_text(text.trimmed().toStdString()); });
    tool_bar_->addSeparator();

    label(QStringLiteral("Pulse In <<"));
    epulse_in_ = digits_box(tool_bar_, "EPulseIn", QStringLiteral("1000"),
                            QStringLiteral("PulseIn Value (or FreqCounter::freq) in decimal"), 60);
    epulse_in_->setProperty("helpContext", 1);
    tool_bar_->addWidget(epulse_in_);
    connect(epulse_in_, &QLineEdit::textEdited, this,
            [this](const QString& text) { core_.pinio.inputs.EPulseIn = text.toStdString(); });
    auto* update = new QPushButton(QStringLiteral("Update"), tool_bar_);
    update->setObjectName(QStringLiteral("Update"));
    update->setToolTip(QStringLiteral("Variables Area"));
    update->setProperty("helpContext", 17);
    connect(update, &QPushButton::clicked, this, [this] { core_.UpdateClick(); });
    tool_bar_->addWidget(update)->setVisible(false);
    tool_bar_->addSeparator();

    label(QStringLiteral("shiftIn <<"));
    eshift_in_ =
        digits_box(tool_bar_, "EShiftIn", QStringLiteral("100"), QStringLiteral("ShiftIn Value (in decimal)"), 50);
    eshift_in_->setProperty("helpContext", 1);
    tool_bar_->addWidget(eshift_in_);
    connect(eshift_in_, &QLineEdit::textEdited, this,
            [this](const QString& text) { core_.pinio.inputs.EShiftIn = text.toStdString(); });
    tool_bar_->addSeparator();
    step_button_ = button("Step", QStringLiteral("Step Into (F7)"), QString());
    step_button_->setProperty("helpContext", 30);
    connect(step_button_, &QPushButton::clicked, this, &MainWindow::Step1Click);

    for (QLineEdit* box : {auto_step_time_, edit_millis_, epulse_in_, eshift_in_}) box->installEventFilter(key_filter_);
}

void MainWindow::build_status_bar() {
    const int widths[] = {60, 60, 600, 80, 50};
    for (size_t i = 0; i < status_.size(); ++i) {
        status_[i] = new QLabel(this);
        status_[i]->setObjectName(QStringLiteral("StatusBar1_%1").arg(i));
        status_[i]->setTextFormat(Qt::PlainText);
        status_[i]->setFixedWidth(widths[i]);
        statusBar()->addWidget(status_[i]);
    }
}

// --- loading ---

bool MainWindow::load_sketch(const QString& path) {
    const bool read = core_.LoadFile(path.toStdString());
    if (read) setWindowTitle(sTitle + " - " + QString::fromStdString(core_.Caption));
    sync_timer();
    UpdateClick(true);
    return read;
}

QString MainWindow::start_folder() const {
    const QString folder = QString::fromStdString(core_.Logdir1);
    if (!folder.isEmpty() && !folder.startsWith(':') && QFileInfo(folder).isDir()) return folder;
    return QString::fromStdString(core_.CurrentDir.string());
}

void MainWindow::Open1Click() {
    if (core_.AutoStep.Checked) AutoStepClick(); // stops Run
    const QString folder = start_folder();
    const QString path =
        choose_sketch
            ? choose_sketch(folder)
            : QFileDialog::getOpenFileName(this, QStringLiteral("Load Sketch"), folder,
                                           QStringLiteral("Arduino File (*.ino *.pde);;Arduino Sketch (*.pde);;All "
                                                          "Files (*)"));
    if (!path.isEmpty()) {
        core_.ListBox1.clear();
        core_.Line = 0;
        load_sketch(path);
        SettingsFile::write_file_name(QString::fromStdString(core_.FileName));
    }
    list_->setFocus();
}

// --- keys and commands ---

void MainWindow::ListBox1KeyDown(int key, Qt::KeyboardModifiers modifiers, bool from_grid) {
    switch (key_command(key, modifiers, from_grid)) {
    case KeyCommand::None:
        break;
    case KeyCommand::StepOver:
        StepOverClick();
        break;
    case KeyCommand::Restart:
        RestartClick();
        break;
    case KeyCommand::Back:
        BBackClick();
        break;
    case KeyCommand::Open:
        Open1Click();
        break;
    case KeyCommand::Simulation:
        action("BSimulationClick")->trigger();
        break;
    case KeyCommand::Edit:
        action("EditClick")->trigger();
        break;
    case KeyCommand::CommitAndStep:
        if (StringGrid1Exit) StringGrid1Exit();
        Step1Click();
        break;
    case KeyCommand::Step:
        Step1Click();
        break;
    case KeyCommand::StepOut:
        StepOutOfClick();
        break;
    case KeyCommand::Run:
        AutoStepClick();
        break;
    }
}

void MainWindow::RestartClick() {
    core_.RestartClick();
    sync_timer();
    UpdateClick(true);
}

void MainWindow::BBackClick() {
    core_.BBackClick();
    sync_timer();
}

void MainWindow::Step1Click() {
    core_.Step1Click();
    sync_timer();
}

void MainWindow::StepOverClick() {
    core_.StepOverClick();
    sync_timer();
}

void MainWindow::StepOutOfClick() {
    core_.StepOutOfClick();
    sync_timer();
}

void MainWindow::AutoStepClick() {
    core_.AutoStepClick();
    sync_timer();
    sync_marks();
}

void MainWindow::AbortClick() {
    core_.AbortClick();
    sync_timer();
    sync_marks();
}

void MainWindow::Image3Click() {
    core_.Image3Click();
    sync_timer();
}

void MainWindow::timer1_tick() {
    if (host_.delay_pending()) return; // the delay's countdown holds Run
    core_.tick();
    sync_timer();
    if (!core_.AutoStep.Checked) sync_marks();
}

void MainWindow::sync_timer() {
    for (const auto& [qt, timer] :
         {std::pair{timer1_, &core_.Timer1}, std::pair{stepper_, &core_.motors.kStepper_Timer}}) {
        if (!timer->Enabled)
            qt->stop();
        else if (!qt->isActive() || qt->interval() != timer->Interval)
            qt->start(timer->Interval);
    }
}

void MainWindow::BSimulationClick() {
    if (Simulation == nullptr) return;
    Simulation->setVisible(!Simulation->isVisible());
}

void MainWindow::SubRoutines1Click() {
    if (FM_Subroutines == nullptr) return;
    if (FM_Subroutines->isVisible())
        FM_Subroutines->close();
    else
        FM_Subroutines->show();
}

void MainWindow::EEPROM1Click() {
    if (EEPROM_Form != nullptr) EEPROM_Form->show();
}

void MainWindow::AboutClick() {
    if (auto* dialog = qobject_cast<QDialog*>(About1.data())) dialog->exec();
}

void MainWindow::EditClick() {
    // The editor must never see the numbers.
    if (core_.LineNumbers1.Checked) action("LineNumbers1Click")->trigger();
    if (EditSketch == nullptr) return;
    EditSketch->show();
    EditSketch->raise();
}

void MainWindow::Uno1Click() {
    core_.board.Uno1Click();
    UpdateClick(true);
}

void MainWindow::Mega1Click() {
    core_.board.Mega1Click();
    UpdateClick(true);
}

void MainWindow::Other1Click() {
    board_->Other1Click();
    UpdateClick(true);
}

void MainWindow::SwapClick() { action("SwapClick")->trigger(); }
void MainWindow::Legend1Click() { action("Legend1Click")->trigger(); }
void MainWindow::MinimizeClick() { action("MinimizeClick")->trigger(); }
void MainWindow::ShowVoltsClick() { action("ShowVoltsClick")->trigger(); }
void MainWindow::SyntaxColouring1Click() { action("SyntaxColouring1Click")->trigger(); }
void MainWindow::LineNumbers1Click() { action("LineNumbers1Click")->trigger(); }

void MainWindow::Matchbrace1Click() {
    core_.Matchbrace1Click();
    sync_marks();
    list_->viewport()->update();
}

void MainWindow::BreakPoint1Click() {
    core_.BreakPoint1Click();
    list_->viewport()->update();
}

void MainWindow::ClearBreakPointClick() {
    core_.ClearBreakPointClick();
    list_->viewport()->update();
}

void MainWindow::OpenSketchinArduino1Click() {
    const QString file = QString::fromStdString(core_.FileName);
    // Only a sketch on disk: a bundled example has no program to open it.
    if (file.isEmpty() || file.startsWith(':') || !QFileInfo(file).isFile()) return;
    ShellOpen(QUrl::fromLocalFile(file));
}

void MainWindow::TrainingVideos1Click() { ShellOpen(training_videos); }

void MainWindow::ShowHelp1Click() { help_->show_context(1); }

void MainWindow::PrintSetup1Click() {
    QPageSetupDialog dialog(&printer_, this);
    dialog.exec();
}

void MainWindow::Print1Click() {
    printer_.setPageOrientation(QPageLayout::Landscape);
    QPrintDialog dialog(&printer_, this);
    if (dialog.exec() == QDialog::Accepted) print_main_window(this, printer_);
}

// --- code list ---

void MainWindow::ListBox1Click() {
    const int selected = list_->currentIndex().row();
    if (selected < 0) return;
    if (core_.Matchbrace1.Checked) Matchbrace1Click(); // clears the highlight
    if (!core_.AskOnLineChange.Checked) {
        core_.Line = selected;
        // The status bar names the line the next step runs, not the one before the click.
        core_.show_line_status();
        write_status();
        list_->viewport()->update();
        return;
    }
    const int32_t old_line = core_.Line;
    core_.Line = selected;
    list_->viewport()->repaint(); // the chosen line shows as current while the dialog asks
    if (ChangeLine->exec() != 1) select_line(old_line);
    core_.Line = list_->currentIndex().row();
    core_.UpdateClick();
    // A click asks from inside the list's mouse press, which selects the row under the pointer
    // once this returns: the old row after Cancel, a neighbour when the refresh has scrolled.
    // The selection goes back to the current line after that.
    QTimer::singleShot(0, this, [this] { select_line(core_.Line); });
}

void MainWindow::select_line(int32_t line) {
    selecting_ = true;
    if (core_.ListBox1.has(line) && line < list_->model()->rowCount())
        list_->selectionModel()->setCurrentIndex(list_->model()->index(line, 0), QItemSelectionModel::ClearAndSelect);
    else
        list_->selectionModel()->clear();
    selecting_ = false;
}

void MainWindow::centre_line() {
    const int selected = list_->currentIndex().row();
    if (selected > 2) list_->set_first_visible(selected - list_->visible_rows() / 2);
}

void MainWindow::set_code_font(const QString& name, int h) {
    if (h == 0 || h < -400 || h > 400) return;
    list_->set_code_font(name, h);
    font_name_ = name;
    font_height_ = h;
}

// --- refresh ---

void MainWindow::UpdateClick(bool update1) {
    list_->model()->sync();
    // Back and a moved line refresh without a step: the line panels follow the line itself.
    if (update1) core_.show_line_status();
    write_status();
    board_->refresh();
    if (update1) {
        select_line(core_.Line);
        edit_millis_->setText(QString::fromStdString(core_.simtime.millis_text()));
        centre_line();
        sync_marks();
    }
    list_->viewport()->update();
    for (const auto& hook : refresh_hooks_) hook(update1);
}

void MainWindow::write_status() {
    for (size_t i = 0; i < status_.size(); ++i) {
        const std::string& text = core_.StatusBar1[i];
        // Most steps change one or two panels; the others are left alone.
        if (status_[i]->text().size() != static_cast<qsizetype>(text.size()) ||
            status_[i]->text() != QLatin1String(text.data(), static_cast<qsizetype>(text.size())))
            status_[i]->setText(QString::fromStdString(text));
    }
}

void MainWindow::sync_marks() {
    const auto mark = [this](const char* handler, bool on) {
        if (QAction* a = action(QLatin1String(handler))) a->setChecked(on);
    };
    mark("AutoStepClick", core_.AutoStep.Checked);
    mark("includeCode1Click", core_.includeCode1.Checked);
    mark("LogErrors1Click", core_.LogErrors1.Checked);
    mark("SimulateDelay1Click", core_.pinio.options.SimulateDelay.Checked);
    mark("SimulateTone1Click", core_.pinio.options.SimulateTone1.Checked);
    mark("LineNumbers1Click", core_.LineNumbers1.Checked);
    mark("AskonLineChangeClick", core_.AskOnLineChange.Checked);
    mark("SyntaxColouring1Click", core_.SyntaxColouring1.Checked);
    mark("Matchbrace1Click", core_.Matchbrace1.Checked);
    mark("ShowVoltsClick", core_.pinio.options.ShowVolts.Checked);
    mark("Uno1Click", core_.board.kind == BoardKind::Uno);
    mark("Mega1Click", core_.board.kind == BoardKind::Mega);
    mark("Other1Click", core_.board.kind == BoardKind::Other);
    const QString hint = QString::fromStdString(core_.RunButton.Hint);
    if (run_button_->toolTip() != hint) {
        run_button_->setIcon(tool_icon(core_.RunButton.ImageIndex));
        run_button_->setToolTip(hint);
    }
}

// --- start-up and shut-down ---

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (form_shown_) return;
    form_shown_ = true;
    QTimer::singleShot(0, this, &MainWindow::FormShow);
}

void MainWindow::first_start_frame() {
    // The designed height, frame included, and room for each pane at its designed width: the code
    // list's 300, the grid's 266 and the whole board panel.
    const int inner_width = 300 + 266 + board_panel_->width() + 2 * splitter_->handleWidth();
    place_by_frame(*this, [inner_width](const QMargins& m) {
        return fit_to_screen(QRect(0, 0, inner_width + m.left() + m.right(), 630));
    });
}

void MainWindow::restore_frame(const SettingsValues& v) {
    // The frame's corner and the inner size, as gather_settings() stores them.
    const QPoint corner(v.integer("Left"), v.integer("Top"));
    const QSize inner(v.integer("Width"), v.integer("Height"));
    place_by_frame(*this,
                   [corner, inner](const QMargins& m) { return fit_to_screen(QRect(corner, inner.grownBy(m))); });
}

void MainWindow::FormShow() {
    core_.board.Uno1Click();
    core_.board.LoadPins();
    core_.analog.FormInit();

    SettingsValues defaults = default_settings();
    defaults.set_text("Log Directory", core_.CurrentDir.string());
    if (const std::optional<SettingsValues> stored = SettingsFile::read(defaults)) {
        restore(*stored);
    } else {
        core_.Logdir1 = core_.CurrentDir.string();
        core_.board.Uno1Click();
    }
    // The first start, or a stored name that cannot be read: the bundled example, copied where
    // the user can change it.
    if (core_.FileName.empty()) {
        const QString sample = QString::fromStdString((core_.CurrentDir / "blink_counter.ino").string());
        if (!QFileInfo::exists(sample) && QFile::copy(example_sketch, sample))
            QFile::setPermissions(sample, QFile::ReadOwner | QFile::WriteOwner);
        if (QFileInfo::exists(sample)) core_.FileName = sample.toStdString();
    }
    core_.BreakLine = -1;
    core_.BreakLine1 = -1;
    core_.StatusBar1[4] = "F1=HELP";
    UpdateClick(true);
    const QString sketch = startup_sketch.isEmpty() ? QString::fromStdString(core_.FileName) : startup_sketch;
    if (!sketch.isEmpty()) load_sketch(sketch);
    started_ = true;
}

void MainWindow::restore(const SettingsValues& v) {
    // The frame itself was placed at creation (restore_frame). The panes are no wider than the
    // screen.
    const int room = screen() != nullptr ? screen()->availableGeometry().width() : 65535;
    QList<int> sizes = splitter_->sizes();
    sizes[splitter_->indexOf(list_)] = std::clamp(v.integer("Splitter"), 1, room);
    sizes[splitter_->indexOf(grid_)] = std::clamp(v.integer("Variables"), 1, room);
    splitter_->setSizes(sizes);
    for (int k = 0; k < 4; ++k) simulation_bounds_[static_cast<size_t>(k)] = v.integer(simulation_names[k]);
    if (Simulation != nullptr) {
        // Its frame's corner and inner size, on a screen the user can reach.
        const QPoint corner(simulation_bounds_[0], simulation_bounds_[1]);
        const QSize inner(simulation_bounds_[2], simulation_bounds_[3]);
        place_by_frame(*Simulation,
                       [corner, inner](const QMargins& m) { return fit_to_screen(QRect(corner, inner.grownBy(m))); });
    }
    const QString log_folder = QString::fromStdString(v.text("Log Directory"));
    core_.Logdir1 = QFileInfo(log_folder).isDir() ? log_folder.toStdString() : core_.CurrentDir.string();
    core_.FileName = v.text("File Name");
    for (int k = 0; k < AnalogInputs::count; ++k)
        core_.analog.set_position(k, AnalogInputs::max_level - v.integer("Analog" + std::to_string(k)));

    core_.pinio.options.SimulateDelay.Checked = v.on("Simulate Delay");
    core_.pinio.options.SimulateTone1.Checked = v.on("Simulate Tone");
    const QString interval = QString::number(v.integer("Auto Step ms"));
    auto_step_time_->setText(interval);
    core_.AutoStep_Time = interval.toStdString();
    last_interval_ = v.integer("Auto Step ms");
    core_.includeCode1.Checked = v.on("#Include Code");
    core_.pinio.options.ShowVolts.Checked = v.on("Show Volts");
    core_.SyntaxColouring1.Checked = v.on("Syntax Colouring");
    // The first board checked; none checked is the Uno.
    if (v.on("Uno") || (!v.on("Mega") && !v.on("Other")))
        Uno1Click();
    else if (v.on("Mega"))
        Mega1Click();
    else
        Other1Click();
    set_code_font(QString::fromStdString(v.text("Font Type")), v.integer("Font Size"));

    // Each of these is set to the opposite, and its command toggles it back with its effect.
    for (const char* handler : {"SwapClick", "Legend1Click", "AskonLineChangeClick", "LineNumbers1Click",
                                "LogErrors1Click", "MinimizeClick"}) {
        QAction* a = action(QLatin1String(handler));
        const char* name = handler == std::string_view("SwapClick")              ? "Swap"
                           : handler == std::string_view("Legend1Click")         ? "Legend"
                           : handler == std::string_view("AskonLineChangeClick") ? "Ask on Line Change"
                           : handler == std::string_view("LineNumbers1Click")    ? "Line Numbers"
                           : handler == std::string_view("LogErrors1Click")      ? "Log Errors"
                                                                                 : "Minimize";
        a->setChecked(!v.on(name));
        a->trigger();
    }
}

SettingsValues MainWindow::gather_settings() const {
    SettingsValues v;
    // The frame's corner and the inner size: the pair restore_frame() places exactly, with or
    // without a frame known. A maximised or minimised window keeps the bounds it comes back to.
    const QRect normal = (isMaximized() || isMinimized()) ? normalGeometry() : geometry();
    const QPoint corner = normal.topLeft() - (geometry().topLeft() - frame_geometry(*this).topLeft());
    v.set_integer("Left", corner.x());
    v.set_integer("Top", corner.y());
    v.set_integer("Width", normal.width());
    v.set_integer("Height", normal.height());
    v.set_integer("Splitter", list_->width());
    v.set_integer("Variables", grid_->width());
    std::array<int, 4> bounds = simulation_bounds_;
    if (Simulation != nullptr) {
        // Its frame's corner and its inner size, as the restore's move and resize take them
        // back: the stored size cannot grow by the frame at each restart.
        const QPoint corner = Simulation->isVisible() ? frame_geometry(*Simulation).topLeft() : Simulation->pos();
        bounds = {corner.x(), corner.y(), Simulation->width(), Simulation->height()};
    }
    for (int k = 0; k < 4; ++k) v.set_integer(simulation_names[k], bounds[static_cast<size_t>(k)]);
    for (int k = 0; k < AnalogInputs::count; ++k)
        v.set_integer("Analog" + std::to_string(k), core_.board.analog_val[static_cast<size_t>(k)]);
    v.set_text("Log Directory", core_.Logdir1);
    v.set_text("File Name", core_.FileName);
    const auto checked = [this](const char* handler) { return action(QLatin1String(handler))->isChecked(); };
    v.set_switch("Swap", checked("SwapClick"));
    v.set_switch("Simulate Delay", core_.pinio.options.SimulateDelay.Checked);
    v.set_switch("Simulate Tone", core_.pinio.options.SimulateTone1.Checked);
    int32_t interval = 0;
    v.set_integer("Auto Step ms", read_number(auto_step_time_->text(), interval) ? interval : last_interval_);
    v.set_switch("Ask on Line Change", core_.AskOnLineChange.Checked);
    v.set_switch("Line Numbers", core_.LineNumbers1.Checked);
    v.set_switch("#Include Code", core_.includeCode1.Checked);
    v.set_switch("Show Volts", core_.pinio.options.ShowVolts.Checked);
    v.set_switch("Log Errors", core_.LogErrors1.Checked);
    v.set_switch("Legend", checked("Legend1Click"));
    v.set_switch("Syntax Colouring", core_.SyntaxColouring1.Checked);
    v.set_text("Font Type", font_name_.toStdString());
    v.set_integer("Font Size", font_height_);
    v.set_switch("Uno", core_.board.kind == BoardKind::Uno);
    v.set_switch("Mega", core_.board.kind == BoardKind::Mega);
    v.set_switch("Other", core_.board.kind == BoardKind::Other);
    v.set_text("Skin", ThemeStyle.toStdString());
    v.set_switch("Minimize", checked("MinimizeClick"));
    return v;
}

void MainWindow::FormDestroy() {
    if (destroyed_) return;
    destroyed_ = true;
    SettingsFile::write(gather_settings());
}

void MainWindow::closeEvent(QCloseEvent* event) {
    FormDestroy();
    event->accept();
    QCoreApplication::quit();
}

} // namespace quorvex
