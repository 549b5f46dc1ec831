#include "run_log.hpp"

#include <ctime>

namespace zr {

std::string currentTimeText() {
    std::time_t now = std::time(nullptr);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &now);
#else
    localtime_r(&now, &local);
#endif
    char buf[16];
    std::strftime(buf, sizeof buf, "%H:%M:%S", &local);
    return buf;
}

RunLog::RunLog() : clock_(currentTimeText) {}

void RunLog::timed(const std::string& line) { text_.append(clock_()).append(" - ").append(line).append("\r\n"); }

void RunLog::plain(const std::string& line) { text_.append(line).append("\r\n"); }

void RunLog::raw(const std::string& text) { text_ += text; }

}  // namespace zr
