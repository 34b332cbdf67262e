#include "platform/theme/ThemeImageCache.h"

#include <functional>

namespace orvane::platform {

std::size_t ThemeImageCache::KeyHash::operator()(const ThemeImageKey& k) const {
    std::size_t h = std::hash<const void*>()(k.themeClass);
    for (const int v : {k.part, k.state, k.width, k.height, k.dpi})
        h = h * 1000003u ^ std::hash<int>()(v);
    return h;
}

ThemeImageCache& ThemeImageCache::shared() {
    static ThemeImageCache cache;
    return cache;
}

std::shared_ptr<PixelSurface> ThemeImageCache::find(const ThemeImageKey& key) {
    const auto it = m_index.find(key);
    if (it == m_index.end()) return nullptr;
    m_entries.splice(m_entries.begin(), m_entries, it->second);
    return it->second->second;
}

void ThemeImageCache::insert(const ThemeImageKey& key, std::shared_ptr<PixelSurface> image) {
    if (m_capacity == 0) return;
    if (const auto it = m_index.find(key); it != m_index.end()) {
        it->second->second = std::move(image);
        m_entries.splice(m_entries.begin(), m_entries, it->second);
        return;
    }
    if (m_entries.size() >= m_capacity) {
        m_index.erase(m_entries.back().first);
        m_entries.pop_back();
    }
    m_entries.emplace_front(key, std::move(image));
    m_index.emplace(key, m_entries.begin());
}

void ThemeImageCache::clear() {
    m_index.clear();
    m_entries.clear();
}

}  // namespace orvane::platform
