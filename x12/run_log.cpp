#include "run_log.hpp"

#include "system_info.hpp"

namespace zr {

std::string currentTimeText() { return wl::localTimeText("%H:%M:%S"); }

RunLog::RunLog() : clock_(currentTimeText) {}

void RunLog::timed(const std::string& line) { text_.append(clock_()).append(" - ").append(line).append("\r\n"); }

void RunLog::plain(const std::string& line) { text_.append(line).append("\r\n"); }

void RunLog::raw(const std::string& text) { text_ += text; }

void RunLog::stamp() { text_.append(clock_()).append(" \r\n"); }

}  // namespace zr
