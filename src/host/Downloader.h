// Downloads for AsyncRead: file and http(s) addresses fetched on the user-interface thread
// through one multi-transfer handle that the controls poll from their timers, so no worker
// thread is needed. Each finished transfer calls its handler once, from poll().
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace orvane {

class Downloader {
public:
    // How a transfer ended.
    struct Result {
        bool ok = false;                  // it finished and everything was read
        std::vector<std::uint8_t> bytes;  // what was read
        std::int32_t httpStatus = 0;      // 0 for addresses that are not http(s)
        std::string message;              // why it failed
        int failure = 0;                  // 0, or one of the kinds below
    };
    // Why a transfer failed: nothing at the address, no connection, more than kMaxBytes, or
    // anything else.
    enum Failure { NotFound = 1, CannotConnect, TooLarge, Failed };
    // Runs once when a transfer ends, with its result.
    using Handler = std::function<void(Result&)>;

    // The program's one downloader.
    static Downloader& current();
    ~Downloader();

    // Starts a transfer; the handler runs when it ends. Returns its id (never 0).
    int start(const std::string& url, Handler handler);
    // Forgets a transfer: its handler will not run.
    void cancel(int id);
    // Moves the transfers on and runs the handlers of those that ended. `waitMs` > 0 waits up
    // to that long for activity first.
    void poll(int waitMs = 0);
    // Whether the transfer `id` is still running.
    bool pending(int id) const;
    // Whether no transfer is running.
    bool idle() const;

    // Transfers stop with TooLarge past this many bytes.
    static constexpr std::size_t kMaxBytes = 256u << 20;

private:
    Downloader();
    struct Transfer;
    void* m_multi = nullptr;
    std::vector<std::unique_ptr<Transfer>> m_transfers;
    int m_nextId = 1;
};

}  // namespace orvane
