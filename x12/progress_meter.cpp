#include "progress_meter.hpp"

#include <algorithm>
#include <utility>

#include "application.hpp"

namespace zr {

namespace {
MeterObserver& observer() { return application().meterObserver; }
int& lastOpened() { return application().lastMeterOpened; }
void notify(const MeterEvent& e) {
    if (observer()) observer()(e);
}
// The export's "MO" silences every meter but the unconditional setter.
bool silent() { return moduleState().silentMeter != 0; }
}  // namespace

MeterObserver setMeterObserver(MeterObserver o) { return std::exchange(observer(), std::move(o)); }

MeterWindow CTL394MTRA(MeterWindow window, const std::string& text, const std::string& caption) {
    if (silent()) return window;
    notify({MeterEvent::Kind::Open, text, caption, 0});
    return MeterWindow{++lastOpened()};
}

void CTL394MTRB(MeterWindow window) {
    if (window.id != 0 && !silent()) notify({MeterEvent::Kind::Close, "", "", 0});
}

void CTL394MTRC(double value) {
    if (!silent()) notify({MeterEvent::Kind::Set, "", "", value});
}

void CTL394MTRD(const std::string& text) {
    if (!silent()) notify({MeterEvent::Kind::SecondLine, text, "", 0});
}

void CTL394MTRE(double value) {
    if (lastOpened() != 0) notify({MeterEvent::Kind::SetAlways, "", "", value});
}

std::string middleShortened(const std::string& text, std::size_t width) {
    const std::string dots = "...";
    if (text.size() <= width) return text;
    if (width <= dots.size()) return text.substr(text.size() - width);
    const std::size_t room = width - dots.size();
    // The file name (from its separator on) is the part that must show.
    const std::size_t sep = text.find_last_of("\\/");
    const std::size_t name = sep == std::string::npos ? 0 : text.size() - sep;
    if (name >= room) return dots + text.substr(text.size() - room);
    // What the name leaves goes to the start; the end keeps the name whole.
    const std::size_t tail = std::max(name, room / 3);
    return text.substr(0, room - tail) + dots + text.substr(text.size() - tail);
}

ScopedMeter::ScopedMeter(MeterMode mode, const std::string& text, const std::string& caption) : mode_(mode) {
    if (mode_ != MeterMode::Show) return;
    window_ = CTL394MTRA({}, text, caption);
    open_ = true;
}

void ScopedMeter::set(double value) const {
    if (mode_ == MeterMode::Show && open_) CTL394MTRC(value);
    else if (mode_ == MeterMode::SetOnly) CTL394MTRE(value);
}

void ScopedMeter::close() {
    if (open_) CTL394MTRB(window_);
    open_ = false;
}

}  // namespace zr
