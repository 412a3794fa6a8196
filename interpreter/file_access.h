#pragma once
// Where include files come from: the sketch's folder on disk, or memory in tests.

#include <cstddef>
#include <filesystem>
#include <map>
#include <optional>
#include <string>

namespace quorvex {

// Sketch text as the interpreter keeps it: UTF-8 without a byte-order mark. Text that is not
// valid UTF-8 is taken as Windows-1252, the code page sketches were commonly saved in.
std::string decode_sketch_text(std::string bytes);

class FileAccess {
public:
    virtual ~FileAccess() = default;
    // The bytes of the named file, relative to the sketch folder; nullopt when there is no
    // such regular file or it cannot be read.
    virtual std::optional<std::string> read(const std::string& name) = 0;
};

// Files in one folder. A name with no exact match takes a unique case-insensitive match;
// only regular files up to `max_bytes` are read.
class DiskFiles : public FileAccess {
public:
    static constexpr std::size_t max_bytes = 4 * 1024 * 1024;
    std::filesystem::path root;
    std::optional<std::string> read(const std::string& name) override;
};

class MemoryFiles : public FileAccess {
public:
    std::map<std::string, std::string> files;
    std::optional<std::string> read(const std::string& name) override {
        const auto it = files.find(name);
        if (it == files.end()) return std::nullopt;
        return it->second;
    }
};

} // namespace quorvex
