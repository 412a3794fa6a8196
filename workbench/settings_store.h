#pragma once
// The settings the main window restores at its first show and writes at close. The table and
// the values are plain C++; SettingsFile keeps them in a per-user INI file.

#include <QString>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorvex {

enum class SettingKind { Integer, Switch, Text };
// How the window restores a switch from its menu entry. Plain: a value the window reads itself.
// Mark: the core's check mark that the entry shows, set alone. Choice: one of a group (the
// boards): the first one on runs its command, the group's first when none is on. Effect: the
// entry is set to the opposite and triggered, so that its command toggles it back with its
// effect. A switch is stored as the core's mark where the entry shows one, else as the entry.
enum class SettingMode { Plain, Mark, Choice, Effect };

struct SettingRow {
    std::string name;
    SettingKind kind;
    std::string fallback; // the designed state, as text
    SettingMode mode;
    std::string entry = {}; // the menu entry, by its handler's name (MainWindow::action)
};

// Every value in the order it is written.
const std::vector<SettingRow>& settings_table();

// Values by name, kept as text: switches "0" or "1".
class SettingsValues {
public:
    int32_t integer(std::string_view name) const;
    bool on(std::string_view name) const { return integer(name) != 0; }
    const std::string& text(std::string_view name) const;
    void set_integer(std::string_view name, int32_t value) { values[std::string(name)] = std::to_string(value); }
    // One character built, not copied from a literal: GCC 12 at -O3 warns falsely (-Wrestrict).
    void set_switch(std::string_view name, bool value) {
        values[std::string(name)] = std::string(1, value ? '1' : '0');
    }
    void set_text(std::string_view name, std::string value) { values[std::string(name)] = std::move(value); }

    std::map<std::string, std::string, std::less<>> values;
};

// The table's designed states.
SettingsValues default_settings();

// The longest text value read back, in bytes.
inline constexpr size_t max_setting_text = 4096;
// The largest window position or size (either sign for a position) read back.
inline constexpr int32_t max_window_extent = 65535;

// Each value of the table from `stored`, as its kind; one that is missing, unreadable or out of
// its range takes the value from `defaults`: a size below 1, an "Auto Step ms" below 1, a text
// longer than max_setting_text. Analog levels are clamped to 0..1023, positions and sizes to
// max_window_extent.
SettingsValues read_settings(const std::function<std::optional<std::string>(const std::string&)>& stored,
                             const SettingsValues& defaults);

// Calls `write` for every row in the table's order.
void write_settings(const SettingsValues& values,
                    const std::function<void(const SettingRow&, const std::string&)>& write);

// The per-user file "Quorvex" / "Quorvex " + Version1. Failures to write are silent.
class SettingsFile {
public:
    static QString application_name();
    // Null when there are no settings yet (the first start of this version) or the file cannot
    // be read.
    static std::optional<SettingsValues> read(const SettingsValues& defaults);
    // The whole table; nothing else stays in the file.
    static void write(const SettingsValues& values);
    // The open command's record of the chosen sketch, under "Tamberlo " + Version1.
    static void write_file_name(const QString& file_name);
};

} // namespace quorvex
