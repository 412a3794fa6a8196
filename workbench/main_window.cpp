#include "workbench/main_window.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QListWidget>
#include <QStandardPaths>

namespace quorvex {

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent), host_(this), core_(host_, clock_) {
    setWindowTitle("Quorvex");
    list_ = new QListWidget(this);
    list_->setObjectName("ListBox1");
    list_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    setCentralWidget(list_);
    resize(900, 640);

    // The program's own folder may not be writable; logs go to the per-user data folder.
    const QString data = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
    QDir().mkpath(data);
    core_.CurrentDir = data.toStdString();
}

bool MainWindow::load_sketch(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return false;
    const QByteArray bytes = file.readAll();
    core_.load_text(std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())));
    setWindowTitle("Quorvex - " + QFileInfo(path).fileName());
    core_.reset();
    refresh_code_list();
    return true;
}

void MainWindow::refresh_code_list() {
    list_->clear();
    for (const std::string& line : core_.ListBox1.items()) list_->addItem(QString::fromStdString(line));
    if (core_.ListBox1.has(core_.Line)) list_->setCurrentRow(core_.Line);
}

} // namespace quorvex
