#include "framework/MessageTable.h"

#include <algorithm>
#include <cstdio>

#include "host/Error.h"

namespace orvane {

void MessageTable::add(std::int32_t message) {
    if (message == ALL_MESSAGES) {
        m_cells[0] = ALL_MESSAGES;
        return;
    }
    if (m_cells[0] == ALL_MESSAGES) m_cells.fill(0);
    const std::int32_t n = m_cells[0];
    for (std::int32_t i = 1; i <= n; ++i)
        if (m_cells[i] == message) return;
    for (std::int32_t i = 1; i <= n; ++i)
        if (m_cells[i] == 0) {
            m_cells[i] = message;
            remask();
            return;
        }
    if (n >= MSG_ENTRIES)
        throw Error(errors::InvalidProcedureCall, u"",
                    u"Message table overflow. Either increase the value of Const MSG_ENTRIES or "
                    u"use ALL_MESSAGES instead of specific message values");
    m_cells[n + 1] = message;
    m_cells[0] = n + 1;
    remask();
}

void MessageTable::remask() {
    m_mask.fill(0);
    for (std::int32_t i = 1; i <= std::max(m_cells[0], 0); ++i)
        if (m_cells[i]) {
            const unsigned bit = hash(static_cast<std::uint32_t>(m_cells[i]));
            m_mask[bit >> 6] |= std::uint64_t{1} << (bit & 63);
        }
}

void MessageTable::remove(std::int32_t message) {
    if (message == ALL_MESSAGES) {
        m_cells.fill(0);
        m_mask.fill(0);
        return;
    }
    const std::int32_t n = m_cells[0] == ALL_MESSAGES ? 0 : m_cells[0];
    for (std::int32_t i = 1; i <= n; ++i)
        if (m_cells[i] == message && message != 0) {
            m_cells[i] = 0;
            remask();
            return;
        }
    char hex[16];
    std::snprintf(hex, sizeof hex, "%X", static_cast<unsigned>(message));
    std::u16string text(u"Message &H");
    for (const char* c = hex; *c; ++c)
        text += static_cast<char16_t>(*c);
    throw Error(errors::InvalidProcedureCall, u"", text + u" not found in table");
}

}  // namespace orvane
