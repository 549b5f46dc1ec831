#include "text_tokens.hpp"

namespace wl {

std::string STRTOKEN(std::string_view text, int nToken, std::string_view separator) {
    const char sep = separator.empty() ? ' ' : separator.front();
    const int wanted = nToken < 1 ? 1 : nToken;
    std::size_t pos = 0;
    std::string_view token;
    for (int k = 1; k <= wanted; ++k) {
        if (sep == ' ') {
            while (pos < text.size() && text[pos] == ' ') ++pos;
        } else if (pos < text.size() && text[pos] == sep) {
            ++pos;
        }
        if (pos >= text.size()) return "";
        std::size_t end = text.find(sep, pos);
        if (end == std::string_view::npos) end = text.size();
        token = text.substr(pos, end - pos);
        pos = end;
    }
    return std::string(token);
}

std::string CSTRWORD(std::string_view text, std::size_t& pos, std::string_view delimiters) {
    if (pos >= text.size()) {
        pos = text.size() + 1;
        return "";
    }
    const std::size_t start = pos;
    if (text[start] == ' ') {
        while (pos < text.size() && text[pos] == ' ') ++pos;
        return std::string(text.substr(start, pos - start));
    }
    const std::size_t stop = text.find_first_of(delimiters, start);
    if (stop == std::string_view::npos) {
        pos = text.size() + 1;
        return std::string(text.substr(start));
    }
    if (stop == start) {
        pos = start + 1;
        return std::string(1, text[start]);
    }
    pos = stop;
    return std::string(text.substr(start, stop - start));
}

std::size_t AAT(const std::vector<std::string>& texts, std::string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i)
        for (const std::string& t : texts) {
            if (t.size() > text.size()) continue;
            if (text.substr(i, t.size()) == t && i + t.size() <= text.size()) return i + 1;
        }
    return 0;
}

std::string STRCHAR(std::string_view text, std::int64_t pos) {
    if (pos < 1 || static_cast<std::uint64_t>(pos) > text.size()) return "";
    return std::string(1, text[static_cast<std::size_t>(pos - 1)]);
}

std::string STRCAPFIRST(std::string_view text) {
    std::string out(text);
    for (std::size_t i = 0; i < out.size(); ++i) {
        char& c = out[i];
        if (i == 0 && c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        else if (i > 0 && c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return out;
}

std::size_t CHARCOUNT(std::string_view text, std::string_view ch) {
    if (ch.empty()) return 0;
    std::size_t n = 0;
    for (char c : text) n += c == ch.front();
    return n;
}

bool ISANSI(std::string_view text) {
    for (unsigned char c : text)
        if (c > 223 || c == 128) return true;
    return false;
}

bool ISOEM(std::string_view text) {
    for (unsigned char c : text)
        if (c >= 129 && c <= 168) return true;
    return false;
}

}  // namespace wl
