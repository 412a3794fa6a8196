#pragma once
// A map from texts to values for the lookups every step makes (dispatch plans, variable names):
// open addressing with each key's hash stored beside it, so that a lookup hashes a short text
// once, probes a flat array and compares a key only when the hashes agree. Entries are never
// removed one by one; clear() empties the map, and a map with a limit clears itself when full.

#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace quorvex {

// A fast hash of a short text, eight bytes at a time.
inline uint64_t text_hash(std::string_view s) {
    constexpr uint64_t k = 0x9E3779B97F4A7C15ULL;
    uint64_t h = s.size() * k;
    size_t i = 0;
    for (; i + 8 <= s.size(); i += 8) {
        uint64_t chunk = 0;
        std::memcpy(&chunk, s.data() + i, 8);
        h = (h ^ chunk) * k;
        h ^= h >> 29;
    }
    if (i < s.size()) {
        uint64_t chunk = 0;
        if (s.size() >= 8) {
            std::memcpy(&chunk, s.data() + s.size() - 8, 8); // the last eight, overlapping
        } else {
            for (size_t j = i; j < s.size(); ++j) chunk = chunk << 8 | static_cast<unsigned char>(s[j]);
        }
        h = (h ^ chunk) * k;
        h ^= h >> 29;
    }
    return h * k;
}

template <class V>
class TextMap {
public:
    // With a `limit`, a map that holds that many keys starts afresh before it adds another.
    explicit TextMap(size_t limit = 0) : limit_(limit) {}

    // Where a key's value stands. An insert may move every value (the map grows, or a full map
    // starts afresh), so a handle, like a pointer from find(), serves only until the next
    // find_or_add: at() refuses a handle that such a move has outdated.
    class Handle {
        friend class TextMap;
        Handle(size_t slot, uint64_t moves) : slot_(slot), moves_(moves) {}
        size_t slot_;
        uint64_t moves_; // the map's move count when the handle was made
    };

    // The value of `key`, nullptr when absent.
    V* find(std::string_view key) { return find(key, text_hash(key)); }
    const V* find(std::string_view key) const { return const_cast<TextMap*>(this)->find(key); }

    // The value of `key`, made with `make()` when absent.
    template <class Make>
    Handle find_or_add(std::string_view key, Make&& make) {
        const uint64_t h = text_hash(key);
        if (const size_t found = slot_of(key, h); found != none) return {found, moves_};
        if (limit_ > 0 && count_ >= limit_) clear();
        if ((count_ + 1) * 2 > slots_.size()) grow();
        size_t i = h & mask();
        while (slots_[i].used) i = (i + 1) & mask();
        Slot& s = slots_[i];
        s.used = true;
        s.hash = h;
        s.key.assign(key);
        s.value = make();
        ++count_;
        return {i, moves_};
    }
    // The value a handle stands for; throws std::logic_error for an outdated handle.
    V& at(Handle where) {
        if (where.moves_ != moves_) throw std::logic_error("TextMap: the handle was outdated by an insert");
        return slots_[where.slot_].value;
    }

    size_t size() const { return count_; }
    void clear() {
        for (Slot& s : slots_) s = Slot{};
        count_ = 0;
        ++moves_;
    }

private:
    struct Slot {
        uint64_t hash = 0;
        bool used = false;
        std::string key;
        V value{};
    };
    size_t mask() const { return slots_.size() - 1; }
    static constexpr size_t none = SIZE_MAX;
    size_t slot_of(std::string_view key, uint64_t h) const {
        if (slots_.empty()) return none;
        for (size_t i = h & mask(); slots_[i].used; i = (i + 1) & mask())
            if (slots_[i].hash == h && same_key(slots_[i].key, key)) return i;
        return none;
    }
    V* find(std::string_view key, uint64_t h) {
        const size_t i = slot_of(key, h);
        return i == none ? nullptr : &slots_[i].value;
    }
    // Names are short: compared inline; a statement's text through the library.
    static bool same_key(const std::string& a, std::string_view b) {
        if (a.size() != b.size()) return false;
        if (a.size() > 8) return std::memcmp(a.data(), b.data(), a.size()) == 0;
        for (size_t k = 0; k < a.size(); ++k)
            if (a[k] != b[k]) return false;
        return true;
    }
    void grow() {
        ++moves_;
        std::vector<Slot> old = std::exchange(slots_, std::vector<Slot>(slots_.empty() ? 16 : slots_.size() * 2));
        for (Slot& s : old) {
            if (!s.used) continue;
            size_t i = s.hash & mask();
            while (slots_[i].used) i = (i + 1) & mask();
            slots_[i] = std::move(s);
        }
    }

    std::vector<Slot> slots_;
    size_t count_ = 0;
    size_t limit_ = 0;
    uint64_t moves_ = 0; // bumped whenever the values move or go: grow() and clear()
};

} // namespace quorvex
