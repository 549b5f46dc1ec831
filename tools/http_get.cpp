#include "http_get.hpp"

#include <algorithm>
#include <cctype>
#include <charconv>

namespace zr {

namespace {

std::string lowerText(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
    return s;
}

std::optional<long long> number(std::string_view s, int base) {
    s = trimmed(s);
    long long v = 0;
    auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v, base);
    if (ec != std::errc() || s.empty() || v < 0) return std::nullopt;
    return v;
}

// The body of a chunked reply; nullopt when the last (empty) chunk is missing.
std::optional<std::string> unchunk(std::string_view rest) {
    std::string body;
    for (;;) {
        const std::size_t eol = rest.find("\r\n");
        if (eol == std::string_view::npos) return std::nullopt;
        std::string_view sizeText = rest.substr(0, eol);
        sizeText = sizeText.substr(0, sizeText.find(';'));  // chunk extensions
        const auto size = number(sizeText, 16);
        if (!size) return std::nullopt;
        rest.remove_prefix(eol + 2);
        if (*size == 0) return body;  // trailers, if any, are not wanted
        if (rest.size() < static_cast<std::size_t>(*size) + 2) return std::nullopt;
        body.append(rest.substr(0, static_cast<std::size_t>(*size)));
        rest.remove_prefix(static_cast<std::size_t>(*size) + 2);
    }
}

}  // namespace

std::optional<HttpUrl> parseHttpUrl(std::string_view text) {
    text = trimmed(text);
    if (const std::size_t scheme = text.find("://"); scheme != std::string_view::npos) {
        if (lowerText(text.substr(0, scheme)) != "http") return std::nullopt;
        text.remove_prefix(scheme + 3);
    }
    HttpUrl url;
    if (const std::size_t slash = text.find('/'); slash != std::string_view::npos) {
        url.path = std::string(text.substr(slash));
        text = text.substr(0, slash);
    }
    if (const std::size_t colon = text.rfind(':'); colon != std::string_view::npos) {
        const auto port = number(text.substr(colon + 1), 10);
        if (!port || *port < 1 || *port > 65535) return std::nullopt;
        url.port = static_cast<int>(*port);
        text = text.substr(0, colon);
    }
    if (text.empty()) return std::nullopt;
    url.host = std::string(text);
    return url;
}

std::string joinServerPath(std::string_view server, std::string_view path) {
    while (!server.empty() && server.back() == '/') server.remove_suffix(1);
    while (!path.empty() && path.front() == '/') path.remove_prefix(1);
    return std::string(server) + "/" + std::string(path);
}

std::string httpGetRequest(const HttpUrl& url) {
    std::string host = url.host;
    if (url.port != 80) host += ":" + std::to_string(url.port);
    return "GET " + url.path + " HTTP/1.1\r\nHost: " + host +
           "\r\nUser-Agent: Mozilla/3.0 compatible\r\nConnection: close\r\n\r\n";
}

std::optional<HttpReply> parseHttpReply(std::string_view bytes) {
    const std::size_t headEnd = bytes.find("\r\n\r\n");
    if (headEnd == std::string_view::npos) return std::nullopt;
    std::string_view head = bytes.substr(0, headEnd);
    const std::string_view rest = bytes.substr(headEnd + 4);

    const std::size_t lineEnd = std::min(head.find("\r\n"), head.size());
    const std::string_view statusLine = head.substr(0, lineEnd);
    // "HTTP/1.x NNN reason"
    if (statusLine.substr(0, 5) != "HTTP/" || statusLine.size() < 12 || statusLine[8] != ' ') return std::nullopt;
    const auto status = number(statusLine.substr(9, 3), 10);
    if (!status || *status < 100 || *status > 999) return std::nullopt;

    HttpReply reply;
    reply.status = static_cast<int>(*status);
    std::optional<long long> length;
    bool chunked = false;
    head.remove_prefix(lineEnd);
    while (!head.empty()) {
        if (head.substr(0, 2) == "\r\n") head.remove_prefix(2);
        const std::size_t end = std::min(head.find("\r\n"), head.size());
        const std::string_view line = head.substr(0, end);
        head.remove_prefix(end);
        const std::size_t colon = line.find(':');
        if (colon == std::string_view::npos) continue;
        const std::string name = lowerText(trimmed(line.substr(0, colon)));
        const std::string value = lowerText(trimmed(line.substr(colon + 1)));
        if (name == "content-length") {
            length = number(value, 10);
            if (!length) return std::nullopt;
        } else if (name == "transfer-encoding" && value.find("chunked") != std::string::npos) {
            chunked = true;
        }
    }
    if (chunked) {
        auto body = unchunk(rest);
        if (!body) return std::nullopt;
        reply.body = std::move(*body);
    } else if (length) {
        if (rest.size() < static_cast<std::size_t>(*length)) return std::nullopt;
        reply.body = std::string(rest.substr(0, static_cast<std::size_t>(*length)));
    } else {
        reply.body = std::string(rest);  // the body runs to the close
    }
    return reply;
}

HttpGetResult httpGet(const HttpUrl& url, int timeoutMs) {
    HttpGetResult result;
    std::string bytes;
    result.connected = httpExchange(url, httpGetRequest(url), timeoutMs, bytes, result.error);
    if (result.connected) result.reply = parseHttpReply(bytes);
    return result;
}

}  // namespace zr
