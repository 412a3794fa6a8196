#include "workbench/main_window.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QScrollArea>
#include <QScrollBar>
#include <QStandardPaths>
#include <QStatusBar>
#include <QStringList>
#include <QTimer>

#include "workbench/board_view.h"

// The bundled example lives in a static library, whose resource object the linker would
// drop because nothing refers to it; registering it by name keeps it in the program.
static void init_workbench_resources() { Q_INIT_RESOURCE(resources); }

namespace quorvex {

namespace {

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

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent), host_(this), core_(host_, clock_) {
    init_workbench_resources();
    core_.files = std::make_unique<BundledFiles>();
    setWindowTitle("Quorvex");
    list_ = new QListWidget(this);
    list_->setObjectName("ListBox1");
    list_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    list_->setUniformItemSizes(true); // long sketches: every row has the same height
    // The board panel beside the code list.
    board_ = new BoardView(core_, this);
    auto* central = new QWidget(this);
    auto* row = new QHBoxLayout(central);
    row->addWidget(list_, 1);
    // Scrolls on screens lower than the board picture.
    auto* board_scroll = new QScrollArea(central);
    board_scroll->setWidget(board_);
    board_scroll->setFrameShape(QFrame::NoFrame);
    board_scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    board_scroll->setFixedWidth(board_->width() + board_scroll->verticalScrollBar()->sizeHint().width());
    row->addWidget(board_scroll, 0);
    setCentralWidget(central);
    connect(board_, &BoardView::clicked, this, [this] {
        refresh_code_list();
        show_status();
    });
    resize(1100, 860);

    // Timer1 lives in the core; this timer only delivers its ticks. A modal window keeps it
    // firing, and the core ignores a tick that arrives while a step is running.
    timer1_ = new QTimer(this);
    connect(timer1_, &QTimer::timeout, this, &MainWindow::timer1_tick);
    // The half-second tick: serial lights off, and the Time library's clock runs on.
    timer2_ = new QTimer(this);
    timer2_->setObjectName("Timer2");
    connect(timer2_, &QTimer::timeout, this, [this] {
        core_.simtime.Timer2Timer();
        board_->refresh();
    });
    timer2_->start(500);
    host_.on_update = [this](bool update1, int32_t line) {
        if (update1) select_line(line);
        show_status();
        board_->refresh();
    };

    QMenu* file = menuBar()->addMenu("File");
    QAction* open = file->addAction("Load Sketch (F4)");
    open->setObjectName("Open1");
    open->setShortcut(Qt::Key_F4);
    connect(open, &QAction::triggered, this, &MainWindow::Open1Click);

    for (QLabel*& label : status_) {
        label = new QLabel(this);
        statusBar()->addWidget(label);
    }
    statusBar()->addPermanentWidget(host_.delay_window());

    // The program's own folder may not be writable; logs go to the per-user data folder.
    const QString data = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
    QDir().mkpath(data);
    core_.CurrentDir = data.toStdString();
}

bool MainWindow::load_sketch(const QString& path) {
    const bool read = core_.LoadFile(path.toStdString());
    if (read) setWindowTitle("Quorvex - " + QString::fromStdString(core_.Caption));
    refresh_code_list();
    show_status();
    return read;
}

void MainWindow::Open1Click() {
    if (core_.AutoStep.Checked) run(); // stops Run
    const QString start = core_.Logdir1.empty() ? QDir::homePath() : QString::fromStdString(core_.Logdir1);
    const QString path = QFileDialog::getOpenFileName(
        this, "Load Sketch", start, "Arduino File (*.ino *.pde);;Arduino Sketch (*.pde);;All Files (*)");
    if (!path.isEmpty()) load_sketch(path);
    list_->setFocus();
}

void MainWindow::show_status() {
    for (size_t i = 0; i < status_.size(); ++i) status_[i]->setText(QString::fromStdString(core_.StatusBar1[i]));
}

void MainWindow::run() {
    core_.AutoStepClick();
    sync_timer();
}

void MainWindow::abort() {
    core_.AbortClick();
    sync_timer();
}

void MainWindow::timer1_tick() {
    if (host_.delay_pending()) return; // the delay's countdown holds Run
    core_.tick();
    sync_timer();
}

void MainWindow::sync_timer() {
    if (!core_.Timer1.Enabled) {
        timer1_->stop();
        return;
    }
    if (!timer1_->isActive() || timer1_->interval() != core_.Timer1.Interval) timer1_->start(core_.Timer1.Interval);
}

void MainWindow::select_line(int32_t line) {
    if (line >= 0 && line < list_->count()) {
        list_->setCurrentRow(line);
        list_->scrollToItem(list_->currentItem());
    } else {
        list_->setCurrentRow(-1);
    }
}

void MainWindow::refresh_code_list() {
    QStringList rows;
    rows.reserve(core_.ListBox1.Count());
    for (const std::string& line : core_.ListBox1.items()) rows.append(QString::fromStdString(line));
    list_->clear();
    list_->addItems(rows);
    select_line(core_.Line);
    board_->refresh();
}

} // namespace quorvex
