// The image list's formats: the image block (one IconRecord per image, in order), the key and
// tag strings (each entry followed by a TAB) and the list file, little-endian:
//
//   offset 0       magic 0x5745E456 (bytes 56 E4 45 57)
//   offset 4       n, the length of the image block
//   offset 8       the image block, n bytes
//   offset 8 + n   k, the length of the key string in characters
//   offset 12 + n  the key string, one byte a character in the ANSI code page (1252)
//
// Reading refuses anything else whole: a wrong magic, a length that runs past the end of the
// file or leaves bytes after it, a file cut short anywhere, a damaged record, more keys than
// images. Lengths are checked against the file before anything is allocated for them.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "services/imagelist/IconRecord.h"

namespace orvane {

class ImageListFile {
public:
    // The first four bytes of every list file.
    static constexpr std::uint32_t kMagic = 0x5745E456;
    // Files larger than this are refused before they are read.
    static constexpr std::uint64_t kMaxFileBytes = 256ull << 20;

    // What a list file holds.
    struct Contents {
        std::vector<std::uint8_t> block;  // the image block
        std::u16string keys;              // the key string
    };

    // The bytes of a list file holding `block` and `keys` (characters the ANSI code page lacks
    // become "?").
    static std::vector<std::uint8_t> compose(std::span<const std::uint8_t> block,
                                             std::u16string_view keys);
    // The contents of a list file's bytes; none for bytes that are not a whole list file.
    static std::optional<Contents> parse(std::span<const std::uint8_t> file);
    // Reads a list file from disk (a UTF-16 path); none when it cannot be read or is not a list
    // file. Only the magic is read from a file that does not start with it.
    static std::optional<Contents> load(const std::u16string& path);
    // Writes `bytes` to a file, replacing it; false when it cannot be written.
    static bool save(const std::u16string& path, std::span<const std::uint8_t> bytes);

    // Every record of an image block, in order; none when a record is damaged or the block does
    // not end where its last record does.
    static std::optional<std::vector<IconRecord::Layout>> records(
        std::span<const std::uint8_t> block);

    // The key (or tag) string of a list of keys: each followed by a TAB.
    static std::u16string joinKeys(const std::vector<std::u16string>& keys);
    // The `count` keys of a key string, "" for those it does not name (an empty string names
    // none); none when it names more than `count`.
    static std::optional<std::vector<std::u16string>> splitKeys(std::u16string_view text,
                                                                std::size_t count);
};

}  // namespace orvane
