// The socket half of the download routine on POSIX systems (the native
// build and its tests).
#include <netdb.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "http_get.hpp"

namespace zr {

namespace {

class Socket {
public:
    explicit Socket(int fd) : fd_(fd) {}
    ~Socket() {
        if (fd_ >= 0) ::close(fd_);
    }
    Socket(const Socket&) = delete;
    Socket& operator=(const Socket&) = delete;
    int fd() const { return fd_; }

private:
    int fd_;
};

struct AddressList {
    addrinfo* first = nullptr;
    ~AddressList() {
        if (first) freeaddrinfo(first);
    }
};

void setTimeouts(int fd, int timeoutMs) {
    timeval tv{};
    tv.tv_sec = timeoutMs / 1000;
    tv.tv_usec = (timeoutMs % 1000) * 1000;
    setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &tv, sizeof tv);
    setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &tv, sizeof tv);
}

bool sendAll(int fd, const std::string& bytes) {
    std::size_t sent = 0;
    while (sent < bytes.size()) {
        const ssize_t n = ::send(fd, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
        if (n <= 0) return false;
        sent += static_cast<std::size_t>(n);
    }
    return true;
}

}  // namespace

bool httpExchange(const HttpUrl& url, const std::string& request, int timeoutMs, std::string& reply,
                  std::string& error) {
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    AddressList addresses;
    const std::string port = std::to_string(url.port);
    if (const int rc = getaddrinfo(url.host.c_str(), port.c_str(), &hints, &addresses.first); rc != 0) {
        error = gai_strerror(rc);
        return false;
    }
    for (addrinfo* a = addresses.first; a; a = a->ai_next) {
        Socket s(::socket(a->ai_family, a->ai_socktype, a->ai_protocol));
        if (s.fd() < 0) {
            error = std::strerror(errno);
            continue;
        }
        setTimeouts(s.fd(), timeoutMs);
        if (::connect(s.fd(), a->ai_addr, a->ai_addrlen) != 0) {
            error = std::strerror(errno);
            continue;
        }
        error.clear();
        if (!sendAll(s.fd(), request)) return true;  // connected; nothing usable arrives
        char buffer[16384];
        for (;;) {
            const ssize_t n = ::recv(s.fd(), buffer, sizeof buffer, 0);
            if (n <= 0) break;  // closed, failed or timed out: keep what arrived
            reply.append(buffer, static_cast<std::size_t>(n));
        }
        return true;
    }
    return false;
}

}  // namespace zr
