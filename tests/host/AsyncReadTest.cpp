// Reading data while the control runs: files and file addresses, as bytes or a temporary
// file, completed from the control's timer; failures reach Value; cancelling and ending the
// control stop a read.
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "host/ErrorOf.h"
#include "host/Form.h"
#include "platform/base/CodePages.h"
#include "support/PlatformTest.h"

using namespace orvane;
using namespace orvane::platform;

namespace {

// Keeps every finished read.
class Reader : public UserControl {
public:
    std::vector<std::shared_ptr<AsyncProperty>> done;
    std::vector<std::u16string> names;
    std::vector<Variant> values;  // Value, or the error number it raised
    std::string fileContents;     // of a File read, read in the event: the file goes with it

protected:
    void AsyncReadComplete(AsyncProperty& p) override {
        names.push_back(p.PropertyName());
        try {
            values.push_back(p.Value());
            if (p.AsyncType() == vbAsyncTypeFile) {
                std::ifstream in(ToUtf8(p.Value().toString()), std::ios::binary);
                fileContents.assign(std::istreambuf_iterator<char>(in), {});
            }
        } catch (const Error& e) {
            values.push_back(Variant(static_cast<std::int32_t>(e.number())));
        }
    }
};

class AsyncReadTest : public test::PlatformTest {
protected:
    void SetUp() override {
        PlatformTest::SetUp();
        char dir[] = "/tmp/orvane-async-XXXXXX";
        ASSERT_TRUE(mkdtemp(dir));
        folder = dir;
    }
    void TearDown() override {
        for (const std::string& f : files)
            std::remove(f.c_str());
        rmdir(folder.c_str());
        PlatformTest::TearDown();
    }
    std::string write(const std::string& name, const std::string& bytes) {
        const std::string path = folder + "/" + name;
        std::ofstream(path, std::ios::binary) << bytes;
        files.push_back(path);
        return path;
    }
    // Lets the control's read timer run a few times.
    void run() {
        for (int i = 0; i < 5; ++i) {
            platform->AdvanceTime(10);
            platform->PumpMessages();
        }
    }
    std::string folder;
    std::vector<std::string> files;
};

std::vector<std::uint8_t> bytesOf(const std::string& s) {
    return {s.begin(), s.end()};
}

}  // namespace

TEST_F(AsyncReadTest, BytesAndFilesArriveFromTheTimer) {
    Form form(u"F");
    auto& reader = form.add<Reader>(u"r", -1, Extender());
    const std::string data(
        "PNG\0\x01\xFF"
        "data",
        11);
    const std::string path = write("with space #1.bin", data);

    reader.AsyncRead(FromUtf8(path), vbAsyncTypeByteArray, u"Picture");
    EXPECT_TRUE(reader.names.empty());  // nothing before the timer runs
    run();
    ASSERT_EQ(reader.names, std::vector<std::u16string>{u"Picture"});
    EXPECT_EQ(reader.values[0].bytes(), bytesOf(data));

    // As a file address, read into a temporary file that goes with the property.
    reader.names.clear();
    reader.values.clear();
    reader.AsyncRead(u"file://" + FromUtf8(folder) + u"/with%20space%20%231.bin", vbAsyncTypeFile,
                     u"Copy");
    run();
    ASSERT_EQ(reader.values.size(), 1u);
    const std::string copy = ToUtf8(reader.values[0].toString());
    EXPECT_NE(copy, path);
    EXPECT_EQ(reader.fileContents, data);
    EXPECT_NE(access(copy.c_str(), F_OK), 0) << "the temporary file outlived the read";

    // Synchronous reads finish before the call returns.
    reader.values.clear();
    reader.AsyncRead(FromUtf8(path), vbAsyncTypeByteArray, u"Now", vbAsyncReadSynchronousDownload);
    ASSERT_EQ(reader.values.size(), 1u);
    EXPECT_EQ(reader.values[0].bytes(), bytesOf(data));
}

TEST_F(AsyncReadTest, FailuresReachValueAndBadRequestsAreRefused) {
    Form form(u"F");
    auto& reader = form.add<Reader>(u"r", -1, Extender());
    reader.AsyncRead(FromUtf8(folder + "/missing.bin"), vbAsyncTypeByteArray, u"Gone");
    run();
    ASSERT_EQ(reader.values.size(), 1u);
    EXPECT_EQ(reader.values[0].toLong(), errors::DownloadNotFound);

    EXPECT_EQ(test::errorOf([&] { reader.AsyncRead(u"x", vbAsyncTypePicture, u"P"); }), 5);
    EXPECT_EQ(test::errorOf([&] { reader.AsyncRead(u"x", 7, u"P"); }), 5);
    EXPECT_EQ(test::errorOf([&] { reader.AsyncRead(u"x", vbAsyncTypeFile, u"P", 0x4); }), 5);
    EXPECT_EQ(test::errorOf([&] { reader.AsyncRead(u"", vbAsyncTypeFile, u"P"); }), 5);
    EXPECT_EQ(test::errorOf([&] {
                  reader.AsyncRead(u"ftp://example.invalid/x", vbAsyncTypeFile, u"P",
                                   vbAsyncReadSynchronousDownload);
              }),
              0);
    EXPECT_EQ(reader.values.back().toLong(), errors::DownloadFailure);  // not an allowed scheme
}

TEST_F(AsyncReadTest, CancelledAndOrphanedReadsNeverComplete) {
    Form form(u"F");
    auto& reader = form.add<Reader>(u"r", -1, Extender());
    auto& other = form.add<Reader>(u"o", -1, Extender());
    const std::string path = write("a.bin", "abc");
    reader.AsyncRead(FromUtf8(path), vbAsyncTypeByteArray, u"One");
    reader.CancelAsyncRead(u"ONE");
    // Reading a property again replaces the read still running.
    reader.AsyncRead(FromUtf8(path), vbAsyncTypeByteArray, u"Two");
    reader.AsyncRead(FromUtf8(write("b.bin", "xyz")), vbAsyncTypeByteArray, u"Two");
    other.AsyncRead(FromUtf8(path), vbAsyncTypeByteArray, u"Three");
    form.remove(other);  // its read goes with it
    run();
    ASSERT_EQ(reader.names, std::vector<std::u16string>{u"Two"});
    EXPECT_EQ(reader.values[0].bytes(), bytesOf("xyz"));
}
