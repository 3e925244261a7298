// The real HTTP client against a server of the test's own on 127.0.0.1.
#include <winsock2.h>  // before windows.h

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include <tlhelp32.h>

#include "platform/win32/win32_http.h"

namespace {

// A listening socket on a free loopback port, which `port` learns.
SOCKET Listen(unsigned short& port) {
    SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in at{AF_INET, 0, {}};
    at.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    int size = sizeof(at);
    EXPECT_TRUE(bind(s, reinterpret_cast<sockaddr*>(&at), size) == 0 &&
                getsockname(s, reinterpret_cast<sockaddr*>(&at), &size) == 0 && listen(s, 4) == 0);
    port = ntohs(at.sin_port);
    return s;
}

// Serves one connection: reads the request, sends `reply` (nothing when it is empty), and
// waits for the client to hang up, or with `hangUp` hangs up itself.
class Server {
  public:
    explicit Server(std::string reply, bool hangUp = false) : listener_(Listen(port_)) {
        thread_ = std::thread([this, reply, hangUp] {
            SOCKET c = accept(listener_, nullptr, nullptr);
            char buffer[4096];
            for (int n = 1; request.find("\r\n\r\n") == std::string::npos && n > 0;)
                if ((n = recv(c, buffer, sizeof buffer, 0)) > 0) request.append(buffer, n);
            send(c, reply.data(), static_cast<int>(reply.size()), 0);
            while (!hangUp && recv(c, buffer, sizeof buffer, 0) > 0) {
            }
            closesocket(c);
        });
    }
    ~Server() {
        closesocket(listener_);
        thread_.join();
    }
    std::string Url() const { return "http://127.0.0.1:" + std::to_string(port_) + "/check?x=1"; }

    std::string request;

  private:
    unsigned short port_ = 0;
    SOCKET listener_;
    std::thread thread_;
};

class HttpClientTest : public ::testing::Test {
  protected:
    HttpClientTest() { WSAStartup(MAKEWORD(2, 2), &winsock_); }
    // Asks the url; the seconds it took.
    double Get(const std::string& url, DWORD timeoutMs, platform::HttpReply& reply) {
        const auto start = std::chrono::steady_clock::now();
        reply = http_.Get(url, timeoutMs, 4096);
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }

    WSADATA winsock_;
    platform::Win32Http http_;
};

// Following a redirect would ask a server nobody chose; the answer is the redirect itself.
TEST_F(HttpClientTest, AnswersKeepTheirStatusAndBodyCutAtTheCapAfterAPlainGet) {
    const std::string head = "\r\nConnection: close\r\nContent-Length: ";
    const std::pair<std::string, std::string> cases[] = {
        // the reply, what the client makes of it
        {"HTTP/1.1 404 Not Found" + head + "1\r\n\r\n1", "404 1"},
        {"HTTP/1.1 302 Found\r\nLocation: http://127.0.0.1:1/elsewhere" + head + "1\r\n\r\n0",
         "302 redirected 0"},
        {"HTTP/1.1 200 OK" + head + "1048576\r\n\r\n" + std::string(1 << 20, '7'),
         "200 truncated " + std::string(4096, '7')},
    };
    for (const auto& [sent, made] : cases) {
        Server server(sent);
        platform::HttpReply r;
        EXPECT_LT(Get(server.Url(), 10000, r), 3.0);
        EXPECT_TRUE(r.answered);
        EXPECT_EQ(std::to_string(r.status) + (r.redirected ? " redirected " : " ") +
                      (r.truncated ? "truncated " : "") + r.body,
                  made);
        EXPECT_TRUE(server.request.starts_with("GET /check?x=1 HTTP/1.")) << server.request;
    }
}

// A server that hangs up early must not pass off the start of its body as all of it.
TEST_F(HttpClientTest, SilenceEndsAtTheTimeOutWhileAnEarlyHangUpOrNoServerIsToldAtOnce) {
    unsigned short port = 0;
    closesocket(Listen(port));  // a port nobody listens on any more
    Server silent(""), early("HTTP/1.1 200 OK\r\nContent-Length: 5\r\n\r\n1", true);
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
        platform::HttpReply reply;
        const double took = Get(c.url, c.timeoutMs, reply);
        EXPECT_FALSE(reply.answered) << c.url;
        EXPECT_TRUE(took >= c.least && took < c.most) << c.url << ": " << took << " s";
    }
}

// A launcher left running asks again and again: a check given up on must not leave its thread.
TEST_F(HttpClientTest, ChecksGivenUpOnASilentServerLeaveNoThreadsBehind) {
    unsigned short port = 0;
    const SOCKET silent = Listen(port);  // the system takes the connections; nobody answers
    const std::string url = "http://127.0.0.1:" + std::to_string(port) + "/";
    const auto threads = [] {
        HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
        THREADENTRY32 entry{sizeof(entry)};
        int count = 0;
        for (BOOL more = Thread32First(snapshot, &entry); more;
             more = Thread32Next(snapshot, &entry))
            count += entry.th32OwnerProcessID == GetCurrentProcessId();
        CloseHandle(snapshot);
        return count;
    };
    http_.Get(url, 300, 4096);  // the client's lasting threads start here
    Sleep(1000);
    const int before = threads();
    for (int i = 0; i < 3; ++i) EXPECT_FALSE(http_.Get(url, 300, 4096).answered);
    int after = threads();  // the last one's thread ends with its socket's time-out
    for (int i = 0; i < 40 && after > before; ++i, Sleep(50)) after = threads();
    EXPECT_LE(after, before);
    closesocket(silent);
}

}  // namespace
