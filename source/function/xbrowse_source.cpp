#include "xbrowse_source.hpp"

#include <filesystem>

#include "text.hpp"

namespace wl {

namespace {

std::shared_ptr<DbfFile> xbrOpenTable(const std::string& name) {
    std::string path = alltrim(name);
    if (path.empty()) return nullptr;
    if (std::filesystem::path(path).extension().empty()) path += ".dbf";
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) return nullptr;
    auto table = DbfFile::open(path);
    return table ? std::make_shared<DbfFile>(std::move(*table)) : nullptr;
}

}  // namespace

void XBRWSETDATASOURCE(XBrowseModel& brw, const Value& source, ValueList cols, bool autoSort) {
    if (cols.size() == 1 && cols[0].isList()) cols = ValueList(cols[0].list());
    if (source.isList()) {
        brw.SetArray(source.list(), true, autoSort);
    } else if (source.isText()) {
        if (auto table = xbrOpenTable(source.text())) brw.SetDbf(std::move(table));
        else brw.SetArray({Value(ValueList{source})});
    } else {
        brw.SetArray({Value(ValueList{source})});
    }
    if (cols.empty()) return;
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
}

}  // namespace wl
