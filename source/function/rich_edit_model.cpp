#include "rich_edit_model.hpp"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>

namespace wl {

namespace {

std::string lower(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

bool inList(std::string_view word, const std::vector<std::string>& list) {
    const std::string w = lower(word);
    return std::any_of(list.begin(), list.end(), [&](const std::string& k) { return lower(k) == w; });
}

}  // namespace

bool linkOpensInShell(std::string_view url) {
    size_t start = url.find_first_not_of(" \t");
    if (start == std::string_view::npos) return false;
    const std::string u = lower(url.substr(start));
    return u.rfind("http://", 0) == 0 || u.rfind("https://", 0) == 0 || u.rfind("mailto:", 0) == 0;
}

std::vector<ColorRange> highlightLine(std::string_view line, const HighlightScheme& scheme) {
    std::vector<ColorRange> ranges;
    const int n = static_cast<int>(line.size());
    auto isSeparator = [&](char c) { return scheme.cSeparators.find(c) != std::string::npos; };
    int i = 0;
    while (i < n) {
        const char c = line[i];
        if (c == '"' || c == '\'') {
            const size_t close = line.find(c, i + 1);
            const int end = close == std::string_view::npos ? n : static_cast<int>(close) + 1;
            ranges.push_back({i, end, scheme.nClrString});
            i = end;
        } else if (c == '/' && i + 1 < n && line[i + 1] == '/') {
            ranges.push_back({i, n, scheme.nClrComment});
            break;
        } else if (isSeparator(c)) {
            ranges.push_back({i, i + 1, scheme.nClrSeparator});
            ++i;
        } else {
            int end = i;
            while (end < n && !isSeparator(line[end]) && line[end] != '"' && line[end] != '\'') ++end;
            const std::string_view word = line.substr(i, end - i);
            Color color = scheme.nClrText;
            if (std::isdigit(static_cast<unsigned char>(word[0]))) {
                color = scheme.nClrNumber;
            } else if (inList(word, scheme.aKeywords1)) {
                color = scheme.nClrKey1;
            } else if (inList(word, scheme.aKeywords2)) {
                color = scheme.nClrKey2;
            }
            ranges.push_back({i, end, color});
            i = end;
        }
    }
    return ranges;
}

int Font2RTF(int n) { return n * 10 / 13; }

int Font2Size(int points) { return -(points * 4 / 3 + ((points + 1) % 3 == 0 ? 1 : 0)); }

int Size2Font(int height) { return static_cast<int>(std::lround(std::abs(height * 3.0 / 4.0))); }

bool richEdit30(int versionMinor) { return versionMinor >= 30; }

}  // namespace wl
