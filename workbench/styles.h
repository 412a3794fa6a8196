#pragma once
// The visual styles chosen by name for every window: "Windows" is the look the program
// started with; the others are the Fusion style with palettes of our own, their check boxes
// framed to stand out.

#include <QPalette>
#include <QString>
#include <QStringList>

namespace quorvex {

class StyleRegistry {
public:
    // Remembers the start-up style and palette, which "Windows" gives back.
    StyleRegistry();

    // The fifteen names in the editor's order, "Windows" last.
    static const QStringList& names();
    // Restyles the whole application. An unknown or empty name gives "Windows"; the name
    // applied is returned.
    QString apply(const QString& name);
    const QString& current() const { return current_; }
    // The palette a name gives, without applying it.
    QPalette palette(const QString& name) const;

private:
    QString startup_style_;
    QPalette startup_palette_;
    QString current_ = QStringLiteral("Windows");
};

} // namespace quorvex
