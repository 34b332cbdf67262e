// The messages a subclassing control wants to see, in one phase (before or after the window's
// previous procedure): cell 0 holds the count and cells 1 to 32 the message numbers. A count
// of ALL_MESSAGES (-1) means every message; a cell holding 0 is free and is reused first.
#pragma once

#include <emmintrin.h>

#include <array>
#include <cstdint>

namespace orvane {

// The cells of a table.
inline constexpr int MSG_ENTRIES = 32;
// The count that stands for every message.
inline constexpr std::int32_t ALL_MESSAGES = -1;

class MessageTable {
public:
    // Adds a message (ALL_MESSAGES asks for every one). A message already present is not added
    // twice; adding to an all-messages table leaves a one-entry table. Throws an Error with the
    // overflow message, and changes nothing, when 32 cells are in use.
    void add(std::int32_t message);
    // Removes a message (ALL_MESSAGES empties the table). Throws an Error when the message is
    // not in the table.
    void remove(std::int32_t message);

    // Whether the table holds the message (every message, for an all-messages table).
    bool contains(std::uint32_t message) const {
        const std::int32_t n = m_cells[0];
        if (n == ALL_MESSAGES) return true;
        const unsigned bit = hash(message);
        if (!((m_mask[bit >> 6] >> (bit & 63)) & 1) || message == 0) return false;
        // Cells past the count hold 0, which no message is: all 32 compare four at a time.
        const __m128i wanted = _mm_set1_epi32(static_cast<int>(message));
        __m128i any = _mm_setzero_si128();
        for (int i = 1; i <= MSG_ENTRIES; i += 4)
            any = _mm_or_si128(
                any,
                _mm_cmpeq_epi32(
                    wanted, _mm_loadu_si128(reinterpret_cast<const __m128i*>(m_cells.data() + i))));
        return _mm_movemask_epi8(any) != 0;
    }
    // The cells in use (free ones among them), or ALL_MESSAGES.
    std::int32_t count() const { return m_cells[0]; }
    // Cell i (1 to 32) of the table.
    std::int32_t cell(int i) const { return m_cells[static_cast<std::size_t>(i)]; }

private:
    void remask();
    static unsigned hash(std::uint32_t message) { return (message ^ (message >> 8)) & 255; }
    std::array<std::int32_t, MSG_ENTRIES + 1> m_cells{};
    // A bit for each message's hash: most messages are turned away without a search.
    std::array<std::uint64_t, 4> m_mask{};
};

}  // namespace orvane
