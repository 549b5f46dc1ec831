// The record browse over a table: the navigation closures SetFilter puts on
// a browse bound to a work area (the whole table, or the records whose key
// field lies between two values), the count of such a range, the line made
// from the table's fields when the browse has no line closure of its own,
// the edited text stored back into a field, and the small sums of the icon
// view and of the column-size listing.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "browse_model.hpp"
#include "dbf_area.hpp"
#include "value.hpp"

namespace wl {

// The range a table browse is limited to: the field (position from 1) and
// its first and last values; without a start value the whole table.
struct BrowseFilter {
    int field = 0;
    Value start, end;
    std::optional<int> maxCount;  // nMaxFilter: the largest count read
    bool ranged() const { return field > 0 && !start.isNil(); }
};

// True when both values are of the field's kind (a missing start agrees).
// The range is walked on the field itself, so the field's own type is the key's.
bool browseFilterTypesAgree(const DbfField& field, const Value& start, const Value& end);

// The closures over the area: go-top (the start of the range), go-bottom
// (the last record of the range), the range walk as skip, the count.
BrowseSource tableBrowseSource(std::shared_ptr<DbfArea> area, BrowseFilter filter);

// The records from the start value's soft-seek position while the field is
// at most the end value, at most maxCount; the position is restored.
int browseRecCount(DbfArea& area, const BrowseFilter& filter);

// Skip n within the range (or the table), one record at a time, never
// leaving the browse on the phantom record: the records actually passed.
int browseRangeSkip(DbfArea& area, const BrowseFilter& filter, int n);

// UpStable: from the top, the current record is looked for on the first
// page; found, the current line is its line, else the record and line stay.
BrowseEffects browseUpStable(BrowseState& s, const BrowseSource& src, DbfArea& area);

// A field's value as the browse shows it: numbers with the field's
// decimals, dates as date text, logicals ".T."/".F.", memos "<Memo>" when
// they hold text and "<memo>" when empty.
std::string browseFieldText(const DbfField& f, const Value& v);
// The line of the current record: fields first..last as text, the others
// "" (only what can be seen is converted).
ValueList browseFieldLine(DbfArea& area, int first, int last);
// The edited text as a value of the field's type: dates, logicals (".T."
// in any case is true), numbers, else the text.
Value browseFieldFromText(const DbfField& f, const std::string& text);

// The icon view: 50-pixel cells from (10, 10), as many to a line as the
// width holds. The cell under a client point (from 1); 0 in the margins.
int browseIconsPerLine(int clientWidth);
int browseIconAt(int row, int col, int clientWidth);
// The top-left corner of icon n.
std::pair<int, int> browseIconCorner(int n, int clientWidth);

// The column-size listing: one line per header, "header: width".
std::string browseSizesText(const std::vector<std::string>& headers, const std::vector<int>& sizes);

}  // namespace wl
