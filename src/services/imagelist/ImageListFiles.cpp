// ucImageList: the image block, list files, and single icon records.
#include <algorithm>

#include "platform/gdi/Gdi.h"
#include "platform/user/User.h"
#include "services/imagelist/ImageListFile.h"
#include "services/imagelist/ucImageList.h"

namespace orvane {

using namespace platform;

namespace {

// `items` made as long as the list, "" for images added past them.
std::vector<std::u16string> padded(std::vector<std::u16string> items, std::size_t count) {
    items.resize(count);
    return items;
}

}  // namespace

std::vector<std::uint8_t> ucImageList::imageBlock() const {
    const int count = ImageCount();
    std::vector<std::uint8_t> block;
    if (count == 0) return block;
    // Every image has the list's size, so the block's length is known before it is written.
    block.resize(static_cast<std::size_t>(count) * IconRecord::length(m_width, m_height));
    const HDC dc = CreateCompatibleDC(HDC());
    std::size_t at = 0;
    for (int i = 0; i < count; ++i) {
        const HICON icon = ImageList_GetIcon(m_himl, i, ILD_NORMAL);
        std::size_t length = 0;
        if (icon && IconRecord::write(dc, icon, block, at, length)) at += length;
        if (icon) DestroyIcon(icon);
    }
    DeleteDC(dc);
    block.resize(at);
    return block;
}

bool ucImageList::replaceImages(std::span<const std::uint8_t> block, const std::u16string& keys,
                                const std::u16string& tags) {
    // Everything is checked, and the new list made whole, before the old one goes.
    const auto records = ImageListFile::records(block);
    if (!records) return false;
    const auto keyList = ImageListFile::splitKeys(keys, records->size());
    const auto tagList = ImageListFile::splitKeys(tags, records->size());
    if (!keyList || !tagList) return false;
    const HIMAGELIST fresh =
        ImageList_Create(m_width, m_height, static_cast<UINT>(m_colorDepth) | ILC_MASK,
                         std::max<int>(4, static_cast<int>(records->size())), 4);
    if (!fresh) return false;
    for (const IconRecord::Layout& layout : *records) {
        const HICON icon = IconRecord::read(block, layout);
        const bool added = icon && ImageList_AddIcon(fresh, icon) >= 0;
        if (icon) DestroyIcon(icon);
        if (!added) {
            ImageList_Destroy(fresh);
            return false;
        }
    }
    if (m_himl) ImageList_Destroy(m_himl);
    m_himl = fresh;
    m_keys = *keyList;
    m_tags = *tagList;
    return true;
}

bool ucImageList::SaveToFile(const std::u16string& sFile) const {
    if (!m_himl) return false;
    const std::vector<std::uint8_t> block = imageBlock();
    const std::u16string keys =
        ImageListFile::joinKeys(padded(m_keys, static_cast<std::size_t>(ImageCount())));
    return ImageListFile::save(sFile, ImageListFile::compose(block, keys));
}

bool ucImageList::LoadFromFile(const std::u16string& sFile) {
    if (!m_himl) return false;
    const auto contents = ImageListFile::load(sFile);
    if (!contents || !replaceImages(contents->block, contents->keys, u"")) return false;
    imagesChanged(true);
    repaintInDesigner();
    return true;
}

bool ucImageList::SerialiseIcon(HDC lhDC, HICON hIcon, std::vector<std::uint8_t>& b,
                                std::int32_t lByteStart, std::int32_t& lArraySize) const {
    lArraySize = 0;
    if (lByteStart < 0) return false;
    std::size_t length = 0;
    if (!IconRecord::write(lhDC, hIcon, b, static_cast<std::size_t>(lByteStart), length))
        return false;
    lArraySize = static_cast<std::int32_t>(length);
    return true;
}

void ucImageList::DeSerialiseIcon(HDC, HICON& hIcon, const std::vector<std::uint8_t>& b,
                                  std::int32_t lByteStart, std::int32_t& lArraySize) const {
    hIcon = HICON();
    lArraySize = 0;
    if (lByteStart < 0) return;
    const auto layout = IconRecord::inspect(b, static_cast<std::size_t>(lByteStart));
    if (!layout) return;
    hIcon = IconRecord::read(b, *layout);
    if (hIcon) lArraySize = static_cast<std::int32_t>(layout->length);
}

}  // namespace orvane
