// The current row of a grid browse as an object: values named by the
// column headers, with Modified, Undo and Save back through the columns.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "value.hpp"

namespace wl {

class XBrowseModel;

class TXbrRow {
public:
    // A snapshot of the browse's current row (its CurrentRow).
    explicit TXbrRow(XBrowseModel& browse);

    XBrowseModel* oBrw;
    Value nRecNo;
    int nKeyNo = 0;
    std::vector<std::string> aHeaders;
    ValueList aOriginals, aValues;
    std::function<void(TXbrRow&)> bSave;
    bool lNew = false;  // Save appends the row to the source

    // The value under a header (case-insensitive); nothing for an unknown name.
    std::optional<Value> Get(const std::string& header) const;
    // Sets it; false for an unknown name.
    bool Set(const std::string& header, const Value& v);
    bool Modified() const;
    void Undo() { aValues = aOriginals; }
    // Writes the changed values to the row (post-edit closure with Enter,
    // else the value closure) when the browse's lock succeeds, and returns
    // to the browse's row; a new row is appended first and stays current.
    // True when written.
    bool Save();

private:
    int indexOf(const std::string& header) const;
};

}  // namespace wl
