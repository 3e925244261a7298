#include "platform/win32/win32_http.h"

#include <windows.h>

#include <wininet.h>

#include <atomic>
#include <memory>

namespace platform {
namespace {

// How long an abandoned request may take to notice its closed session before we leave it
// to end on its own (under Wine a blocked read does not notice at all).
constexpr DWORD kAbortGraceMs = 250;

// What the caller and the request's thread share; whichever ends last frees it.
struct Exchange {
    std::string url;
    std::size_t maxBody = 0;
    std::atomic<HINTERNET> session{nullptr};
    HttpReply reply;

    // Closing the session makes the calls blocked under it return; only one side may do it.
    void CloseSession() {
        if (HINTERNET s = session.exchange(nullptr)) InternetCloseHandle(s);
    }
};

void Fetch(Exchange& x) {
    const DWORD flags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE |
                        INTERNET_FLAG_PRAGMA_NOCACHE | INTERNET_FLAG_NO_AUTO_REDIRECT |
                        INTERNET_FLAG_NO_COOKIES | INTERNET_FLAG_NO_UI;
    HINTERNET session = x.session.load();
    if (!session) return;
    HINTERNET request = InternetOpenUrlA(session, x.url.c_str(), nullptr, 0, flags, 0);
    if (!request) return;
    DWORD status = 0, size = sizeof(status);
    if (HttpQueryInfoA(request, HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &size,
                       nullptr)) {
        // One byte past the cap tells a cut body from one that just fits.
        std::string body(x.maxBody + 1, '\0');
        std::size_t got = 0;
        bool ok = true;
        while (got < body.size()) {
            DWORD n = 0;
            ok = InternetReadFile(request, &body[got], static_cast<DWORD>(body.size() - got), &n) !=
                 FALSE;
            if (!ok || n == 0) break;
            got += n;
        }
        // A body broken off midway is no answer: "1" may have been the start of "10".
        if (ok) {
            x.reply.answered = true;
            x.reply.status = static_cast<int>(status);
            x.reply.redirected = status >= 300 && status < 400;
            x.reply.truncated = got > x.maxBody;
            body.resize(got > x.maxBody ? x.maxBody : got);
            x.reply.body = std::move(body);
        }
    }
    InternetCloseHandle(request);
}

DWORD WINAPI FetchThread(void* param) {
    std::unique_ptr<std::shared_ptr<Exchange>> mine(static_cast<std::shared_ptr<Exchange>*>(param));
    Fetch(**mine);
    (*mine)->CloseSession();
    return 0;
}

}  // namespace

HttpReply Win32Http::Get(const std::string& url, unsigned timeoutMs, std::size_t maxBody) {
    auto x = std::make_shared<Exchange>();
    x->url = url;
    x->maxBody = maxBody;
    HINTERNET session = InternetOpenA("Quopa", INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0);
    if (!session) return {};
    DWORD ms = timeoutMs;
    for (DWORD option : {INTERNET_OPTION_CONNECT_TIMEOUT, INTERNET_OPTION_SEND_TIMEOUT,
                         INTERNET_OPTION_RECEIVE_TIMEOUT})
        InternetSetOptionA(session, option, &ms, sizeof(ms));
    x->session = session;

    // The client's own time-outs do not cover every stage (a server that accepts and never
    // answers can hold it for long), so the request runs on a thread we stop waiting for.
    auto* param = new std::shared_ptr<Exchange>(x);
    HANDLE thread = CreateThread(nullptr, 0, FetchThread, param, 0, nullptr);
    if (!thread) {
        delete param;
        x->CloseSession();
        return {};
    }
    HttpReply reply;
    if (WaitForSingleObject(thread, timeoutMs) == WAIT_OBJECT_0) {
        reply = std::move(x->reply);
    } else {
        x->CloseSession();
        WaitForSingleObject(thread, kAbortGraceMs);
    }
    CloseHandle(thread);
    return reply;
}

}  // namespace platform
