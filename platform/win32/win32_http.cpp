#include "platform/win32/win32_http.h"

#include <windows.h>

#include <wininet.h>

#include <atomic>
#include <memory>

#include "platform/win32/win32_code_page.h"

namespace platform {
namespace {

struct CloseInternet {
    void operator()(HINTERNET h) const { InternetCloseHandle(h); }
};
using InternetHandle = std::unique_ptr<void, CloseInternet>;

// What the caller and the request's thread share; whichever ends last frees it.
struct Exchange {
    Exchange() : done(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}
    ~Exchange() {
        if (done) CloseHandle(done);
    }
    Exchange(const Exchange&) = delete;
    Exchange& operator=(const Exchange&) = delete;

    std::string url;
    std::size_t maxBody = 0;
    DWORD timeoutMs = 0;
    std::atomic<HINTERNET> session{nullptr};
    std::atomic<bool> abandoned{false};
    HANDLE done;  // set once `reply` holds the answer, before the request is closed
    HttpReply reply;

    // Closing the session makes the calls blocked under it return; only one side may do it.
    void CloseSession() {
        if (HINTERNET s = session.exchange(nullptr)) InternetCloseHandle(s);
    }
};

// A header's value; empty when there is none, and "?" (no number) when it is too long.
std::string Header(HINTERNET request, DWORD which) {
    wchar_t text[256] = {};
    DWORD size = sizeof(text) - sizeof(wchar_t);  // in bytes
    if (HttpQueryInfoW(request, which, text, &size, nullptr))
        return Utf8({text, size / sizeof(wchar_t)});
    return GetLastError() == ERROR_INSUFFICIENT_BUFFER ? "?" : "";
}

// The body up to one byte past the cap, which tells a cut body from one that just fits.
// False when a read failed or the body ended before its stated length.
bool ReadBody(Exchange& x, HINTERNET request, std::string& body) {
    body.assign(x.maxBody + 1, '\0');
    std::size_t got = 0;
    while (got < body.size() && !x.abandoned) {
        DWORD n = 0;
        if (!InternetReadFile(request, &body[got], static_cast<DWORD>(body.size() - got), &n))
            return false;
        if (n == 0) break;
        got += n;
    }
    if (x.abandoned) return false;
    body.resize(got);
    // A chunked body states no length of its own; the client checks its chunks.
    const bool chunked =
        Header(request, HTTP_QUERY_TRANSFER_ENCODING).find("chunked") != std::string::npos;
    return got > x.maxBody || chunked || WholeBody(Header(request, HTTP_QUERY_CONTENT_LENGTH), got);
}

void Fetch(Exchange& x) {
    wchar_t host[INTERNET_MAX_HOST_NAME_LENGTH + 1] = {};
    wchar_t path[INTERNET_MAX_URL_LENGTH + 1] = {};
    wchar_t query[INTERNET_MAX_URL_LENGTH + 1] = {};
    URL_COMPONENTSW parts = {};
    parts.dwStructSize = sizeof(parts);
    parts.lpszHostName = host;
    parts.dwHostNameLength = INTERNET_MAX_HOST_NAME_LENGTH + 1;
    parts.lpszUrlPath = path;
    parts.dwUrlPathLength = INTERNET_MAX_URL_LENGTH + 1;
    parts.lpszExtraInfo = query;
    parts.dwExtraInfoLength = INTERNET_MAX_URL_LENGTH + 1;
    HINTERNET session = x.session.load();
    if (!session || !InternetCrackUrlW(Wide(x.url).c_str(), 0, 0, &parts)) return;
    InternetHandle connection(InternetConnectW(session, host, parts.nPort, nullptr, nullptr,
                                               INTERNET_SERVICE_HTTP, 0, 0));
    if (!connection) return;
    // Set here rather than on the session: some clients pass only these down to the socket,
    // so that a thread given up on still ends when the server stays silent.
    for (DWORD option : {INTERNET_OPTION_CONNECT_TIMEOUT, INTERNET_OPTION_SEND_TIMEOUT,
                         INTERNET_OPTION_RECEIVE_TIMEOUT})
        InternetSetOptionW(connection.get(), option, &x.timeoutMs, sizeof(x.timeoutMs));
    const DWORD flags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE |
                        INTERNET_FLAG_PRAGMA_NOCACHE | INTERNET_FLAG_NO_AUTO_REDIRECT |
                        INTERNET_FLAG_NO_COOKIES | INTERNET_FLAG_NO_UI |
                        (parts.nScheme == INTERNET_SCHEME_HTTPS ? INTERNET_FLAG_SECURE : 0);
    InternetHandle request(HttpOpenRequestW(connection.get(), L"GET",
                                            (std::wstring(path) + query).c_str(), nullptr, nullptr,
                                            nullptr, flags, 0));
    DWORD status = 0, size = sizeof(status);
    std::string body;
    if (!request || !HttpSendRequestW(request.get(), nullptr, 0, nullptr, 0) ||
        !HttpQueryInfoW(request.get(), HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status,
                        &size, nullptr) ||
        !ReadBody(x, request.get(), body))
        return;
    x.reply.answered = true;
    x.reply.status = static_cast<int>(status);
    x.reply.redirected = status >= 300 && status < 400;
    x.reply.truncated = body.size() > x.maxBody;
    if (x.reply.truncated) body.resize(x.maxBody);
    x.reply.body = std::move(body);
    // The caller may go on now: closing the request can first read what is left of a body
    // the server still sends.
    SetEvent(x.done);
}

DWORD WINAPI FetchThread(void* param) {
    std::unique_ptr<std::shared_ptr<Exchange>> mine(static_cast<std::shared_ptr<Exchange>*>(param));
    Exchange& x = **mine;
    Fetch(x);
    SetEvent(x.done);
    x.CloseSession();
    return 0;
}

}  // namespace

HttpReply Win32Http::Get(const std::string& url, unsigned timeoutMs, std::size_t maxBody) {
    auto x = std::make_shared<Exchange>();
    if (!x->done) return {};
    x->url = url;
    x->maxBody = maxBody;
    x->timeoutMs = timeoutMs;
    HINTERNET session = InternetOpenW(L"Quopa", INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0);
    if (!session) return {};
    x->session = session;

    // The client's own time-outs do not cover every stage (a server that sends a byte now
    // and then can hold it for long), so the request runs on a thread we stop waiting for.
    // That thread ends on its own: its socket times out, or its reading sees `abandoned`.
    auto* param = new std::shared_ptr<Exchange>(x);
    HANDLE thread = CreateThread(nullptr, 0, FetchThread, param, 0, nullptr);
    if (!thread) {
        delete param;
        x->CloseSession();
        return {};
    }
    CloseHandle(thread);
    if (WaitForSingleObject(x->done, timeoutMs) == WAIT_OBJECT_0) return x->reply;
    x->abandoned = true;
    x->CloseSession();
    return {};
}

}  // namespace platform
