// File lists in DROPFILES blocks. A block may come from anywhere (another program, a script's
// raw bytes), so reading it checks every offset and stops at the block's end: a malformed
// block reads as no files.
#include <algorithm>
#include <cstring>

#include "platform/base/CodePages.h"
#include "platform/ole/Ole.h"

namespace orvane::platform {

namespace {

// The header of a locked block, or false when the block is too small to hold one.
bool readHeader(const std::uint8_t* bytes, SIZE_T size, DROPFILES& header) {
    if (!bytes || size < sizeof(DROPFILES)) return false;
    std::memcpy(&header, bytes, sizeof header);
    return header.pFiles >= sizeof(DROPFILES) && header.pFiles <= size;
}

// The names of a block's bytes; empty when the list runs past the block's end.
std::vector<std::u16string> parse(const std::uint8_t* bytes, SIZE_T size) {
    DROPFILES header;
    if (!readHeader(bytes, size, header)) return {};
    std::vector<std::u16string> names;
    SIZE_T at = header.pFiles;
    if (header.fWide) {
        for (;;) {
            std::u16string name;
            for (;;) {
                if (at + 2 > size) return {};  // no terminating NUL inside the block
                char16_t c;
                std::memcpy(&c, bytes + at, 2);
                at += 2;
                if (!c) break;
                name.push_back(c);
            }
            if (name.empty()) return names;  // the second NUL ends the list
            names.push_back(std::move(name));
        }
    }
    for (;;) {
        const SIZE_T start = at;
        while (at < size && bytes[at])
            ++at;
        if (at >= size) return {};
        const int n = static_cast<int>(at - start);
        ++at;
        if (n == 0) return names;
        std::u16string name(static_cast<std::size_t>(n), u'\0');
        const int got = MultiByteToWideChar(CP_ACP, 0, reinterpret_cast<const char*>(bytes + start),
                                            n, name.data(), n);
        name.resize(static_cast<std::size_t>(got > 0 ? got : 0));
        names.push_back(std::move(name));
    }
}

// The names of a block, or empty when it is not a block or is malformed.
std::vector<std::u16string> names(HDROP drop) {
    const SIZE_T size = GlobalSize(drop);
    auto* bytes = static_cast<const std::uint8_t*>(GlobalLock(drop));
    if (!bytes) return {};
    std::vector<std::u16string> list = parse(bytes, size);
    GlobalUnlock(drop);
    return list;
}

}  // namespace

std::vector<std::u16string> FileDropNames(HDROP drop) {
    return names(drop);
}

UINT DragQueryFileW(HDROP drop, UINT index, LPWSTR buffer, UINT capacity) {
    const std::vector<std::u16string> list = names(drop);
    if (index == 0xFFFFFFFFu) return static_cast<UINT>(list.size());
    if (index >= list.size()) return 0;
    const std::u16string& name = list[index];
    if (!buffer) return static_cast<UINT>(name.size());
    if (capacity == 0) return 0;
    const UINT n = std::min(static_cast<UINT>(name.size()), capacity - 1);
    std::memcpy(buffer, name.data(), n * sizeof(char16_t));
    buffer[n] = u'\0';
    return n;
}

BOOL DragQueryPoint(HDROP drop, POINT* pt) {
    const SIZE_T size = GlobalSize(drop);
    auto* bytes = static_cast<const std::uint8_t*>(GlobalLock(drop));
    DROPFILES header;
    const bool ok = readHeader(bytes, size, header);
    if (bytes) GlobalUnlock(drop);
    if (!ok) return FALSE;
    if (pt) *pt = header.pt;
    return header.fNC ? FALSE : TRUE;
}

void DragFinish(HDROP drop) {
    if (drop) GlobalFree(drop);
}

HDROP CreateFileDropBlock(const std::vector<std::u16string>& paths, POINT pt, BOOL nc) {
    SIZE_T units = 1;  // the list's final NUL
    for (const std::u16string& p : paths) {
        if (p.empty() || p.find(u'\0') != std::u16string::npos) return HDROP();
        units += p.size() + 1;
    }
    const HDROP block = GlobalAlloc(GHND, sizeof(DROPFILES) + units * sizeof(char16_t));
    if (!block) return HDROP();
    auto* bytes = static_cast<std::uint8_t*>(GlobalLock(block));
    DROPFILES header;
    header.pFiles = sizeof(DROPFILES);
    header.pt = pt;
    header.fNC = nc;
    header.fWide = TRUE;
    std::memcpy(bytes, &header, sizeof header);
    auto* out = bytes + sizeof(DROPFILES);
    for (const std::u16string& p : paths) {
        std::memcpy(out, p.data(), p.size() * sizeof(char16_t));
        out += (p.size() + 1) * sizeof(char16_t);  // the NUL is already zero
    }
    GlobalUnlock(block);
    return block;
}

}  // namespace orvane::platform
