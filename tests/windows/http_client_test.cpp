// The real HTTP client against a server of the test's own on 127.0.0.1.
#include "tests/windows/loopback_server.h"  // winsock2 before windows.h

#include <tlhelp32.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
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
TEST_F(HttpClientTest, AnswersKeepTheirStatusAndBodyAfterAPlainGet) {
    const struct {
        std::string reply;
        int status;
        const char* body;
    } cases[] = {
        {Response("200 OK", "1"), 200, "1"},
        {Response("404 Not Found", "<html>gone</html>"), 404, "<html>gone</html>"},
        {Response("302 Found", "0", "Location: http://127.0.0.1:1/elsewhere\r\n"), 302, "0"},
    };
    for (const auto& c : cases) {
        Server server(c.reply);
        const platform::HttpReply reply = http_.Get(server.Url(), 5000, 4096);
        EXPECT_TRUE(reply.answered);
        EXPECT_EQ(reply.status, c.status);
        EXPECT_EQ(reply.body, c.body);
        EXPECT_FALSE(reply.truncated);
        EXPECT_EQ(reply.redirected, c.status == 302);
        EXPECT_EQ(server.request.rfind("GET /check?x=1 HTTP/1.", 0), 0u) << server.request;
    }
}

TEST_F(HttpClientTest, AMegabyteBodyIsCutAtTheCapQuickly) {
    const std::string chunk(64 * 1024, '7');
    Server server("HTTP/1.1 200 OK\r\nContent-Length: 1048576\r\n\r\n", chunk, 16);
    const auto start = Clock::now();
    const platform::HttpReply reply = http_.Get(server.Url(), 10000, 4096);
    EXPECT_LT(Seconds(start), 3.0);
    EXPECT_TRUE(reply.answered);
    EXPECT_EQ(reply.body, std::string(4096, '7'));
    EXPECT_TRUE(reply.truncated);
}

TEST_F(HttpClientTest, SilenceEndsAtTheTimeOutAndNoServerAtOnce) {
    {
        Server server("");  // accepts, reads the request, never answers
        const auto start = Clock::now();
        EXPECT_FALSE(http_.Get(server.Url(), 1500, 4096).answered);
        EXPECT_GE(Seconds(start), 1.2);
        EXPECT_LT(Seconds(start), 2.5);
    }
    unsigned short port = 0;
    closesocket(Listen(port));  // a port nobody listens on any more
    const auto start = Clock::now();
    EXPECT_FALSE(http_.Get("http://127.0.0.1:" + std::to_string(port) + "/", 10000, 4096).answered);
    EXPECT_LT(Seconds(start), 5.0);
}

// A server that hangs up early must not pass off the start of its body as all of it.
TEST_F(HttpClientTest, ABodyEndingBeforeItsStatedLengthIsNoAnswer) {
    Server server("HTTP/1.1 200 OK\r\nContent-Length: 5\r\nConnection: close\r\n\r\n1", "", 0, 0,
                  true);
    const auto start = Clock::now();
    EXPECT_FALSE(http_.Get(server.Url(), 5000, 4096).answered);
    EXPECT_LT(Seconds(start), 2.5) << "told by the hang-up, not by the time-out";
}

// This process's threads, the servers' own left out.
int ClientThreads(const std::vector<std::unique_ptr<Server>>& servers) {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    THREADENTRY32 entry = {};
    entry.dwSize = sizeof(entry);
    int count = 0;
    for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry)) {
        bool server = false;
        for (const auto& s : servers) server = server || s->threadId == entry.th32ThreadID;
        count += entry.th32OwnerProcessID == GetCurrentProcessId() && !server;
    }
    CloseHandle(snapshot);
    return count;
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
    const int before = ClientThreads(servers);
    for (auto& server : servers) EXPECT_FALSE(http_.Get(server->Url(), 300, 4096).answered);
    // The last check's thread ends with its socket's time-out, about when it was given up.
    int after = ClientThreads(servers);
    for (int i = 0; i < 40 && after > before; ++i) {
        Sleep(50);
        after = ClientThreads(servers);
    }
    EXPECT_LE(after, before);
}

}  // namespace
