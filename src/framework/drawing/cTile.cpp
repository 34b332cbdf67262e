#include "framework/drawing/cTile.h"

#include "host/App.h"
#include "host/Error.h"
#include "host/LoadPicture.h"

namespace orvane {

using namespace platform;

cTile::~cTile() {
    freeTile();
}

void cTile::report(int number, const std::u16string& description) {
    MessageBoxW(HWND(),
                (u"Error: " + description + u", " + FromUtf8(std::to_string(number))).c_str(),
                App::current().Title().c_str(), MB_ICONEXCLAMATION);
}

void cTile::freeTile() {
    if (m_dc) {
        if (m_oldBitmap) SelectObject(m_dc, m_oldBitmap);
        DeleteDC(m_dc);
    }
    if (m_bitmap) DeleteObject(m_bitmap);
    m_dc = HDC();
    m_bitmap = HBITMAP();
    m_oldBitmap = HGDIOBJ();
    m_width = m_height = 0;
}

void cTile::Filename(const std::u16string& path) {
    if (path == m_filename) return;
    freeTile();
    std::shared_ptr<StdPicture> picture;
    try {
        picture = LoadPicture(path);
    } catch (const Error&) {
        report(3, u"Unable to allocate memory for picture object.");
        m_filename.clear();
        m_picture.reset();
        return;
    }
    m_picture = std::move(picture);
    if (build()) {
        m_filename = path;
    } else {
        m_filename.clear();
    }
}

void cTile::Picture(std::shared_ptr<StdPicture> picture) {
    freeTile();
    m_picture = std::move(picture);
    if (!m_picture) {
        m_filename.clear();
        return;
    }
    if (build() && m_filename.empty()) m_filename = u"PICTURE";
}

// A private copy of the picture in a memory DC of its own, so the picture object may go.
bool cTile::build() {
    if (!m_picture || m_picture->type() != StdPicture::Type::Bitmap) {
        report(3, u"Unable to allocate memory for picture object.");
        return false;
    }
    const HWND desktop = GetDesktopWindow();
    const HDC screen = GetDC(desktop);
    const HDC copy = CreateCompatibleDC(screen);
    const HDC source = CreateCompatibleDC(screen);
    if (!copy || !source) {
        if (copy) DeleteDC(copy);
        if (source) DeleteDC(source);
        ReleaseDC(desktop, screen);
        report(1, u"Unable to create compatible DC");
        return false;
    }
    const auto bitmap = HBITMAP(static_cast<std::uint32_t>(m_picture->Handle()));
    BITMAP info{};
    GetObjectW(bitmap, sizeof info, &info);
    const HGDIOBJ oldSource = SelectObject(source, bitmap);
    m_dc = copy;
    m_bitmap = info.bmWidth > 0 && info.bmHeight > 0
                   ? CreateCompatibleBitmap(screen, info.bmWidth, info.bmHeight)
                   : HBITMAP();
    m_oldBitmap = m_bitmap ? SelectObject(m_dc, m_bitmap) : HGDIOBJ();
    const bool ok = oldSource && m_oldBitmap;
    if (ok) {
        m_width = info.bmWidth;
        m_height = info.bmHeight;
        BitBlt(m_dc, 0, 0, m_width, m_height, source, 0, 0, SRCCOPY);
    }
    if (oldSource) SelectObject(source, oldSource);
    DeleteDC(source);
    ReleaseDC(desktop, screen);
    if (!ok) {
        report(2, u"Unable to select bitmap into DC");
        freeTile();
        return false;
    }
    return true;
}

void cTile::TileArea(HDC target, int x, int y, int w, int h) {
    if (!m_dc || m_width <= 0 || m_height <= 0 || w <= 0 || h <= 0) return;
    // Where in the tile the area's corner falls (the origin shifts the pattern).
    auto wrap = [](long long v, int n) { return static_cast<int>(((v % n) + n) % n); };
    const int sx0 = wrap(static_cast<long long>(m_originX) + x, m_width);
    const int sy0 = wrap(static_cast<long long>(m_originY) + y, m_height);
    // One band of tiles as wide as the area is made first, then copied once per row of tiles:
    // a few wide copies instead of one per tile.
    const HDC band = CreateCompatibleDC(m_dc);
    const HBITMAP bandBitmap = band ? CreateCompatibleBitmap(m_dc, w, m_height) : HBITMAP();
    const HGDIOBJ oldBand = bandBitmap ? SelectObject(band, bandBitmap) : HGDIOBJ();
    const bool banded = static_cast<bool>(oldBand);
    const HDC columnsInto = banded ? band : target;
    for (int row = y, sy = sy0; row < y + h; row += m_height - sy, sy = 0) {
        const int rowHeight = std::min(m_height - sy, y + h - row);
        if (banded && row != y) {
            BitBlt(target, x, row, w, rowHeight, band, 0, sy, SRCCOPY);
            continue;
        }
        // The first row: into the band at full tile height (or straight onto the target).
        const int top = banded ? 0 : row;
        const int fromY = banded ? 0 : sy;
        const int height = banded ? m_height : rowHeight;
        for (int col = x, sx = sx0; col < x + w; col += m_width - sx, sx = 0) {
            const int colWidth = std::min(m_width - sx, x + w - col);
            BitBlt(columnsInto, banded ? col - x : col, top, colWidth, height, m_dc, sx, fromY,
                   SRCCOPY);
        }
        if (banded) BitBlt(target, x, row, w, rowHeight, band, 0, sy, SRCCOPY);
    }
    if (oldBand) SelectObject(band, oldBand);
    if (bandBitmap) DeleteObject(bandBitmap);
    if (band) DeleteDC(band);
}

}  // namespace orvane
