#include "workbench/styles.h"

#include <QApplication>
#include <QPainter>
#include <QProxyStyle>
#include <QStyle>
#include <QStyleFactory>
#include <QStyleOption>
#include <array>

namespace quorvex {

namespace {

struct Scheme {
    const char* name;
    QRgb window;
    QRgb base;
    QRgb text;
    QRgb button;
    QRgb highlight;
};

// clang-format off
constexpr std::array<Scheme, 14> schemes = {{
    {"Amakrits",            0x2b2621, 0x1e1b18, 0xe8dcc8, 0x3a322a, 0xd9822b},
    {"Amethyst Kamri",      0xe6dff0, 0xffffff, 0x2a1f3d, 0xd8cce8, 0x7b4fa8},
    {"Aqua Graphite",       0xd9dde2, 0xf4f6f8, 0x202428, 0xc8cdd3, 0x3d8fc4},
    {"Aqua Light Slate",    0xe3e9ee, 0xffffff, 0x1f2a33, 0xd2dce4, 0x2f9ad0},
    {"Carbon",              0x2d2d30, 0x1e1e1e, 0xe0e0e0, 0x3c3c40, 0x5a8fd8},
    {"Cobalt XEMedia",      0x1f2d44, 0x14203a, 0xdfe8f5, 0x2b3d5c, 0x4a90e2},
    {"Emerald Light Slate", 0xe1ebe5, 0xffffff, 0x1c2b22, 0xcfe0d5, 0x2e9e5b},
    {"Golden Graphite",     0x3a3832, 0x2a2925, 0xf0e6c8, 0x4a463c, 0xd4a72c},
    {"Iceberg Classico",    0xeef3f7, 0xffffff, 0x1a2a3a, 0xdce7f0, 0x5b9bd5},
    {"Lavender Classico",   0xece8f3, 0xffffff, 0x2b2540, 0xddd6ea, 0x8a72c2},
    {"Ruby Graphite",       0x35302f, 0x262221, 0xf0e0e0, 0x463e3d, 0xc0392b},
    {"Sapphire Kamri",      0xdde4f0, 0xffffff, 0x17223b, 0xcad5e8, 0x1f5fbf},
    {"Smokey Quartz Kamri", 0x4a4543, 0x3a3634, 0xece6e2, 0x5a5350, 0xb08d74},
    {"Slate Classico",      0xe4e6e8, 0xffffff, 0x23272b, 0xd3d7db, 0x5d6d7e},
}};
// clang-format on

const Scheme* find_scheme(const QString& name) {
    for (const Scheme& s : schemes)
        if (name == QLatin1String(s.name)) return &s;
    return nullptr;
}

QPalette scheme_palette(const Scheme& s) {
    const QColor window(s.window), base(s.base), text(s.text), button(s.button), highlight(s.highlight);
    QPalette p(button, window);
    p.setColor(QPalette::WindowText, text);
    p.setColor(QPalette::Base, base);
    p.setColor(QPalette::AlternateBase, window);
    p.setColor(QPalette::Text, text);
    p.setColor(QPalette::Button, button);
    p.setColor(QPalette::ButtonText, text);
    p.setColor(QPalette::Highlight, highlight);
    p.setColor(QPalette::HighlightedText, Qt::white);
    p.setColor(QPalette::ToolTipBase, base);
    p.setColor(QPalette::ToolTipText, text);
    p.setColor(QPalette::PlaceholderText, QColor(text.red(), text.green(), text.blue(), 128));
    const QColor muted = QColor::fromRgbF((text.redF() + window.redF()) / 2, (text.greenF() + window.greenF()) / 2,
                                          (text.blueF() + window.blueF()) / 2);
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        p.setColor(QPalette::Disabled, role, muted);
    return p;
}

// Fusion draws an unchecked box's frame a shade darker than the window, which vanishes on a
// dark base (the menus' check entries); the frame is drawn again between text and base.
class SchemeStyle : public QProxyStyle {
public:
    SchemeStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {}

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override {
        QProxyStyle::drawPrimitive(element, option, painter, widget);
        if (element != PE_IndicatorCheckBox) return;
        const QColor text = option->palette.color(QPalette::Text);
        const QColor base = option->palette.color(QPalette::Base);
        const QColor frame =
            QColor::fromRgbF(0.6f * text.redF() + 0.4f * base.redF(), 0.6f * text.greenF() + 0.4f * base.greenF(),
                             0.6f * text.blueF() + 0.4f * base.blueF());
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        painter->setPen(QPen(frame, 1));
        painter->setBrush(Qt::NoBrush);
        painter->drawRoundedRect(QRectF(option->rect).adjusted(0.5, 0.5, -1.5, -1.5), 1, 1);
        painter->restore();
    }
};

} // namespace

StyleRegistry::StyleRegistry()
    : startup_style_(QApplication::style()->name()), startup_palette_(QApplication::palette()) {}

const QStringList& StyleRegistry::names() {
    static const QStringList list = [] {
        QStringList l;
        for (const Scheme& s : schemes) l << QLatin1String(s.name);
        l << QStringLiteral("Windows");
        return l;
    }();
    return list;
}

QPalette StyleRegistry::palette(const QString& name) const {
    const Scheme* s = find_scheme(name);
    return s ? scheme_palette(*s) : startup_palette_;
}

QString StyleRegistry::apply(const QString& name) {
    const Scheme* s = find_scheme(name);
    current_ = s ? name : QStringLiteral("Windows");
    QStyle* style = s ? new SchemeStyle : QStyleFactory::create(startup_style_);
    if (style == nullptr) style = QStyleFactory::create(QStringLiteral("Fusion"));
    QApplication::setStyle(style);
    QApplication::setPalette(palette(current_));
    return current_;
}

} // namespace quorvex
