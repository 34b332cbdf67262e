#include "framework/ErrorLog.h"

#include <chrono>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <string>

#include "host/App.h"
#include "platform/base/CodePages.h"

namespace orvane {

namespace {

std::u16string timeStamp() {
    const auto now = std::chrono::system_clock::now();
    const std::time_t t = std::chrono::system_clock::to_time_t(now);
    std::tm local{};
    localtime_r(&t, &local);
    const auto ms =
        std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() %
        1000;
    char text[80];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d.%03d", local.tm_year + 1900,
                  local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec,
                  static_cast<int>(ms));
    return platform::FromUtf8(text);
}

}  // namespace

void WriteLog(const std::u16string& text) {
    const std::string path = platform::ToUtf8(App::current().Path()) + "/Orvane.log";
    {
        // A file without the byte-order mark is not ours to append to.
        std::ifstream in(path, std::ios::binary);
        char mark[2] = {};
        if (in && !(in.read(mark, 2) && mark[0] == '\xFF' && mark[1] == '\xFE')) {
            in.close();
            std::remove(path.c_str());
        }
    }
    std::ofstream out(path, std::ios::binary | std::ios::app);
    if (!out) return;
    out.seekp(0, std::ios::end);
    std::u16string entry;
    if (out.tellp() == 0) entry += u'\xFEFF';
    entry += timeStamp() + u"\r\n" + text + u"\r\n";
    std::string bytes;
    bytes.reserve(entry.size() * 2);
    for (char16_t c : entry) {
        bytes += static_cast<char>(c & 0xFF);
        bytes += static_cast<char>(c >> 8);
    }
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

void LogError(const Error& error, std::int32_t line, const std::u16string& procedure) {
    std::u16string text = u"Error " + platform::FromUtf8(std::to_string(error.number())) + u", " +
                          error.description() + u" Proc = " + procedure;
    text +=
        line != 0 ? u" on Line " + platform::FromUtf8(std::to_string(line)) : u" (No Line Numbers)";
    WriteLog(text);
    if (!App::current().InDevelopmentEnvironment())
        throw Error(error.number(), procedure, error.description());
}

}  // namespace orvane
