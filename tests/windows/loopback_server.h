#pragma once
// A server of the test's own on 127.0.0.1 that answers one request as the test scripts it:
// a reply, or nothing at all.
#include <winsock2.h>

#include <atomic>
#include <chrono>
#include <stdexcept>
#include <string>
#include <thread>

namespace loopback {

// A listening socket on a free loopback port, which `port` learns.
inline SOCKET Listen(unsigned short& port) {
    SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in at{AF_INET, 0, {}};
    at.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    int size = sizeof(at);
    if (s == INVALID_SOCKET || bind(s, reinterpret_cast<sockaddr*>(&at), size) != 0 ||
        getsockname(s, reinterpret_cast<sockaddr*>(&at), &size) != 0 || listen(s, 4) != 0)
        throw std::runtime_error("no loopback socket");
    port = ntohs(at.sin_port);
    return s;
}

// Serves one connection: reads the request, sends `reply` (nothing when it is empty), and
// waits for the client to hang up, or with `hangUp` hangs up itself.
class Server {
  public:
    explicit Server(std::string reply, bool hangUp = false) : listener_(Listen(port)) {
        thread_ = std::thread([this, reply, hangUp] {
            SOCKET c = accept(listener_, nullptr, nullptr);
            if (c == INVALID_SOCKET) return;
            DWORD tick = 100;  // lets the loops see stop_
            setsockopt(c, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<char*>(&tick), sizeof tick);
            while (!stop_ && request.find("\r\n\r\n") == std::string::npos && Receive(c)) {
            }
            if (!reply.empty()) send(c, reply.data(), static_cast<int>(reply.size()), 0);
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
    std::string Url() const { return "http://127.0.0.1:" + std::to_string(port) + "/check?x=1"; }

    unsigned short port = 0;
    std::string request;

  private:
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

}  // namespace loopback
