// The SD library: fixed answers, and one file kept in port panel 5's list.
#include "simulation/sd_card.h"

#include <optional>
#include <vector>

#include "interpreter/interpreter.h"
#include "simulation/library.h"

namespace quorvex {

namespace {

constexpr int32_t file_panel = 5;

} // namespace

void SdCard::register_plain(std::string_view s, int key) {
    const std::string name = declared_object_name(in_, cut_statement(s), s);
    if (!name.empty()) in_.register_object(key, name);
}

void SdCard::kSD2card(std::string_view s) { register_plain(s, sd2card_key); }
void SdCard::kSDVolume(std::string_view s) { register_plain(s, sdvolume_key); }
void SdCard::kSDFile(std::string_view s) { register_plain(s, sdfile_key); }

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

const MethodRow<SdCard::Method> SdCard::sd_methods[] = {
    {".begin", &SdCard::kready},
    {".open", &SdCard::kopen},
    {".exists", &SdCard::kexists},
    {".remove", &SdCard::kremove},
};

const MethodRow<SdCard::Method> SdCard::card_methods[] = {
    {"", &SdCard::kready},
    {".init", &SdCard::kready},
    {".type", &SdCard::kready},
};

const MethodRow<SdCard::Method> SdCard::volume_methods[] = {
    {".begin", &SdCard::kready},
    {".fatType", &SdCard::kready},
    {".init", &SdCard::kready},
    {".blocksPerCluster", &SdCard::kblocksPerCluster},
    {".clusterCount", &SdCard::kclusterCount},
};

const MethodRow<SdCard::Method> SdCard::sdfile_methods[] = {
    {".begin", &SdCard::kready},
    {".openRoot", &SdCard::kready},
    {".ls", &SdCard::kls},
};

const MethodRow<SdCard::Method> SdCard::file_methods[] = {
    {"", &SdCard::kready},
    {".open", &SdCard::kready},
    {".openNextFile", &SdCard::kready},
    {".read", &SdCard::kread},
    {".available", &SdCard::kavailable},
    {".println", &SdCard::kprintln},
    {".close", &SdCard::kclose},
    {".begin", &SdCard::kbegin},
    {".size", &SdCard::ksize},
    {".isDirectory", &SdCard::kisDirectory},
    {".name", &SdCard::kname},
};

int32_t SdCard::kSD(const Match& m) {
    if (declines_as_operand(in_, m.rest)) return 0;
    if (const std::optional<int32_t> value = call_row(*this, sd_methods, call_method(m.rest), m)) return *value;
    in_.ShowMessage1("Unknown SD command");
    return int_result(in_, 0);
}

int32_t SdCard::kSD2card_obj(const Match& m) {
    if (declines_as_operand(in_, m.rest)) return 0;
    if (const std::optional<int32_t> value = call_row(*this, card_methods, call_method(m.rest), m)) return *value;
    in_.ShowMessage1("Unknown SDCard command");
    return int_result(in_, 0);
}

int32_t SdCard::kSDVolume_obj(const Match& m) {
    if (declines_assignment(in_, m.rest) || declines_as_operand(in_, m.rest)) return 0;
    if (const std::optional<int32_t> value = call_row(*this, volume_methods, call_method(m.rest), m)) return *value;
    in_.ShowMessage1("Unknown SDVolume command");
    return int_result(in_, 0);
}

int32_t SdCard::kSDFile_obj(const Match& m) {
    if (declines_assignment(in_, m.rest) || declines_as_operand(in_, m.rest)) return 0;
    if (const std::optional<int32_t> value = call_row(*this, sdfile_methods, call_method(m.rest), m)) return *value;
    in_.ShowMessage1("Unknown SDFile command");
    return int_result(in_, 0);
}

int32_t SdCard::kFile_obj(const Match& m) {
    if (declines_assignment(in_, m.rest) || declines_as_operand(in_, m.rest)) return 0;
    if (const std::optional<int32_t> value = call_row(*this, file_methods, call_method(m.rest), m)) return *value;
    in_.ShowMessage1("Unknown File command");
    return int_result(in_, 0);
}

int32_t SdCard::kready(const Match&) { return int_result(in_, 1); }

// The first argument is the name: text only, compared as written, it never reaches the file system.
int32_t SdCard::kopen(const Match& m) {
    const std::vector<std::string> a = call_arguments(in_, m.rest);
    sd_file = argument(a, 0);
    in_.panels[file_panel].Panel.Visible = true;
    return int_result(in_, 1);
}

int32_t SdCard::kexists(const Match& m) {
    const std::vector<std::string> a = call_arguments(in_, m.rest);
    return int_result(in_, argument(a, 0) == sd_file ? 1 : 0);
}

int32_t SdCard::kremove(const Match&) {
    sd_file.clear();
    return int_result(in_, 1);
}

int32_t SdCard::kblocksPerCluster(const Match&) { return int_result(in_, 32); }
int32_t SdCard::kclusterCount(const Match&) { return int_result(in_, 128); }

int32_t SdCard::kls(const Match&) {
    text_result(in_, "File: test.txt\\n");
    return 1;
}

int32_t SdCard::kread(const Match& m) { return int_result(in_, in_.panels[m.panel].ListBox.read_front()); }

int32_t SdCard::kavailable(const Match& m) { return int_result(in_, in_.panels[m.panel].ListBox.empty() ? 0 : 1); }

int32_t SdCard::kprintln(const Match& m) {
    const std::vector<std::string> a = call_arguments(in_, m.rest);
    const std::string_view text = argument(a, 0);
    in_.panels[m.panel].println(text.empty() ? std::string() : printx(in_, text));
    return int_result(in_, 0);
}

int32_t SdCard::kclose(const Match& m) {
    in_.panels[m.panel].Panel.Visible = false;
    return int_result(in_, 1);
}

int32_t SdCard::kbegin(const Match& m) {
    in_.panels.open(m.panel, in_.panels[m.panel].Panel.Caption, "File Data");
    return int_result(in_, 1);
}

int32_t SdCard::ksize(const Match&) { return int_result(in_, 1024); }

// Alternates with the Time library's seconds, so a listing shows both kinds.
int32_t SdCard::kisDirectory(const Match&) {
    return int_result(in_, in_.simtime.arduino_time[TIME_NOW] % 2 != 0 ? 1 : 0);
}

int32_t SdCard::kname(const Match&) {
    text_result(in_, "FileName");
    return 1;
}

} // namespace quorvex
