// Running sums over a sequence of counts (a Fenwick tree): changing one count, the sum of the
// counts before an index, and the index where the running sum passes a value each take time
// logarithmic in the length, so a scroll bar over many paragraphs costs no walk over them.
#pragma once

#include <cstddef>
#include <vector>

namespace orvane::platform {

class FenwickTree {
public:
    // Starts again over these counts.
    void assign(const std::vector<int>& counts) {
        m_sums.assign(counts.size() + 1, 0);
        for (std::size_t i = 1; i <= counts.size(); ++i) {
            m_sums[i] += counts[i - 1];
            if (const std::size_t up = i + (i & (~i + 1)); up < m_sums.size())
                m_sums[up] += m_sums[i];
        }
    }
    std::size_t size() const { return m_sums.empty() ? 0 : m_sums.size() - 1; }
    void add(std::size_t index, int delta) {
        for (std::size_t i = index + 1; i < m_sums.size(); i += i & (~i + 1))
            m_sums[i] += delta;
    }
    // The sum of the counts before `index`.
    int before(std::size_t index) const {
        int sum = 0;
        for (std::size_t i = index; i > 0; i -= i & (~i + 1))
            sum += m_sums[i];
        return sum;
    }
    int at(std::size_t index) const { return before(index + 1) - before(index); }
    int total() const { return before(size()); }
    // The first index whose count takes the running sum past `value` (size() when none does);
    // the counts must not be negative.
    std::size_t passing(int value) const {
        std::size_t index = 0, step = 1;
        while (step * 2 < m_sums.size())
            step *= 2;
        for (; step > 0; step /= 2) {
            if (index + step < m_sums.size() && m_sums[index + step] <= value) {
                index += step;
                value -= m_sums[index];
            }
        }
        return index;
    }

private:
    std::vector<int> m_sums;  // 1-based: m_sums[i] sums the counts (i - lowbit(i), i]
};

}  // namespace orvane::platform
