#pragma once
// The SD card without a card: one file name, and one file whose contents are the lines of port
// panel 5's list. No disk is touched, whatever name the sketch passes.

#include <cstdint>
#include <string>
#include <string_view>

#include "interpreter/dispatch_tables.h"
#include "simulation/method_table.h"

namespace quorvex {

class Interpreter;

class SdCard {
public:
    explicit SdCard(Interpreter& in) : in_(in) {}

    // «SD.begin(4)», «SD.open("log.txt", FILE_WRITE)», «SD.exists(...)», «SD.remove(...)».
    int32_t kSD(const Match& m);
    // The methods of the registered Sd2Card, SdVolume, SdFile and File objects. Each object
    // kind has its own method table and its own message for a name that is none of them.
    int32_t kSD2card_obj(const Match& m);
    int32_t kSDVolume_obj(const Match& m);
    int32_t kSDFile_obj(const Match& m);
    int32_t kFile_obj(const Match& m);

    // Declarations: «Sd2Card card;», «SdVolume volume;», «SdFile root;», «File f = SD.open(...);».
    void kSD2card(std::string_view s);
    void kSDVolume(std::string_view s);
    void kSDFile(std::string_view s);
    void kFile(std::string_view s);

    // The one file name, as the sketch wrote it, quotes included; empty for none.
    std::string sd_file;

    // Part of reset: the file's name goes with its contents, which the panels' reset empties.
    void reset() { sd_file.clear(); }

private:
    using Method = int32_t (SdCard::*)(const Match&);
    static const MethodRow<Method> sd_methods[];
    static const MethodRow<Method> card_methods[];
    static const MethodRow<Method> volume_methods[];
    static const MethodRow<Method> sdfile_methods[];
    static const MethodRow<Method> file_methods[];

    // The methods: each sets the call's value and returns its integer side.
    int32_t kready(const Match& m); // 1: the card, volume or file is there
    int32_t kopen(const Match& m);
    int32_t kexists(const Match& m);
    int32_t kremove(const Match& m);
    int32_t kblocksPerCluster(const Match& m);
    int32_t kclusterCount(const Match& m);
    int32_t kls(const Match& m);
    int32_t kread(const Match& m);
    int32_t kavailable(const Match& m);
    int32_t kprintln(const Match& m);
    int32_t kclose(const Match& m);
    int32_t kbegin(const Match& m);
    int32_t ksize(const Match& m);
    int32_t kisDirectory(const Match& m);
    int32_t kname(const Match& m);

    // A low-level object's declaration: the name alone is registered under `key`.
    void register_plain(std::string_view s, int key);
    Interpreter& in_;
};

} // namespace quorvex
