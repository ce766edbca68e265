#include "platform/ini_key_table.h"

#include "platform/ini_syntax.h"

#include <algorithm>
#include <bit>

namespace platform {
namespace {

std::uint32_t HashOf(std::u16string_view name) {
    return static_cast<std::uint32_t>(CIniNameHash{}(name));
}

} // namespace

size_t CIniKeyTable::SlotOf(std::u16string_view name, std::uint32_t hash) const {
    const size_t mask = m_slots.size() - 1;
    for (size_t slot = hash & mask;; slot = (slot + 1) & mask) {
        const CSlot& held = m_slots[slot];
        if (held.entry == 0 ||
            (held.hash == hash && IniNamesMatch(m_entries[held.entry - 1].name, name))) {
            return slot;
        }
    }
}

void CIniKeyTable::Rehash(size_t slotCount) {
    std::vector<CSlot> old(slotCount);
    old.swap(m_slots);
    const size_t mask = m_slots.size() - 1;
    for (const CSlot& held : old) {
        if (held.entry != 0) {
            // The names are all different: the first free slot is the place.
            size_t slot = held.hash & mask;
            while (m_slots[slot].entry != 0) {
                slot = (slot + 1) & mask;
            }
            m_slots[slot] = held;
        }
    }
}

void CIniKeyTable::Reserve(size_t keys) {
    // A text of millions of lines gets no table of millions of slots before
    // it has the keys to fill them.
    constexpr size_t kMostReserved = 4096;
    keys = std::min(keys, kMostReserved);
    m_entries.reserve(keys);
    if (2 * keys > m_slots.size()) {
        Rehash(std::bit_ceil(2 * keys));
    }
}

void CIniKeyTable::Add(std::u16string_view name, std::u16string_view value) {
    constexpr size_t kFirstSlotCount = 64;
    if (2 * (m_entries.size() + 1) > m_slots.size()) {
        Rehash(m_slots.empty() ? kFirstSlotCount : 2 * m_slots.size());
    }
    const std::uint32_t hash = HashOf(name);
    CSlot& slot = m_slots[SlotOf(name, hash)];
    if (slot.entry != 0) {
        return;
    }
    m_entries.push_back({name, value});
    slot = {hash, static_cast<std::uint32_t>(m_entries.size())};
}

std::optional<std::u16string_view> CIniKeyTable::Find(std::u16string_view name) const {
    // Each name has one entry, so a guess that matches is the answer.
    if (m_nextGuess < m_entries.size() && IniNamesMatch(m_entries[m_nextGuess].name, name)) {
        return m_entries[m_nextGuess++].value;
    }
    if (m_slots.empty()) {
        return std::nullopt;
    }
    const CSlot& slot = m_slots[SlotOf(name, HashOf(name))];
    if (slot.entry == 0) {
        return std::nullopt;
    }
    m_nextGuess = slot.entry;
    return m_entries[slot.entry - 1].value;
}

} // namespace platform
