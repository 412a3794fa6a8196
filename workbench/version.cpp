#include "workbench/version.h"

#include "quorvex_version.h"

namespace quorvex {

QString version_text(int major, int minor, int third, bool present) {
    if (!present) return {};
    QString text = QString::asprintf("%d.%.2d", major, minor);
    if (third > 0) text += QChar(64 + third);
    return text;
}

const QString& Version1() {
    static const QString version =
        version_text(QUORVEX_VERSION_MAJOR, QUORVEX_VERSION_MINOR, QUORVEX_VERSION_THIRD, true) + "F";
    return version;
}

} // namespace quorvex
