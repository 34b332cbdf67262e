#include "platform/ole/DragCursors.h"

#include <array>
#include <string_view>

#include "platform/base/HandleTable.h"
#include "platform/ole/IDropSource.h"
#include "platform/user/CursorObject.h"
#include "platform/user/User.h"

namespace orvane::platform {

namespace {

// The arrow, then the page under it: 'X' black, '.' white, ' ' clear.
constexpr std::string_view kArrow[] = {
    "X           ", "XX          ", "X.X         ", "X..X        ", "X...X       ", "X....X      ",
    "X.....X     ", "X......X    ", "X.......X   ", "X........X  ", "X.....XXXXX ", "X..X..X     ",
    "X.X X..X    ", "XX  X..X    ", "X    X..X   ", "     X..X   ", "      XX    ",
};
constexpr int kPageX = 8, kPageY = 18, kPageSide = 11;

// The mark on the page: a plus for copy, a bent arrow for link.
constexpr std::string_view kPlus[] = {
    "    X    ", "    X    ", "    X    ", "    X    ", "XXXXXXXXX",
    "    X    ", "    X    ", "    X    ", "    X    ",
};
constexpr std::string_view kLink[] = {
    "    XXXXX", "      XXX", "     X  X", "    X   X", "   X     ",
    "  X      ", " X       ", "X        ", "         ",
};

constexpr std::uint32_t kBlack = 0xFF000000, kWhite = 0xFFFFFFFF;

void draw(PixelSurface& s, int x0, int y0, const std::string_view* rows, std::size_t count) {
    for (std::size_t y = 0; y < count; ++y)
        for (std::size_t x = 0; x < rows[y].size(); ++x) {
            const char c = rows[y][x];
            if (c == ' ') continue;
            s.at(x0 + static_cast<int>(x), y0 + static_cast<int>(y)) = c == 'X' ? kBlack : kWhite;
        }
}

PixelSurface picture(DWORD kind) {
    PixelSurface s(32, 32, 0);
    draw(s, 0, 0, kArrow, std::size(kArrow));
    // The page: a white square with a black outline, dotted for a move.
    for (int y = 0; y <= kPageSide; ++y)
        for (int x = 0; x <= kPageSide; ++x) {
            const bool edge = x == 0 || y == 0 || x == kPageSide || y == kPageSide;
            const bool dot = kind != DROPEFFECT_MOVE || (x + y) % 2 == 0;
            s.at(kPageX + x, kPageY + y) = edge ? (dot ? kBlack : kWhite) : kWhite;
        }
    if (kind == DROPEFFECT_COPY) draw(s, kPageX + 2, kPageY + 2, kPlus, std::size(kPlus));
    if (kind == DROPEFFECT_LINK) draw(s, kPageX + 2, kPageY + 2, kLink, std::size(kLink));
    return s;
}

}  // namespace

HCURSOR DragCursor(DWORD effect) {
    DWORD kind = DROPEFFECT_NONE;
    if (effect & DROPEFFECT_MOVE)
        kind = DROPEFFECT_MOVE;
    else if (effect & DROPEFFECT_COPY)
        kind = DROPEFFECT_COPY;
    else if (effect & DROPEFFECT_LINK)
        kind = DROPEFFECT_LINK;
    if (kind == DROPEFFECT_NONE) return LoadCursorW(HINSTANCE(), IDC_NO);
    // Stock objects, made once per platform (a reset clears the table: they are made again).
    static std::array<std::uint32_t, 5> made{};
    std::uint32_t& h = made[kind];
    if (h && HandleTable::current().get<CursorObject>(h)) return HCURSOR(h);
    auto cursor = std::make_unique<CursorObject>();
    cursor->isIcon = false;
    cursor->image = picture(kind);
    h = HandleTable::current().add(std::move(cursor), true);
    return HCURSOR(h);
}

}  // namespace orvane::platform
