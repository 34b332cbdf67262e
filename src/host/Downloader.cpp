#include "host/Downloader.h"

#include <curl/curl.h>

#include <algorithm>

#include "host/Error.h"

namespace orvane {

struct Downloader::Transfer {
    int id = 0;
    CURL* easy = nullptr;
    Handler handler;
    Result result;
    char error[CURL_ERROR_SIZE] = {};
};

namespace {

std::size_t receive(char* data, std::size_t size, std::size_t count, void* user) {
    auto* t = static_cast<Downloader::Result*>(user);
    const std::size_t n = size * count;
    if (t->bytes.size() + n > Downloader::kMaxBytes) {
        t->failure = Downloader::TooLarge;
        return 0;  // stops the transfer
    }
    t->bytes.insert(t->bytes.end(), data, data + n);
    return n;
}

}  // namespace

Downloader& Downloader::current() {
    static Downloader downloader;
    return downloader;
}

Downloader::Downloader() {
    curl_global_init(CURL_GLOBAL_DEFAULT);
    m_multi = curl_multi_init();
}

Downloader::~Downloader() {
    for (auto& t : m_transfers) {
        curl_multi_remove_handle(static_cast<CURLM*>(m_multi), t->easy);
        curl_easy_cleanup(t->easy);
    }
    curl_multi_cleanup(static_cast<CURLM*>(m_multi));
    curl_global_cleanup();
}

int Downloader::start(const std::string& url, Handler handler) {
    if (!m_multi) throw Error(errors::OutOfMemory, u"AsyncRead", u"Downloads are not available");
    auto t = std::make_unique<Transfer>();
    t->easy = curl_easy_init();
    if (!t->easy) throw Error(errors::OutOfMemory, u"AsyncRead", u"Out of memory");
    t->id = m_nextId++;
    if (m_nextId <= 0) m_nextId = 1;
    t->handler = std::move(handler);
    curl_easy_setopt(t->easy, CURLOPT_URL, url.c_str());
    curl_easy_setopt(t->easy, CURLOPT_PROTOCOLS_STR, "file,http,https");
    curl_easy_setopt(t->easy, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(t->easy, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(t->easy, CURLOPT_MAXREDIRS, 10L);
    curl_easy_setopt(t->easy, CURLOPT_CONNECTTIMEOUT, 30L);
    curl_easy_setopt(t->easy, CURLOPT_NOSIGNAL, 1L);
    // A server that stops sending (under 1 byte a second for a minute) ends the transfer.
    curl_easy_setopt(t->easy, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(t->easy, CURLOPT_LOW_SPEED_TIME, 60L);
    curl_easy_setopt(t->easy, CURLOPT_WRITEFUNCTION, &receive);
    curl_easy_setopt(t->easy, CURLOPT_WRITEDATA, &t->result);
    curl_easy_setopt(t->easy, CURLOPT_ERRORBUFFER, t->error);
    curl_easy_setopt(t->easy, CURLOPT_PRIVATE, t.get());
    if (curl_multi_add_handle(static_cast<CURLM*>(m_multi), t->easy) != CURLM_OK) {
        curl_easy_cleanup(t->easy);
        throw Error(errors::OutOfMemory, u"AsyncRead", u"The download could not be started");
    }
    const int id = t->id;
    m_transfers.push_back(std::move(t));
    return id;
}

void Downloader::cancel(int id) {
    auto it = std::find_if(m_transfers.begin(), m_transfers.end(),
                           [id](const auto& t) { return t->id == id; });
    if (it == m_transfers.end()) return;
    curl_multi_remove_handle(static_cast<CURLM*>(m_multi), (*it)->easy);
    curl_easy_cleanup((*it)->easy);
    m_transfers.erase(it);
}

bool Downloader::pending(int id) const {
    return std::any_of(m_transfers.begin(), m_transfers.end(),
                       [id](const auto& t) { return t->id == id; });
}

bool Downloader::idle() const {
    return m_transfers.empty();
}

void Downloader::poll(int waitMs) {
    if (m_transfers.empty()) return;
    auto* multi = static_cast<CURLM*>(m_multi);
    int running = 0;
    if (waitMs > 0) curl_multi_wait(multi, nullptr, 0, waitMs, nullptr);
    curl_multi_perform(multi, &running);
    // Collect the finished transfers first: a handler may start or cancel others.
    std::vector<std::unique_ptr<Transfer>> done;
    int left = 0;
    while (CURLMsg* msg = curl_multi_info_read(multi, &left)) {
        if (msg->msg != CURLMSG_DONE) continue;
        Transfer* finished = nullptr;
        curl_easy_getinfo(msg->easy_handle, CURLINFO_PRIVATE, &finished);
        const CURLcode code = msg->data.result;
        Result& r = finished->result;
        curl_easy_getinfo(msg->easy_handle, CURLINFO_RESPONSE_CODE, &r.httpStatus);
        if (r.failure == TooLarge) {
            r.message = "The download is larger than " + std::to_string(kMaxBytes) + " bytes";
        } else if (code != CURLE_OK) {
            r.message = finished->error[0] ? finished->error : curl_easy_strerror(code);
            r.failure = code == CURLE_COULDNT_CONNECT || code == CURLE_OPERATION_TIMEDOUT
                            ? CannotConnect
                        : code == CURLE_FILE_COULDNT_READ_FILE || code == CURLE_COULDNT_RESOLVE_HOST
                            ? NotFound
                            : Failed;
        } else if (r.httpStatus >= 400) {
            r.message = "HTTP status " + std::to_string(r.httpStatus);
            r.failure = r.httpStatus == 404 || r.httpStatus == 410 ? NotFound : Failed;
        }
        r.ok = r.failure == 0;
        curl_multi_remove_handle(multi, msg->easy_handle);
        curl_easy_cleanup(msg->easy_handle);
        finished->easy = nullptr;
        auto it = std::find_if(m_transfers.begin(), m_transfers.end(),
                               [&](const auto& t) { return t.get() == finished; });
        done.push_back(std::move(*it));
        m_transfers.erase(it);
    }
    for (auto& t : done)
        if (t->handler) t->handler(t->result);
}

}  // namespace orvane
