// CSV rows or XML records to X12: each record fills the map's fields, the
// map's segment templates turn them into segments, and one ISA/GS/ST
// envelope wraps the whole run.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "engine_request.hpp"
#include "map_file.hpp"
#include "record_readers.hpp"
#include "run_log.hpp"

namespace zr {

// The values of the envelope (ISA03 ... ST03).
struct EnvelopeValues {
    std::string isa03, isa04, isa05, isa06, isa07, isa08, isa13, isa15;
    std::string gs01, gs02, gs03, gs06, gs08, st02, st03;
};

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

// CTL48400E: the ISA, GS and ST segments; blank values are completed from
// the map's envelope defaults, then from fixed defaults. `date` is CCYYMMDD
// and `time` HHMM.
std::string CTL48400E(const std::string& transactionType, const std::string& version, const X12Output& out,
                      const std::string& mapPath, const EnvelopeValues& values, const std::string& date,
                      const std::string& time);
// The values completed as CTL48400E completes them, from a map text read
// once (ISA values cut or filled to their widths).
EnvelopeValues completeEnvelope(EnvelopeValues values, std::string_view mapText);
std::string envelopeHeader(const std::string& transactionType, const std::string& version, const X12Output& out,
                           const EnvelopeValues& completed, const std::string& date, const std::string& time);
// The ISA and GS segments alone, and one ST (an output holds a set per
// run of records that share their header values).
std::string interchangeHeader(const std::string& version, const X12Output& out, const EnvelopeValues& completed,
                              const std::string& date, const std::string& time);
std::string setHeader(const std::string& transactionType, const X12Output& out, const std::string& st02,
                      const std::string& st03);
// CTL48400F: the SE, GE and IEA segments.
std::string CTL48400F(const X12Output& out, std::size_t segmentCount, const EnvelopeValues& values);

// The envelope values of an XML source that holds a "BATCH" element;
// nothing when it holds none.
std::optional<EnvelopeValues> xmlEnvelope(const std::string& xml);

struct X12BuildRequest {
    bool xml = false;        // XML source (else CSV)
    std::string source;
    std::string output;
    std::string mapPath;
    bool crlf = false;       // "CR"
    bool multiLine = false;  // "ML"
    bool merge = false;      // "MF": append to an existing X12 output
    int meterMode = -1;      // 0 show the meter, 2 set it only, -1 none
    std::string date;        // CCYYMMDD; "" for today
    std::string time;        // HHMM; "" for now
};

struct X12BuildResult {
    bool failed = false;
    std::size_t records = 0;
    std::string reason;  // why it failed
    // Records left out (a claim map's record without a claim id), one line each.
    std::vector<std::string> problems;
};

// Converts one CSV or XML source with a loaded map.
X12BuildResult buildX12(MapFile& map, const X12BuildRequest& request, RunLog& log);

// The engine's CSV/XML-to-X12 direction: the request's source through the
// map found at `mapPath`.
DirectionResult convertToX12(const EngineRequest& request, MapFile& map, const std::string& mapPath, RunLog& log);

// Adds copies of the line-1 block of fields for lines 2..lines (names and
// line-1 conditions take the line number in place of their last character).
void expandServiceLines(std::vector<FieldRow>& fields, int lines);

// A map whose line key matches far more often than its record key would
// grow the table past any memory: an expansion beyond this many fields is
// refused, loudly, in either direction.
inline constexpr std::size_t kMaxExpandedFields = 100'000;
bool expansionFits(const std::vector<FieldRow>& fields, int lines);
// "ML Expansion Error : " + lines + " Service Lines Exceed " + limit + " Fields."
std::string expansionError(int lines);

}  // namespace zr
