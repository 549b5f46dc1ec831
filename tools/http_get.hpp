// The examples download routine: an HTTP/1.1 GET of a path on a server,
// reading the whole reply (a content length, chunked transfer or the body
// up to the close) over a plain socket. The request and reply rules are
// portable; the socket half is Winsock on Windows and POSIX sockets here.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zr {

// Where a GET goes: "host", "host:port" or "http://host[:port][/path]".
struct HttpUrl {
    std::string host;
    int port = 80;
    std::string path = "/";
};

// Parses a server address or URL; nullopt for an empty host, a bad port or
// another scheme than http.
std::optional<HttpUrl> parseHttpUrl(std::string_view text);

// A server address and a server path joined with one "/" between them.
std::string joinServerPath(std::string_view server, std::string_view path);

// The request the routine sends: GET with a Host header and the
// user-agent "Mozilla/3.0 compatible", asking the server to close.
std::string httpGetRequest(const HttpUrl& url);

struct HttpReply {
    int status = 0;
    std::string body;
};

// A whole reply as read up to the close: the status line, the headers and
// the body. Nullopt when the status line is malformed or the body is cut
// short of its length or of its last chunk.
std::optional<HttpReply> parseHttpReply(std::string_view bytes);

// True for the 2xx statuses, the only ones whose body is the file asked for.
inline bool httpSuccess(int status) { return status >= 200 && status < 300; }

// The outcome of one GET: the connection error text when it could not be
// opened, or the reply (nullopt when it was malformed or cut).
struct HttpGetResult {
    bool connected = false;
    std::string error;
    std::optional<HttpReply> reply;
};

// Connects, sends the request and reads until the server closes or the
// time runs out (each wait at most `timeoutMs`).
HttpGetResult httpGet(const HttpUrl& url, int timeoutMs = 15000);

// The socket half: the bytes of the server's answer to `request`, read up to
// the close. False with the system's error text when the connection could
// not be opened; a read failure after that keeps what arrived.
bool httpExchange(const HttpUrl& url, const std::string& request, int timeoutMs, std::string& reply,
                  std::string& error);

}  // namespace zr
