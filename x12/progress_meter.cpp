#include "progress_meter.hpp"

#include <utility>

namespace zr {

namespace {
MeterObserver& observer() {
    static MeterObserver o;
    return o;
}
int& lastOpened() {
    static int id = 0;
    return id;
}
void notify(const MeterEvent& e) {
    if (observer()) observer()(e);
}
}  // namespace

MeterObserver setMeterObserver(MeterObserver o) { return std::exchange(observer(), std::move(o)); }

MeterWindow CTL394MTRA(MeterWindow, const std::string& text, const std::string& caption) {
    notify({MeterEvent::Kind::Open, text, caption, 0});
    return MeterWindow{++lastOpened()};
}

void CTL394MTRB(MeterWindow window) {
    if (window.id != 0) notify({MeterEvent::Kind::Close, "", "", 0});
}

void CTL394MTRC(double value) { notify({MeterEvent::Kind::Set, "", "", value}); }

void CTL394MTRD(const std::string& text) { notify({MeterEvent::Kind::SecondLine, text, "", 0}); }

void CTL394MTRE(double value) {
    if (lastOpened() != 0) notify({MeterEvent::Kind::SetAlways, "", "", value});
}

}  // namespace zr
