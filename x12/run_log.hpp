// The engine's run log: the text that the conversion driver collects from
// each engine call and writes to "parse.log". Timed lines begin with the time
// "HH:MM:SS" and " - "; plain lines are written as given. Every line ends
// with CR LF.
#pragma once

#include <functional>
#include <string>

namespace zr {

class RunLog {
public:
    using Clock = std::function<std::string()>;  // answers "HH:MM:SS"

    RunLog();
    explicit RunLog(Clock clock) : clock_(std::move(clock)) {}

    void timed(const std::string& line);  // time + " - " + line + CR LF
    void plain(const std::string& line);  // line + CR LF
    void raw(const std::string& text);    // appended as it is
    void stamp();                         // the time and a blank, alone on a line
    std::string now() const { return clock_(); }

    const std::string& text() const { return text_; }
    void clear() { text_.clear(); }

private:
    Clock clock_;
    std::string text_;
};

// The current local time as "HH:MM:SS".
std::string currentTimeText();

}  // namespace zr
