// A small HTTP server of the tests' own on 127.0.0.1 and a free port: it
// answers each request with the raw bytes given for its path (a 404 page
// otherwise), optionally after a pause or cut short, so that the download
// routine meets well-formed and hostile answers alike. Winsock on Windows,
// POSIX sockets natively.
#pragma once

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#ifdef _WIN32
#include <winsock2.h>
#include <ws2tcpip.h>
#else
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>
#endif

namespace zrtest {

class LoopbackHttpServer {
public:
    struct Answer {
        std::string bytes;        // the whole reply, status line included
        int pauseMs = 0;          // wait before answering
        bool closeEarly = false;  // close after half of the bytes
    };

    // A complete reply with a content length.
    static std::string reply(int status, const std::string& body, const std::string& reason = "X") {
        return "HTTP/1.1 " + std::to_string(status) + " " + reason + "\r\nContent-Length: " +
               std::to_string(body.size()) + "\r\nConnection: close\r\n\r\n" + body;
    }

    LoopbackHttpServer() {
#ifdef _WIN32
        WSADATA data;
        WSAStartup(MAKEWORD(2, 2), &data);
#endif
        listener_ = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        a.sin_port = 0;
        ::bind(listener_, reinterpret_cast<sockaddr*>(&a), sizeof a);
        ::listen(listener_, 8);
        socklen_t len = sizeof a;
        ::getsockname(listener_, reinterpret_cast<sockaddr*>(&a), &len);
        port_ = ntohs(a.sin_port);
        thread_ = std::thread([this] { serve(); });
    }
    ~LoopbackHttpServer() {
        stop_ = true;
        closeSocket(listener_);  // wakes accept()
        thread_.join();
#ifdef _WIN32
        WSACleanup();
#endif
    }
    LoopbackHttpServer(const LoopbackHttpServer&) = delete;
    LoopbackHttpServer& operator=(const LoopbackHttpServer&) = delete;

    int port() const { return port_; }
    std::string address() const { return "127.0.0.1:" + std::to_string(port_); }
    void set(const std::string& path, Answer answer) {
        std::lock_guard<std::mutex> lock(mutex_);
        answers_[path] = std::move(answer);
    }
    void set(const std::string& path, int status, const std::string& body) { set(path, Answer{reply(status, body)}); }
    // Every file under `folder` answered whole at "/" + its relative path.
    void serveFolder(const std::string& folder) {
        namespace fs = std::filesystem;
        for (const auto& entry : fs::recursive_directory_iterator(folder)) {
            if (!entry.is_regular_file()) continue;
            std::ifstream in(entry.path(), std::ios::binary);
            std::ostringstream bytes;
            bytes << in.rdbuf();
            set("/" + fs::relative(entry.path(), folder).generic_string(), 200, bytes.str());
        }
    }
    // The requests received so far, each up to its blank line.
    std::vector<std::string> requests() {
        std::lock_guard<std::mutex> lock(mutex_);
        return requests_;
    }

private:
#ifdef _WIN32
    using Sock = SOCKET;
    static void closeSocket(Sock s) { closesocket(s); }
    static bool bad(Sock s) { return s == INVALID_SOCKET; }
    static constexpr int kSendFlags = 0;
#else
    using Sock = int;
    static void closeSocket(Sock s) {
        ::shutdown(s, SHUT_RDWR);
        ::close(s);
    }
    static bool bad(Sock s) { return s < 0; }
    static constexpr int kSendFlags = MSG_NOSIGNAL;  // a client gone must not end the test
#endif

    void serve() {
        while (!stop_) {
            Sock c = ::accept(listener_, nullptr, nullptr);
            if (bad(c)) break;
            answerOne(c);
            closeSocket(c);
        }
    }

    void answerOne(Sock c) {
        std::string request;
        char buffer[4096];
        while (request.find("\r\n\r\n") == std::string::npos) {
            const int n = static_cast<int>(::recv(c, buffer, sizeof buffer, 0));
            if (n <= 0) return;
            request.append(buffer, static_cast<std::size_t>(n));
        }
        const std::size_t sp = request.find(' ');
        const std::string path = request.substr(sp + 1, request.find(' ', sp + 1) - sp - 1);
        Answer answer{reply(404, "<html>Not Found</html>")};
        {
            std::lock_guard<std::mutex> lock(mutex_);
            requests_.push_back(request.substr(0, request.find("\r\n\r\n") + 4));
            if (auto it = answers_.find(path); it != answers_.end()) answer = it->second;
        }
        if (answer.pauseMs) std::this_thread::sleep_for(std::chrono::milliseconds(answer.pauseMs));
        const std::size_t size = answer.closeEarly ? answer.bytes.size() / 2 : answer.bytes.size();
        std::size_t sent = 0;
        while (sent < size) {
            const int n = static_cast<int>(::send(c, answer.bytes.data() + sent, static_cast<int>(size - sent), kSendFlags));
            if (n <= 0) return;
            sent += static_cast<std::size_t>(n);
        }
    }

    Sock listener_{};
    int port_ = 0;
    std::atomic<bool> stop_{false};
    std::mutex mutex_;
    std::map<std::string, Answer> answers_;
    std::vector<std::string> requests_;
    std::thread thread_;
};

}  // namespace zrtest
