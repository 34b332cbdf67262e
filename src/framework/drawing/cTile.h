// A picture kept as a tile and repeated over rectangles from a movable origin (menu
// backgrounds). Failures are told in a message box: "Error: <description>, <number>".
#pragma once

#include <memory>
#include <string>

#include "host/StdPicture.h"
#include "platform/platform.h"

namespace orvane {

class cTile {
public:
    cTile() = default;
    ~cTile();
    cTile(const cTile&) = delete;
    cTile& operator=(const cTile&) = delete;

    // Loads the picture of a file as the tile; the name is kept only when that works.
    const std::u16string& Filename() const { return m_filename; }
    void Filename(const std::u16string& path);
    // A picture as the tile, named "PICTURE" when no file named it.
    const std::shared_ptr<StdPicture>& Picture() const { return m_picture; }
    void Picture(std::shared_ptr<StdPicture> picture);
    // Where the tiling starts, horizontally, in the target's pixels.
    int OriginX() const { return m_originX; }
    void OriginX(int x) { m_originX = x; }
    // Where the tiling starts, vertically.
    int OriginY() const { return m_originY; }
    void OriginY(int y) { m_originY = y; }
    // The tile's width in pixels (0 without one).
    int TileWidth() const { return m_width; }
    // The tile's height in pixels (0 without one).
    int TileHeight() const { return m_height; }
    // The memory DC holding the tile.
    platform::HDC hDC() const { return m_dc; }

    // Covers the area with copies of the tile, offset by the origin.
    void TileArea(platform::HDC target, int x, int y, int w, int h);

private:
    bool build();
    void freeTile();
    static void report(int number, const std::u16string& description);

    platform::HDC m_dc;
    platform::HBITMAP m_bitmap;
    platform::HGDIOBJ m_oldBitmap;
    std::shared_ptr<StdPicture> m_picture;
    std::u16string m_filename;
    int m_originX = 0;
    int m_originY = 0;
    int m_width = 0;
    int m_height = 0;
};

}  // namespace orvane
