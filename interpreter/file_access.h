#pragma once
// Where sketches and include files come from: the disk, memory in tests, or the workbench's
// bundled examples.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace quorvex {

// Sketch text as the interpreter keeps it: UTF-8 without a byte-order mark. Text that is not
// valid UTF-8 is taken as Windows-1252, the code page sketches were commonly saved in.
std::string decode_sketch_text(std::string bytes);

// What reading a sketch file gave.
struct SketchBytes {
    enum class Status { Missing, TooLarge, Read };
    Status status = Status::Missing;
    std::string bytes;
    // The name the sketch goes by from now on when it differs from the one asked for: a file on
    // disk named relative to the current folder gets its full path.
    std::string path = {};
};

// `path` as a full path: relative to the current folder, with the folder as the system names
// it ("sub/.." resolved) and the file's own name kept (a link stays the link). Unchanged when
// it is already absolute or the current folder is gone.
std::string full_path(const std::string& path);

class FileAccess {
public:
    static constexpr std::uintmax_t max_sketch_bytes = 16 * 1024 * 1024;

    virtual ~FileAccess() = default;
    // The bytes of the named file, relative to the sketch folder; nullopt when there is no
    // such regular file or it cannot be read.
    virtual std::optional<std::string> read(const std::string& name) = 0;
    // A sketch by the path the user or the settings gave: a regular file on disk up to
    // max_sketch_bytes, and its full path. Missing also when it cannot be read.
    virtual SketchBytes read_sketch(const std::string& path);
    // Include names are looked up in this folder from now on: the loaded sketch's.
    virtual void set_folder(const std::filesystem::path& folder) { (void)folder; }
    // Appends `text` to the file at `path` on disk, creating it; false when it cannot be written.
    virtual bool append(const std::filesystem::path& path, std::string_view text);
};

// Files in one folder. A name with no exact match takes a unique case-insensitive match;
// only regular files up to `max_bytes` are read.
class DiskFiles : public FileAccess {
public:
    static constexpr std::size_t max_bytes = 4 * 1024 * 1024;
    std::filesystem::path root;
    std::optional<std::string> read(const std::string& name) override;
    void set_folder(const std::filesystem::path& folder) override { root = folder; }
};

class MemoryFiles : public FileAccess {
public:
    std::map<std::string, std::string> files;
    bool read_only = false; // appends fail, as in a folder without write rights
    bool append(const std::filesystem::path& path, std::string_view text) override {
        if (read_only) return false;
        files[path.string()].append(text);
        return true;
    }
    std::optional<std::string> read(const std::string& name) override {
        const auto it = files.find(name);
        if (it == files.end()) return std::nullopt;
        return it->second;
    }
};

} // namespace quorvex
