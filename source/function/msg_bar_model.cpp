#include "msg_bar_model.hpp"

#include <algorithm>

namespace wl {

int msgItemLeft(int barRight, const std::vector<int>& widths, std::size_t index, bool narrow) {
    int left = barRight - 13 - (narrow ? 3 : 0);
    for (std::size_t i = index + 1; i < widths.size(); ++i) left -= widths[i] + 4;
    return left - (widths.at(index) - 2);
}

bool msgItemIsOver(int left, int width, int row, int col) {
    return col >= left - 1 && col <= left + width - 7 && row > 5;
}

std::int64_t runningSeconds(std::int64_t startDay, int startSecs, std::int64_t nowDay, int nowSecs) {
    std::int64_t s = 0;
    if (nowDay > startDay)
        s = (86400 - startSecs) + 86400 * (nowDay - startDay - 1) + nowSecs;
    else if (nowDay == startDay)
        s = nowSecs - startSecs;
    return std::max<std::int64_t>(s, 0);
}

std::string runningTimeText(std::int64_t seconds) {
    std::string s = std::to_string(seconds / 3600);
    s += " hours ";
    s += std::to_string(seconds / 60 % 60);
    s += " mins ";
    s += std::to_string(seconds % 60);
    s += " secs ";
    return s;
}

std::string thousands(std::uint64_t n) {
    const std::string digits = std::to_string(n);
    std::string out;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) out.push_back(',');
        out.push_back(digits[i]);
    }
    return out;
}

std::string resourceLine(int bits, std::uint64_t memUsed, std::uint64_t memMax, int freeResources,
                         std::int64_t seconds) {
    std::string s = "(";
    s += std::to_string(bits);
    s += " bits) MemUsed: ";
    s += thousands(memUsed);
    s += " MemMax: ";
    s += thousands(memMax);
    s += " Resources: ";
    s += std::to_string(freeResources);
    s += "% Running time: ";
    s += runningTimeText(seconds);
    return s;
}

}  // namespace wl
