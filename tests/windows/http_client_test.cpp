// The real HTTP client against a server of the test's own on 127.0.0.1.
#include "tests/windows/loopback_server.h"  // winsock2 before windows.h

#include <tlhelp32.h>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "platform/win32/win32_http.h"

namespace {

using namespace loopback;

class HttpClientTest : public ::testing::Test {
  protected:
    Winsock winsock_;
    platform::Win32Http http_;
};

// Following a redirect would ask a server nobody chose; the answer is the redirect itself.
TEST_F(HttpClientTest, AnswersKeepTheirStatusAndBodyCutAtTheCapAfterAPlainGet) {
    const std::string megabyte = "HTTP/1.1 200 OK\r\nContent-Length: 1048576\r\n\r\n";
    const struct {
        std::string reply;
        int status;
        std::string body;
    } cases[] = {
        {Response("200 OK", "1"), 200, "1"},
        {Response("404 Not Found", "<html>gone</html>"), 404, "<html>gone</html>"},
        {Response("302 Found", "0", "Location: http://127.0.0.1:1/elsewhere\r\n"), 302, "0"},
        {megabyte + std::string(1 << 20, '7'), 200, std::string(4096, '7')},
    };
    for (const auto& c : cases) {
        Server server(c.reply);
        const auto start = Clock::now();
        const platform::HttpReply reply = http_.Get(server.Url(), 10000, 4096);
        EXPECT_LT(Seconds(start), 3.0);
        EXPECT_TRUE(reply.answered);
        EXPECT_EQ(reply.status, c.status);
        EXPECT_EQ(reply.body, c.body);
        EXPECT_EQ(reply.truncated, c.body.size() == 4096);
        EXPECT_EQ(reply.redirected, c.status == 302);
        EXPECT_EQ(server.request.rfind("GET /check?x=1 HTTP/1.", 0), 0u) << server.request;
    }
}

// A server that hangs up early must not pass off the start of its body as all of it.
TEST_F(HttpClientTest, SilenceEndsAtTheTimeOutWhileAnEarlyHangUpOrNoServerIsToldAtOnce) {
    Server silent("");  // accepts, reads the request, never answers
    Server early("HTTP/1.1 200 OK\r\nContent-Length: 5\r\nConnection: close\r\n\r\n1", "", 0, 0,
                 true);
    unsigned short port = 0;
    closesocket(Listen(port));  // a port nobody listens on any more
    const struct {
        std::string url;
        DWORD timeoutMs;
        double least, most;
    } cases[] = {
        {silent.Url(), 1500, 1.2, 2.5},
        {early.Url(), 5000, 0, 2.5},
        {"http://127.0.0.1:" + std::to_string(port) + "/", 10000, 0, 5},
    };
    for (const auto& c : cases) {
        const auto start = Clock::now();
        EXPECT_FALSE(http_.Get(c.url, c.timeoutMs, 4096).answered) << c.url;
        EXPECT_GE(Seconds(start), c.least) << c.url;
        EXPECT_LT(Seconds(start), c.most) << c.url;
    }
}

// Servers that accept and then keep the connection open without a word, all still there.
TEST_F(HttpClientTest, ChecksGivenUpOnSilentServersLeaveNoThreadsBehind) {
    {
        Server answering(Response("200 OK", "1"));  // the client's lasting threads start here
        http_.Get(answering.Url(), 5000, 4096);
        Sleep(300);  // its thread closes the request after handing over the reply
    }
    std::vector<std::unique_ptr<Server>> servers;
    for (int i = 0; i < 20; ++i) servers.push_back(std::make_unique<Server>(""));
    for (auto& server : servers)
        while (!server->threadId) Sleep(1);
    const auto clientThreads = [&] {  // this process's, the servers' own left out
        HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
        THREADENTRY32 entry{sizeof(entry)};
        int count = 0;
        for (BOOL more = Thread32First(snapshot, &entry); more;
             more = Thread32Next(snapshot, &entry)) {
            bool server = false;
            for (const auto& s : servers) server = server || s->threadId == entry.th32ThreadID;
            count += entry.th32OwnerProcessID == GetCurrentProcessId() && !server;
        }
        CloseHandle(snapshot);
        return count;
    };
    const int before = clientThreads();
    for (auto& server : servers) EXPECT_FALSE(http_.Get(server->Url(), 300, 4096).answered);
    // The last check's thread ends with its socket's time-out, about when it was given up.
    int after = clientThreads();
    for (int i = 0; i < 40 && after > before; ++i, Sleep(50)) after = clientThreads();
    EXPECT_LE(after, before);
}

}  // namespace
