// Reading a whole file: every byte back, zeros and high bytes included; missing files and
// directories give nothing.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "platform/base/ReadWholeFile.h"

namespace orvane::test {
namespace {

using platform::ReadWholeFile;

TEST(ReadWholeFile, ReadsEveryByteAndRefusesWhatIsNotAFile) {
    const std::filesystem::path dir =
        std::filesystem::temp_directory_path() / ("orvane-read-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    std::vector<std::uint8_t> bytes(70000);
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<std::uint8_t>(i * 7);  // zeros, 0x1A and 0xFF among them
    const std::filesystem::path file = dir / "data.bin";
    std::ofstream(file, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    EXPECT_EQ(ReadWholeFile(file.string()), bytes);

    std::ofstream(dir / "empty.bin", std::ios::binary);
    const auto empty = ReadWholeFile((dir / "empty.bin").string());
    ASSERT_TRUE(empty.has_value());
    EXPECT_TRUE(empty->empty());

    EXPECT_FALSE(ReadWholeFile((dir / "missing.bin").string()).has_value());
    EXPECT_FALSE(ReadWholeFile(dir.string()).has_value());
    std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace orvane::test
