#include "xbrowse_source.hpp"

#include <filesystem>

#include "text.hpp"

namespace wl {

namespace {

std::string xbrTablePath(const std::string& name) {
    std::string path = alltrim(name);
    if (path.empty()) return {};
    if (std::filesystem::path(path).extension().empty()) path += ".dbf";
    std::error_code ec;
    return std::filesystem::is_regular_file(path, ec) ? path : std::string();
}

// The first four letters of the file's name in upper case, numbered on
// when an open area has that alias already.
std::string xbrNewAlias(const std::string& path) {
    std::string base = upper(std::filesystem::path(path).stem().string().substr(0, 4));
    if (base.empty()) base = "AREA";
    std::string alias = base;
    for (int n = 1; dbfAreaOf(alias); ++n) alias = base + std::to_string(n);
    return alias;
}

}  // namespace

std::string XBRWSETDATASOURCE(XBrowseModel& brw, const Value& source, ValueList cols, bool autoSort) {
    if (cols.size() == 1 && cols[0].isList()) cols = ValueList(cols[0].list());
    std::string opened;
    if (source.isNil()) {
        if (auto area = dbfSelected()) brw.SetRDD(area);
        else brw.SetArray({});
    } else if (source.isList()) {
        brw.SetArray(source.list(), true, autoSort);
    } else if (source.isText()) {
        if (auto area = dbfAreaOf(alltrim(source.text()))) {
            brw.SetRDD(area);
        } else if (const std::string path = xbrTablePath(source.text()); !path.empty()) {
            const std::string before = dbfSelected() ? dbfSelected()->Alias() : std::string();
            if (auto area = USEAREA(path, xbrNewAlias(path))) {
                opened = area->Alias();
                brw.SetRDD(area);
            } else {
                brw.SetArray({Value(ValueList{source})});
            }
            if (!before.empty()) dbfSelect(before);
        } else {
            brw.SetArray({Value(ValueList{source})});
        }
    } else {
        brw.SetArray({Value(ValueList{source})});
    }
    if (cols.empty()) return opened;
    std::vector<int> shown;
    for (const Value& c : cols) {
        const TXBrwColumn* match = nullptr;
        for (const TXBrwColumn& col : brw.aCols) {
            const bool byElement = c.isNumber() && brw.nDataType == DATATYPE_ARRAY && col.nArrayCol == int(c.number());
            if (byElement || (!c.isNumber() && col.SameColAs(c))) match = &col;
            if (match) break;
        }
        if (match) shown.push_back(match->nCreationOrder);
    }
    if (!shown.empty()) brw.aDisplay = shown;
    return opened;
}

}  // namespace wl
