#include "workbench/qt_host.h"

#include "workbench/error_dialog.h"

namespace quorvex {

void QtHost::show_error(const std::string& message, const std::string& line_text) {
    ErrorDialog dialog(parent_);
    dialog.set_error(QString::fromStdString(message), QString::fromStdString(line_text));
    open_ = &dialog;
    dialog.exec();
    open_ = nullptr;
}

} // namespace quorvex
