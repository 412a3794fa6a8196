#include "workbench/main_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QScrollArea>
#include <QScrollBar>
#include <QSplitter>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTimer>
#include <QUrl>
#include <algorithm>
#include <utility>

#include "workbench/board_view.h"
#include "workbench/code_list.h"
#include "workbench/help.h"
#include "workbench/key_filter.h"
#include "workbench/other_windows.h"
#include "workbench/settings_store.h"
#include "workbench/shell_open.h"
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

} // namespace

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

    SettingsValues defaults = default_settings();
    defaults.set_text("Log Directory", core_.CurrentDir.string());
    stored_ = SettingsFile::read(defaults);
    if (stored_) ThemeStyle = QString::fromStdString(stored_->text("Skin"));
    ThemeStyle = styles_.apply(ThemeStyle);
    // The frame is placed before the first show: the window manager then puts the frame's corner
    // where it is asked to, before anything is drawn.
    if (stored_)
        restore_frame(*stored_);
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

bool MainWindow::load_sketch(const QString& path) { return loaded(core_.LoadFile(path.toStdString())); }

bool MainWindow::loaded(bool read) {
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
        loaded(core_.OpenFile(path.toStdString()));
        SettingsFile::write_file_name(QString::fromStdString(core_.FileName));
    }
    list_->setFocus();
}

// --- commands ---

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

// --- start-up and shut-down ---

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (form_shown_) return;
    form_shown_ = true;
    QTimer::singleShot(0, this, &MainWindow::FormShow);
}

void MainWindow::FormShow() {
    core_.board.Uno1Click();
    core_.board.LoadPins();
    core_.analog.FormInit();

    if (stored_) {
        restore(*stored_);
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
