// Rendered part images, most recently used first, so that redrawing a part at a size it was
// drawn at before is a single blend. Plain pixel buffers: nothing here is a GDI object.
#pragma once

#include <cstddef>
#include <cstdint>
#include <list>
#include <memory>
#include <unordered_map>

#include "platform/gdi/PixelSurface.h"

namespace orvane::platform {

struct ThemeImageKey {
    const void* themeClass;  // the class's entry in the look table
    int part;
    int state;
    int width;
    int height;
    int dpi;

    bool operator==(const ThemeImageKey&) const = default;
};

class ThemeImageCache {
public:
    static constexpr std::size_t kDefaultCapacity = 64;

    // The one cache the theme functions share; resetThemes empties it.
    static ThemeImageCache& shared();

    explicit ThemeImageCache(std::size_t capacity = kDefaultCapacity) : m_capacity(capacity) {}

    // The image stored under the key, now the most recently used, or null.
    std::shared_ptr<PixelSurface> find(const ThemeImageKey& key);
    // Stores an image, dropping the least recently used one when full.
    void insert(const ThemeImageKey& key, std::shared_ptr<PixelSurface> image);
    void clear();
    std::size_t size() const { return m_entries.size(); }

private:
    struct KeyHash {
        std::size_t operator()(const ThemeImageKey& k) const;
    };
    using Entry = std::pair<ThemeImageKey, std::shared_ptr<PixelSurface>>;

    std::size_t m_capacity;
    std::list<Entry> m_entries;  // most recently used first
    std::unordered_map<ThemeImageKey, std::list<Entry>::iterator, KeyHash> m_index;
};

}  // namespace orvane::platform
