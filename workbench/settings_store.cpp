#include "workbench/settings_store.h"

#include <QSettings>
#include <algorithm>
#include <charconv>

#include "workbench/version.h"

namespace quorvex {

namespace {

bool read_int32(std::string_view text, int32_t& value) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    if (text == "true") text = "1";
    if (text == "false") text = "0";
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return !text.empty() && ec == std::errc() && end == text.data() + text.size();
}

bool is_size(std::string_view name) {
    return name == "Width" || name == "Height" || name == "Splitter" || name == "Variables" || name == "AWidth" ||
           name == "AHeight";
}

bool is_position(std::string_view name) { return name == "Left" || name == "Top" || name == "ALeft" || name == "ATop"; }

// Whether a stored number is one the window can use; otherwise the default stands.
bool usable(std::string_view name, int32_t value) {
    if (is_size(name)) return value > 0;
    if (name == "Font Size") return value != 0 && value >= -400 && value <= 400;
    if (name == "Auto Step ms") return value >= 1;
    return true;
}

} // namespace

const std::vector<SettingRow>& settings_table() {
    using K = SettingKind;
    using M = SettingMode;
    static const std::vector<SettingRow> table = [] {
        std::vector<SettingRow> t = {
            {"Left", K::Integer, "0", M::Plain},       {"Top", K::Integer, "0", M::Plain},
            {"Width", K::Integer, "990", M::Plain},    {"Height", K::Integer, "630", M::Plain},
            {"Splitter", K::Integer, "300", M::Plain}, {"Variables", K::Integer, "266", M::Plain},
            {"ALeft", K::Integer, "0", M::Plain},      {"ATop", K::Integer, "0", M::Plain},
            {"AWidth", K::Integer, "458", M::Plain},   {"AHeight", K::Integer, "341", M::Plain},
        };
        for (int k = 0; k < 16; ++k) t.push_back({"Analog" + std::to_string(k), K::Integer, "1023", M::Plain});
        const std::vector<SettingRow> rest = {
            {"Log Directory", K::Text, "", M::Plain},
            {"File Name", K::Text, "", M::Plain},
            {"Swap", K::Switch, "0", M::Effect, "SwapClick"},
            {"Simulate Delay", K::Switch, "0", M::Mark, "SimulateDelay1Click"},
            {"Simulate Tone", K::Switch, "1", M::Mark, "SimulateTone1Click"},
            {"Auto Step ms", K::Integer, "250", M::Plain},
            {"Ask on Line Change", K::Switch, "0", M::Effect, "AskonLineChangeClick"},
            {"Line Numbers", K::Switch, "0", M::Effect, "LineNumbers1Click"},
            {"#Include Code", K::Switch, "0", M::Mark, "includeCode1Click"},
            {"Show Volts", K::Switch, "0", M::Mark, "ShowVoltsClick"},
            {"Log Errors", K::Switch, "0", M::Effect, "LogErrors1Click"},
            {"Legend", K::Switch, "0", M::Effect, "Legend1Click"},
            {"Syntax Colouring", K::Switch, "0", M::Mark, "SyntaxColouring1Click"},
            {"Font Type", K::Text, "Courier", M::Plain},
            {"Font Size", K::Integer, "-11", M::Plain},
            {"Uno", K::Switch, "1", M::Choice, "Uno1Click"},
            {"Mega", K::Switch, "0", M::Choice, "Mega1Click"},
            {"Other", K::Switch, "0", M::Choice, "Other1Click"},
            {"Skin", K::Text, "Windows", M::Plain},
            {"Minimize", K::Switch, "0", M::Effect, "MinimizeClick"},
        };
        t.insert(t.end(), rest.begin(), rest.end());
        return t;
    }();
    return table;
}

int32_t SettingsValues::integer(std::string_view name) const {
    const auto it = values.find(name);
    int32_t value = 0;
    if (it == values.end() || !read_int32(it->second, value)) return 0;
    return value;
}

const std::string& SettingsValues::text(std::string_view name) const {
    static const std::string none;
    const auto it = values.find(name);
    return it == values.end() ? none : it->second;
}

SettingsValues default_settings() {
    SettingsValues v;
    for (const SettingRow& row : settings_table()) v.values[row.name] = row.fallback;
    return v;
}

SettingsValues read_settings(const std::function<std::optional<std::string>(const std::string&)>& stored,
                             const SettingsValues& defaults) {
    SettingsValues v = defaults;
    for (const SettingRow& row : settings_table()) {
        const std::optional<std::string> text = stored(row.name);
        if (!text) continue;
        if (row.kind == SettingKind::Text) {
            // Nothing the settings name (a font, a file, a folder) is this long: such a value
            // would only be carried along and written back at every start.
            if (text->size() <= max_setting_text) v.set_text(row.name, *text);
            continue;
        }
        int32_t value = 0;
        if (!read_int32(*text, value) || !usable(row.name, value)) continue;
        if (row.kind == SettingKind::Switch) value = value != 0 ? 1 : 0;
        if (row.name.starts_with("Analog")) value = std::clamp(value, 0, 1023);
        // Far beyond any screen; the window then fits the value to its own screen.
        if (is_size(row.name)) value = std::min(value, max_window_extent);
        if (is_position(row.name)) value = std::clamp(value, -max_window_extent, max_window_extent);
        v.set_integer(row.name, value);
    }
    return v;
}

void write_settings(const SettingsValues& values,
                    const std::function<void(const SettingRow&, const std::string&)>& write) {
    for (const SettingRow& row : settings_table()) write(row, values.text(row.name));
}

QString SettingsFile::application_name() { return QStringLiteral("Quorvex ") + Version1(); }

std::optional<SettingsValues> SettingsFile::read(const SettingsValues& defaults) {
    const QSettings file(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Quorvex"), application_name());
    // A file that cannot be read or parsed counts as none: the first start's state, not a mix of
    // defaults and whatever was salvaged.
    if (file.status() != QSettings::NoError || file.allKeys().isEmpty()) return std::nullopt;
    return read_settings(
        [&file](const std::string& name) -> std::optional<std::string> {
            const QVariant value = file.value(QString::fromStdString(name));
            // A list ("a, b") or a typed value ("@Variant(...)") is not a value this table wrote.
            const int type = value.typeId();
            if (type == QMetaType::QStringList || type == QMetaType::QVariantList || !value.canConvert<QString>())
                return std::nullopt;
            return value.toString().toStdString();
        },
        defaults);
}

void SettingsFile::write(const SettingsValues& values) {
    QSettings file(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Quorvex"), application_name());
    file.clear();
    write_settings(values, [&file](const SettingRow& row, const std::string& text) {
        const QString name = QString::fromStdString(row.name);
        int32_t number = 0;
        if (row.kind != SettingKind::Text && read_int32(text, number))
            file.setValue(name, number);
        else
            file.setValue(name, QString::fromStdString(text));
    });
    file.sync();
}

void SettingsFile::write_file_name(const QString& file_name) {
    QSettings file(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Quorvex"),
                   QStringLiteral("Tamberlo ") + Version1());
    file.setValue(QStringLiteral("File Name"), file_name);
    file.sync();
}

} // namespace quorvex
