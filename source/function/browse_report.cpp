#include "browse_report.hpp"

#include <algorithm>
#include <cstdio>
#include <ctime>

#include "report_engine.hpp"
#include "system_info.hpp"

namespace wl {

namespace {

std::string dateTimeLine() {
    const std::tm t = localParts(std::time(nullptr));
    char time[16];
    std::snprintf(time, sizeof time, "%02d:%02d:%02d", t.tm_hour, t.tm_min, t.tm_sec);
    return "Date: " + dateText(Date{t.tm_year + 1900, t.tm_mon + 1, t.tm_mday}) + ", Time: " + time;
}

std::string pageText(int page) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%3d", page);
    return std::string("Page: ") + buf;
}

}  // namespace

int browseReport(std::unique_ptr<ReportDevice> device, const BrowseReportSpec& spec, const BrowseSource& src,
                 const std::function<ValueList()>& line) {
    if (!device || !device->ok()) return -1;
    ReportOptions o;
    o.aTitle = {[title = spec.cTitle] { return Value(title); }};
    TReport* building = nullptr;
    o.aHeader = {[] { return Value(dateTimeLine()); }, [&building] {
                     return Value(pageText(building ? building->nPage : 0));
                 }};
    src.top();
    const ValueList first = line ? line() : ValueList{};
    const std::size_t cols = std::max(first.size(), spec.aHeaders.size());
    building = RPTBEGIN(std::move(device), o);
    for (std::size_t i = 0; i < cols; ++i) {
        ColumnOptions c;
        const std::string head = i < spec.aHeaders.size() ? spec.aHeaders[i] : "  ";
        c.aTitle = {[head] { return Value(head); }};
        c.aData = {[&line, i] {
            const ValueList l = line ? line() : ValueList{};
            // A bitmap (a handle in a number) cannot be printed.
            if (i >= l.size()) return Value(std::string());
            return l[i].isNumber() ? Value(std::string(3, ' ')) : Value(CVALTOCHAR(l[i]));
        }};
        const int size = i < spec.aColSizes.size() ? spec.aColSizes[i] : 80;
        c.nSize = std::max(1, size / std::max(1, spec.nLetterWidth));
        RPTADDCOLUMN(c);
    }
    std::unique_ptr<TReport> report = RPTEND();
    building = report.get();
    const int count = src.count();
    int printed = 0;
    bool moved = count > 0;
    report->bSkip = [&](int) {
        ++printed;
        moved = src.Skip(1) == 1;
    };
    report->Activate({}, [&] { return spec.lTable ? moved : printed < count; });
    src.top();
    return printed;
}

}  // namespace wl
