// The progress meter seam: long operations open it, set its percentage and
// close it. The window itself belongs to the Windows build; until it is
// attached, the calls reach an observer (tests) or do nothing.
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

}  // namespace zr
