#pragma once
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace platform {

// The keys of one section, looked up by name as INI names match. Built in
// one pass and two allocations, since a load asks for hundreds of keys of a
// section read once. The names and values point into the caller's text.
class CIniKeyTable {
public:
    // Room for about this many keys, so that the table need not grow.
    void Reserve(size_t keys);
    // Keys are added in file order; the first key of a name is the one found.
    void Add(std::u16string_view name, std::u16string_view value);
    std::optional<std::u16string_view> Find(std::u16string_view name) const;

private:
    struct CEntry {
        std::u16string_view name;
        std::u16string_view value;
    };
    struct CSlot {
        std::uint32_t hash = 0;
        // An index into m_entries plus one; zero marks a free slot.
        std::uint32_t entry = 0;
    };

    // The slot holding the name, or the free slot where it belongs.
    size_t SlotOf(std::u16string_view name, std::uint32_t hash) const;
    void Rehash(size_t slotCount);

    // One per name, in file order.
    std::vector<CEntry> m_entries;
    // A load asks for keys in the order they were written: the entry after
    // the last one found is tried before the name is hashed.
    mutable size_t m_nextGuess = 0;
    // Open addressing over a power of two, kept at most half full.
    std::vector<CSlot> m_slots;
};

} // namespace platform
