// The socket half of the download routine on Windows: Winsock (ws2_32).
#include <winsock2.h>
#include <ws2tcpip.h>

#include "http_get.hpp"

namespace zr {

namespace {

// Winsock counts its users: each exchange starts and cleans up its own use.
class WinsockUse {
public:
    WinsockUse() {
        WSADATA data;
        ok_ = WSAStartup(MAKEWORD(2, 2), &data) == 0;
    }
    ~WinsockUse() {
        if (ok_) WSACleanup();
    }
    WinsockUse(const WinsockUse&) = delete;
    WinsockUse& operator=(const WinsockUse&) = delete;
    bool ok() const { return ok_; }

private:
    bool ok_ = false;
};

class Socket {
public:
    explicit Socket(SOCKET s) : s_(s) {}
    ~Socket() {
        if (s_ != INVALID_SOCKET) closesocket(s_);
    }
    Socket(const Socket&) = delete;
    Socket& operator=(const Socket&) = delete;
    SOCKET get() const { return s_; }

private:
    SOCKET s_;
};

struct AddressList {
    addrinfo* first = nullptr;
    ~AddressList() {
        if (first) freeaddrinfo(first);
    }
};

// The system's text of a Winsock error, without its line end.
std::string errorText(int code) {
    char* text = nullptr;
    const DWORD n = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                       FORMAT_MESSAGE_IGNORE_INSERTS,
                                   nullptr, static_cast<DWORD>(code), 0, reinterpret_cast<char*>(&text), 0,
                                   nullptr);
    std::string out = n && text ? std::string(text, n) : "Winsock error " + std::to_string(code);
    if (text) LocalFree(text);
    while (!out.empty() && (out.back() == '\r' || out.back() == '\n' || out.back() == ' ')) out.pop_back();
    return out;
}

bool sendAll(SOCKET s, const std::string& bytes) {
    std::size_t sent = 0;
    while (sent < bytes.size()) {
        const int n = ::send(s, bytes.data() + sent, static_cast<int>(bytes.size() - sent), 0);
        if (n <= 0) return false;
        sent += static_cast<std::size_t>(n);
    }
    return true;
}

}  // namespace

bool httpExchange(const HttpUrl& url, const std::string& request, int timeoutMs, std::string& reply,
                  std::string& error) {
    WinsockUse winsock;
    if (!winsock.ok()) {
        error = errorText(WSAGetLastError());
        return false;
    }
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_protocol = IPPROTO_TCP;
    AddressList addresses;
    const std::string port = std::to_string(url.port);
    if (getaddrinfo(url.host.c_str(), port.c_str(), &hints, &addresses.first) != 0) {
        error = errorText(WSAGetLastError());
        return false;
    }
    for (addrinfo* a = addresses.first; a; a = a->ai_next) {
        Socket s(::socket(a->ai_family, a->ai_socktype, a->ai_protocol));
        if (s.get() == INVALID_SOCKET) {
            error = errorText(WSAGetLastError());
            continue;
        }
        const DWORD wait = static_cast<DWORD>(timeoutMs);
        setsockopt(s.get(), SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&wait), sizeof wait);
        setsockopt(s.get(), SOL_SOCKET, SO_SNDTIMEO, reinterpret_cast<const char*>(&wait), sizeof wait);
        if (::connect(s.get(), a->ai_addr, static_cast<int>(a->ai_addrlen)) != 0) {
            error = errorText(WSAGetLastError());
            continue;
        }
        error.clear();
        if (!sendAll(s.get(), request)) return true;  // connected; nothing usable arrives
        char buffer[16384];
        for (;;) {
            const int n = ::recv(s.get(), buffer, sizeof buffer, 0);
            if (n <= 0) break;  // closed, failed or timed out: keep what arrived
            reply.append(buffer, static_cast<std::size_t>(n));
        }
        return true;
    }
    return false;
}

}  // namespace zr
