// The progress meter seam: long operations open it, set its percentage and
// close it. The window itself belongs to the Windows build; until it is
// attached, the calls reach an observer (tests) or do nothing. Long runs
// hold a ScopedMeter, the one place that pairs the calls below.
#pragma once

#include <functional>
#include <string>

namespace zr {

// The meter window as its caller holds it; 0 when none was opened.
struct MeterWindow {
    int id = 0;
    bool operator==(const MeterWindow&) const = default;
};

// What happens to the meter, for whoever shows it (or a test).
struct MeterEvent {
    enum class Kind { Open, Close, Set, SecondLine, SetAlways } kind = Kind::Set;
    std::string text;     // Open: first line; SecondLine: the text
    std::string caption;  // Open
    double value = 0;     // Set, SetAlways
};
using MeterObserver = std::function<void(const MeterEvent&)>;

// Installs the observer (an empty function removes it); answers the old one.
MeterObserver setMeterObserver(MeterObserver observer);

MeterWindow CTL394MTRA(MeterWindow window, const std::string& text, const std::string& caption);
void CTL394MTRB(MeterWindow window);
void CTL394MTRC(double value);
void CTL394MTRD(const std::string& text);
void CTL394MTRE(double value);
// The same open, close and set under the names the HL7 viewer calls.
inline MeterWindow CTL487MTRA(MeterWindow window, const std::string& text, const std::string& caption) {
    return CTL394MTRA(window, text, caption);
}
inline void CTL487MTRB(MeterWindow window) { CTL394MTRB(window); }
inline void CTL487MTRC(double value) { CTL394MTRC(value); }

// A text line of at most `width` characters: a longer one loses its middle
// ("...") and keeps its end, so that the file name of a path shows whole.
std::string middleShortened(const std::string& text, std::size_t width);

// How a long run uses the meter.
enum class MeterMode {
    None,     // no meter
    Show,     // the run opens its own meter, sets it and closes it
    SetOnly,  // the caller's meter is open: the run only sets it
};

// The meter of one long run: opened by the constructor in MeterMode::Show,
// closed by close() or the destructor, whichever comes first.
class ScopedMeter {
public:
    ScopedMeter(MeterMode mode, const std::string& text, const std::string& caption);
    ~ScopedMeter() { close(); }
    ScopedMeter(const ScopedMeter&) = delete;
    ScopedMeter& operator=(const ScopedMeter&) = delete;

    // The percentage done (0..100).
    void set(double value) const;
    void close();

private:
    MeterMode mode_;
    MeterWindow window_;
    bool open_ = false;
};

}  // namespace zr
