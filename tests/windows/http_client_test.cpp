// The real HTTP client against a server of the test's own on 127.0.0.1.
#include "tests/windows/loopback_server.h"  // winsock2 before windows.h

#include <gtest/gtest.h>

#include "platform/win32/win32_http.h"

namespace {

using loopback::Server;

double SecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

class HttpClientTest : public ::testing::Test {
  protected:
    HttpClientTest() { WSAStartup(MAKEWORD(2, 2), &winsock_); }
    ~HttpClientTest() override { WSACleanup(); }

    WSADATA winsock_;
    platform::Win32Http http_;
};

// Following a redirect would ask a server nobody chose; the answer is the redirect itself.
TEST_F(HttpClientTest, AnswersKeepTheirStatusAndBodyCutAtTheCapAfterAPlainGet) {
    const std::string head = "\r\nConnection: close\r\nContent-Length: ";
    const struct {
        std::string reply;
        int status;
        std::string body;
    } cases[] = {
        {"HTTP/1.1 200 OK" + head + "1\r\n\r\n1", 200, "1"},
        {"HTTP/1.1 404 Not Found" + head + "17\r\n\r\n<html>gone</html>", 404, "<html>gone</html>"},
        {"HTTP/1.1 302 Found\r\nLocation: http://127.0.0.1:1/elsewhere" + head + "1\r\n\r\n0", 302,
         "0"},
        {"HTTP/1.1 200 OK" + head + "1048576\r\n\r\n" + std::string(1 << 20, '7'), 200,
         std::string(4096, '7')},
    };
    for (const auto& c : cases) {
        Server server(c.reply);
        const auto start = std::chrono::steady_clock::now();
        const platform::HttpReply reply = http_.Get(server.Url(), 10000, 4096);
        EXPECT_LT(SecondsSince(start), 3.0);
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
    Server silent(""),
        early("HTTP/1.1 200 OK\r\nContent-Length: 5\r\nConnection: close\r\n\r\n1", true);
    unsigned short port = 0;
    closesocket(loopback::Listen(port));  // a port nobody listens on any more
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
        const auto start = std::chrono::steady_clock::now();
        EXPECT_FALSE(http_.Get(c.url, c.timeoutMs, 4096).answered) << c.url;
        EXPECT_GE(SecondsSince(start), c.least) << c.url;
        EXPECT_LT(SecondsSince(start), c.most) << c.url;
    }
}

}  // namespace
