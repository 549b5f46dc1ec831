#include "xbrowse_report.hpp"

#include <algorithm>

#include "text.hpp"
#include "tree_building.hpp"

namespace wl {

namespace {

// Report text of a cell: numbers stay numbers (for pictures and totals).
Value xbrReportCell(const TXBrwColumn& col) {
    const Value v = col.GetValue();
    return v.isNumber() || col.hChecked ? v : Value(col.StrData());
}

// A numeric column's picture from its decimals.
std::string xbrReportPicture(const TXBrwColumn& col) {
    if (col.DataType() != 'N') return "";
    const int dec = col.nDataDec;
    return dec > 0 ? "999,999,999." + std::string(size_t(dec), '9') : "999,999,999";
}

}  // namespace

bool XbrReport(XBrowseModel& brw, std::unique_ptr<ReportDevice> device, const XbrReportOptions& options) {
    const std::vector<int> cols = brw.Display();
    if (brw.nLen == 0 || cols.empty() || !device) return false;
    const Value here = brw.src.bBookMark();
    // An outline prints whole: every item opened, grouped by its levels;
    // the items close again afterwards.
    TLinkList* tree = (brw.nDataType & DATATYPE_TREE) ? brw.Tree() : nullptr;
    TTreeItem* hereItem = brw.oTreeItem;
    std::vector<std::pair<TTreeItem*, bool>> opened;
    if (tree) {
        tree->ForEach([&](TTreeItem& it) { opened.emplace_back(&it, it.lOpened); });
        tree->OpenAll();
        brw.KeyCount();
    }

    // The rows: the selection when more than one row is selected, else all.
    const std::vector<Value> selected = brw.aSelected.size() > 1 ? brw.aSelected : std::vector<Value>{};
    const long long rows = selected.empty() ? brw.nLen : static_cast<long long>(selected.size());
    long long at = 0;
    auto goRow = [&] {
        if (at >= rows) return;
        if (selected.empty()) {
            if (at == 0) brw.src.bGoTop();
            else brw.src.bSkip(1);
        } else {
            brw.src.bBookGoTo(selected[size_t(at)]);
        }
    };

    ReportOptions ro;
    ro.aTitle = {[t = options.cTitle] { return Value(t); }};
    TReport* report = nullptr;
    ro.aFooter = {[&report] { return Value("Page : " + std::to_string(report ? report->nPage : 0)); }};
    ro.cName = options.cTitle;
    report = RPTBEGIN(std::move(device), ro);
    const int asked = options.bSetUp ? options.bSetUp(*report, brw, 1) : 0;
    if (asked != 1) {
        const int levels = tree ? tree->Levels() : 0;
        for (int level = 1; level < levels; ++level) {
            // The item's ancestor at the level (the item itself at it).
            auto at = [&brw, level]() -> std::string {
                const TTreeItem* it = brw.oTreeItem;
                if (!it || it->nLevel < level) return "";
                return it->nLevel == level ? it->cPrompt : it->Parent(level)->cPrompt;
            };
            RPTADDGROUP([at] { return Value(at()); }, [at] { return Value(at()); });
        }
        for (int n : options.aGroupCols) {
            if (n < 1 || n > int(brw.aCols.size())) continue;
            const TXBrwColumn* col = &brw.aCols[size_t(n) - 1];
            RPTADDGROUP([col] { return Value(rtrim(col->StrData())); },
                        [col] { return Value(col->cHeader + " " + rtrim(col->StrData())); });
        }
        for (int n : cols) {
            const TXBrwColumn* col = &brw.aCols[size_t(n) - 1];
            ColumnOptions c;
            c.aTitle = {[col] { return Value(col->cHeader); }};
            c.aData = {[col] { return xbrReportCell(*col); }};
            c.nSize = std::max<int>(int(col->cHeader.size()), std::max(1, col->nWidth / 8));
            c.aPicture = {xbrReportPicture(*col)};
            c.lTotal = col->IsTotalled() && col->DataType() == 'N';
            const char t = col->DataType();
            c.cAlign = t == 'N' || t == 'D' ? "RIGHT" : "LEFT";
            RPTADDCOLUMN(c);
        }
    }
    std::unique_ptr<TReport> built = RPTEND();
    if (asked == 2) options.bSetUp(*built, brw, 2);
    built->bSkip = [&](int n) {
        for (int i = 0; i < n; ++i) {
            ++at;
            goRow();
        }
    };
    goRow();
    built->Activate({}, [&] { return at < rows; });
    built.reset();
    if (tree) {
        for (auto& [it, wasOpen] : opened) it->lOpened = wasOpen;
        brw.oTreeItem = hereItem;
        brw.KeyCount();
        return true;
    }
    brw.src.bBookGoTo(here);
    return true;
}

}  // namespace wl
