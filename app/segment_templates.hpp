// The map's segment templates turned into X12 segments from the values of
// one record: levels, conditions, composites and the HL and LX counters.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "map_file.hpp"

namespace zr {

// The output delimiters and the "CR" option.
struct X12Output {
    char component = ':';
    char element = '*';
    char terminator = '~';
    bool crlf = false;
};

// The state a run carries from record to record.
struct TemplateRunState {
    int hl = 0;             // never reset within a run
    int lx = 0;             // reset at each record
    std::size_t segments = 0;  // written from templates
};

// A field name as names are compared: trimmed, upper-cased.
std::string fieldNameKey(std::string_view name);

// Fields by name (trimmed, any case), the first field of a name winning:
// built once per run, so templates and readers find a field without
// walking the table.
class FieldNameIndex {
public:
    explicit FieldNameIndex(const std::vector<FieldRow>& fields);
    const FieldRow* find(const std::vector<FieldRow>& fields, std::string_view name) const;
    FieldRow* find(std::vector<FieldRow>& fields, std::string_view name) const;

private:
    std::unordered_map<std::string, std::size_t> positions_;
};

// CTL48400H: the value of the first field whose name is the reference less
// its first character (trimmed, any case); "" when none.
std::string CTL48400H(const std::string& reference, const std::vector<FieldRow>& fields);

// CTL48400G: the X12 text of one record built from the templates (the
// index of the run's fields, or one built for this call).
std::string CTL48400G(const std::vector<TemplateRow>& templates, const std::vector<FieldRow>& fields,
                      std::size_t recordCount, std::size_t recordNumber, const X12Output& out,
                      TemplateRunState& state, const FieldNameIndex* names = nullptr);

}  // namespace zr
