#include "workbench/shell_open.h"

#include <QDesktopServices>
#include <QUrl>

namespace quorvex {

void ShellOpen(const QUrl& url) { QDesktopServices::openUrl(url); }

} // namespace quorvex
