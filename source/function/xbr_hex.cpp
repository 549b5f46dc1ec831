#include "xbr_hex.hpp"

#include <cstdio>

namespace wl {

namespace {

constexpr std::size_t kXbrHexPerLine = 16;

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

}  // namespace

std::string xbrHexText(std::string_view bytes) {
    std::string text;
    text.reserve(bytes.size());
    for (char c : bytes) {
        const auto u = static_cast<unsigned char>(c);
        text += u < 32 || u == 127 ? '.' : c;
    }
    return text;
}

std::vector<XbrHexLine> xbrHexLines(std::string_view bytes) {
    std::vector<XbrHexLine> lines;
    for (std::size_t at = 0; at < bytes.size(); at += kXbrHexPerLine) {
        const std::string_view part = bytes.substr(at, kXbrHexPerLine);
        XbrHexLine line;
        char buf[24];
        std::snprintf(buf, sizeof buf, "%08zX", at);
        line.cLineHex = buf;
        line.cText = xbrHexText(part);
        for (std::size_t i = 0; i < part.size(); ++i) {
            std::snprintf(buf, sizeof buf, "%02X", static_cast<unsigned>(static_cast<unsigned char>(part[i])));
            if (i) line.cHexChar += ' ';
            line.cHexChar += buf;
        }
        lines.push_back(std::move(line));
    }
    return lines;
}

std::optional<std::string> xbrHexBytes(std::string_view hexChar, std::size_t expected) {
    std::string bytes;
    int high = -1;
    for (char c : hexChar) {
        if (c == ' ' || c == '\t') {
            if (high >= 0) return std::nullopt;  // a pair split by a blank
            continue;
        }
        const int d = hexDigit(c);
        if (d < 0) return std::nullopt;
        if (high < 0) {
            high = d;
        } else {
            bytes += static_cast<char>(high * 16 + d);
            high = -1;
        }
    }
    if (high >= 0 || bytes.size() != expected) return std::nullopt;
    return bytes;
}

}  // namespace wl
