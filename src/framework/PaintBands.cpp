#include "framework/PaintBands.h"

#include <algorithm>
#include <cstdint>

namespace orvane {

using namespace platform;

std::vector<int> PaintBandEdges(const RECT& clip, std::vector<std::pair<int, int>> spans,
                                int bandBytes) {
    std::vector<int> edges{clip.top};
    const std::int64_t width = std::max<std::int64_t>(1, clip.right - clip.left);
    const std::int64_t height = clip.bottom - clip.top;
    const std::int64_t rowsPerBand = std::max<std::int64_t>(1, bandBytes / (4 * width));
    if (height > 2 * rowsPerBand && !spans.empty()) {
        std::sort(spans.begin(), spans.end());
        // Walk the items by their tops; a cut may go where the next item starts below every
        // item so far, once the band is tall enough.
        int reach = spans.front().second;
        int bandTop = clip.top;
        for (std::size_t i = 1; i < spans.size(); ++i) {
            const int top = spans[i].first;
            if (top >= reach && top > bandTop && top < clip.bottom &&
                top - bandTop >= rowsPerBand) {
                edges.push_back(top);
                bandTop = top;
            }
            reach = std::max(reach, spans[i].second);
        }
    }
    edges.push_back(clip.bottom);
    return edges;
}

}  // namespace orvane
