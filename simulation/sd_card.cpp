// The SD library: fixed answers, and one file kept in port panel 5's list.
#include "simulation/sd_card.h"

#include <vector>

#include "interpreter/interpreter.h"
#include "simulation/library.h"

namespace quorvex {

namespace {

constexpr int32_t file_panel = 5;

} // namespace

int32_t SdCard::kSD(const Match& m) {
    if (declines_as_operand(in_, m.rest)) return 0;
    const std::string method = call_method(m.rest);
    const std::vector<std::string> a = call_arguments(in_, m.rest);
    // The name is text only, compared as written: it never reaches the file system.
    const std::string name = a.empty() ? std::string() : a[0];
    if (method == ".begin") return int_result(in_, 1);
    if (method == ".open") {
        sd_file = name;
        in_.panels[file_panel].Panel.Visible = true;
        return int_result(in_, 1);
    }
    if (method == ".exists") return int_result(in_, name == sd_file ? 1 : 0);
    if (method == ".remove") {
        sd_file.clear();
        return int_result(in_, 1);
    }
    in_.ShowMessage1("Unknown SD command");
    return int_result(in_, 0);
}

void SdCard::register_plain(std::string_view s, int key) {
    const std::string name = declared_object_name(in_, cut_statement(s), s);
    if (!name.empty()) in_.register_object(key, name);
}

void SdCard::kSD2card(std::string_view s) { register_plain(s, sd2card_key); }
void SdCard::kSDVolume(std::string_view s) { register_plain(s, sdvolume_key); }
void SdCard::kSDFile(std::string_view s) { register_plain(s, sdfile_key); }

int32_t SdCard::kSD2card_obj(const Match& m) {
    if (declines_as_operand(in_, m.rest)) return 0;
    const std::string method = call_method(m.rest);
    if (method.empty() || method == ".init" || method == ".type") return int_result(in_, 1);
    in_.ShowMessage1("Unknown SDCard command");
    return int_result(in_, 0);
}

int32_t SdCard::kSDVolume_obj(const Match& m) {
    if (declines_assignment(in_, m.rest) || declines_as_operand(in_, m.rest)) return 0;
    const std::string method = call_method(m.rest);
    if (method == ".begin" || method == ".fatType" || method == ".init") return int_result(in_, 1);
    if (method == ".blocksPerCluster") return int_result(in_, 32);
    if (method == ".clusterCount") return int_result(in_, 128);
    in_.ShowMessage1("Unknown SDVolume command");
    return int_result(in_, 0);
}

int32_t SdCard::kSDFile_obj(const Match& m) {
    if (declines_assignment(in_, m.rest) || declines_as_operand(in_, m.rest)) return 0;
    const std::string method = call_method(m.rest);
    if (method == ".begin" || method == ".openRoot") return int_result(in_, 1);
    if (method == ".ls") {
        text_result(in_, "File: test.txt\\n");
        return 1;
    }
    in_.ShowMessage1("Unknown SDFile command");
    return int_result(in_, 0);
}

void SdCard::kFile(std::string_view s) {
    const std::string text(cut_statement(s));
    const size_t eq = find_outside_literals(text, "=");
    const std::string name = declared_object_name(in_, std::string_view(text).substr(0, eq), s);
    if (name.empty()) return;
    int32_t value = 1;
    if (eq != std::string::npos) {
        const ArgumentErrors errors(in_);
        value = in_.get_var(dtrim(std::string_view(text).substr(eq + 1)));
        if (errors.raised()) return;
    }
    // The object is also an int of its name, so «if (f)» and «f = SD.open(...)» read and store it.
    in_.decl.kbyte(name + "=" + std::to_string(value), n_int);
    in_.register_object(file_key, name);
    PortPanel& panel = in_.panels[file_panel];
    panel.IN.Visible = false;
    panel.Panel.Visible = true;
    panel.Panel.Caption = name;
}

int32_t SdCard::kFile_obj(const Match& m) {
    if (declines_assignment(in_, m.rest) || declines_as_operand(in_, m.rest)) return 0;
    const std::string method = call_method(m.rest);
    PortPanel& panel = in_.panels[m.panel];
    OutputList& list = panel.ListBox;
    int32_t result = 0;
    if (method.empty() || method == ".open" || method == ".openNextFile") {
        result = 1;
    } else if (method == ".read") {
        result = list.read_front();
    } else if (method == ".available") {
        result = list.empty() ? 0 : 1;
    } else if (method == ".println") {
        const std::vector<std::string> a = call_arguments(in_, m.rest);
        panel.println(a.empty() || a[0].empty() ? std::string() : printx(in_, a[0]));
    } else if (method == ".close") {
        panel.Panel.Visible = false;
        result = 1;
    } else if (method == ".begin") {
        in_.panels.open(m.panel, panel.Panel.Caption, "File Data");
        result = 1;
    } else if (method == ".size") {
        result = 1024;
    } else if (method == ".isDirectory") {
        // Alternates with the Time library's seconds, so a listing shows both kinds.
        result = in_.simtime.arduino_time[TIME_NOW] % 2 != 0 ? 1 : 0;
    } else if (method == ".name") {
        text_result(in_, "FileName");
        return 1;
    } else {
        in_.ShowMessage1("Unknown File command");
    }
    return int_result(in_, result);
}

} // namespace quorvex
