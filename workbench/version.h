#pragma once
// The program's title and version text, as the settings key, the about window and saved
// sketches show them.

#include <QString>

namespace quorvex {

inline const QString sTitle = QStringLiteral("Quorvex");

// "%d.%.2d" of major and minor, then the letter 64 + third when third > 0 ("1.02C"); empty
// without version information.
QString version_text(int major, int minor, int third, bool present);

// The version text with "F" appended, as built at start-up.
const QString& Version1();

} // namespace quorvex
