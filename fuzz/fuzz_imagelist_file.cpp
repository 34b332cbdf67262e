// Image-list files from untrusted bytes, read from memory and from disk by an image list: a
// file either loads whole, with one image for each record, or changes nothing. Nothing may
// crash, hang, read outside the data or leave an object behind.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "platform/base/CodePages.h"
#include "platform/base/HandleTable.h"
#include "platform/platform.h"
#include "platform/testing.h"
#include "services/imagelist/ImageListFile.h"
#include "services/imagelist/ucImageList.h"

using namespace orvane;
using namespace orvane::platform;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static testing::TestPlatform* platform = new testing::TestPlatform();
    static ucImageList* list = [] {
        auto* l = new ucImageList();
        l->Create();
        return l;
    }();
    // One file per process, removed as the fuzzer exits.
    struct TempFile {
        std::string path = (std::filesystem::temp_directory_path() /
                            ("orvane-fuzz-" + std::to_string(getpid()) + ".iml"))
                               .string();
        ~TempFile() {
            std::error_code ignored;
            std::filesystem::remove(path, ignored);
        }
    };
    static const TempFile file;
    const std::string& path = file.path;
    (void)platform;
    const DWORD gdiBefore = testing::TestPlatform::LiveGdiObjects();
    const DWORD userBefore = testing::TestPlatform::LiveUserObjects();
    const std::size_t listsBefore = HandleTable::current().liveCount(ObjectKind::ImageList);

    // From memory: every record of a whole file makes an icon.
    const auto contents = ImageListFile::parse({data, size});
    std::optional<std::vector<IconRecord::Layout>> records;
    if (contents) records = ImageListFile::records(contents->block);
    if (records)
        for (const IconRecord::Layout& layout : *records)
            if (const HICON icon = IconRecord::read(contents->block, layout)) DestroyIcon(icon);

    // From disk, through the list.
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    const HIMAGELIST before = list->himl();
    const std::int32_t countBefore = list->ImageCount();
    const bool keyed = records && ImageListFile::splitKeys(contents->keys, records->size());
    if (list->LoadFromFile(FromUtf8(path))) {
        if (!keyed || list->ImageCount() != static_cast<std::int32_t>(records->size()))
            std::abort();
        list->Clear();
    } else if (keyed || list->himl() != before || list->ImageCount() != countBefore) {
        std::abort();
    }

    if (testing::TestPlatform::LiveGdiObjects() != gdiBefore ||
        testing::TestPlatform::LiveUserObjects() != userBefore ||
        HandleTable::current().liveCount(ObjectKind::ImageList) != listsBefore)
        std::abort();
    return 0;
}
