#pragma once
// A server of the test's own on 127.0.0.1 that answers one request as the test scripts it:
// a reply, a body without end, or nothing at all.
#include <winsock2.h>

#include <ws2tcpip.h>

#include <atomic>
#include <chrono>
#include <stdexcept>
#include <string>
#include <thread>

namespace loopback {

using Clock = std::chrono::steady_clock;

inline double Seconds(Clock::time_point since) {
    return std::chrono::duration<double>(Clock::now() - since).count();
}

struct Winsock {
    Winsock() {
        WSADATA data;
        WSAStartup(MAKEWORD(2, 2), &data);
    }
    ~Winsock() { WSACleanup(); }
};

// A listening socket on the given loopback port, or on a free one for 0.
inline SOCKET Listen(unsigned short& port) {
    SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in at{AF_INET, htons(port), {}};
    at.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    int size = sizeof(at);
    BOOL reuse = TRUE;  // the server before on a fixed port may leave its connection waiting
    if (port)
        setsockopt(s, SOL_SOCKET, SO_REUSEADDR, reinterpret_cast<char*>(&reuse), sizeof reuse);
    if (s == INVALID_SOCKET || bind(s, reinterpret_cast<sockaddr*>(&at), size) != 0 ||
        getsockname(s, reinterpret_cast<sockaddr*>(&at), &size) != 0 || listen(s, 4) != 0)
        throw std::runtime_error("no loopback socket");
    port = ntohs(at.sin_port);
    return s;
}

// Serves one connection: reads the request, sends `reply` and then `chunk` `repeat` times
// (nothing at all when `reply` is empty), and waits for the client to hang up, or with
// `hangUp` hangs up itself.
class Server {
  public:
    explicit Server(std::string reply, std::string chunk = "", int repeat = 0,
                    unsigned short fixedPort = 0, bool hangUp = false)
        : port(fixedPort), listener_(Listen(port)) {
        thread_ = std::thread([this, reply, chunk, repeat, hangUp] {
            threadId = GetCurrentThreadId();
            SOCKET c = accept(listener_, nullptr, nullptr);
            if (c == INVALID_SOCKET) return;
            DWORD tick = 100;  // lets the loops see stop_
            setsockopt(c, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<char*>(&tick), sizeof tick);
            while (!stop_ && request.find("\r\n\r\n") == std::string::npos && Receive(c)) {
            }
            bool sent = !reply.empty() && Send(c, reply);
            for (int i = 0; sent && i < repeat; ++i) sent = Send(c, chunk);
            while (!stop_ && !hangUp && Receive(c)) {
            }
            closesocket(c);
        });
    }
    ~Server() {
        stop_ = true;
        closesocket(listener_);
        thread_.join();
    }
    std::string Host() const { return "127.0.0.1:" + std::to_string(port); }
    std::string Url() const { return "http://" + Host() + "/check?x=1"; }

    unsigned short port = 0;
    std::string request;
    std::atomic<DWORD> threadId{0};  // the serving thread's, once it runs

  private:
    static bool Send(SOCKET c, const std::string& bytes) {
        return send(c, bytes.data(), static_cast<int>(bytes.size()), 0) >= 0;
    }
    // Appends what arrives to the request; false once the client has hung up.
    bool Receive(SOCKET c) {
        char buffer[4096];
        const int n = recv(c, buffer, sizeof buffer, 0);
        if (n > 0) request.append(buffer, n);
        return n > 0 || (n < 0 && WSAGetLastError() == WSAETIMEDOUT);
    }

    SOCKET listener_;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

inline std::string Response(const std::string& statusLine, const std::string& body,
                            const std::string& extra = "") {
    return "HTTP/1.1 " + statusLine +
           "\r\nContent-Type: text/html\r\nContent-Length: " + std::to_string(body.size()) +
           "\r\nConnection: close\r\n" + extra + "\r\n" + body;
}

}  // namespace loopback
