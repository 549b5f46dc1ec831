#include "export_engine.hpp"

#include <algorithm>
#include <fstream>
#include <deque>
#include <optional>

#include "claim_finders.hpp"
#include "claim_getters.hpp"
#include "claim_status_getters.hpp"
#include "claims_listing.hpp"
#include "dbf_file.hpp"
#include "eligibility_getters.hpp"
#include "export_dictionaries.hpp"
#include "export_maps.hpp"
#include "export_settings.hpp"
#include "fixed_layout.hpp"
#include "ini_lines.hpp"
#include "odbc_export_text.hpp"
#include "paths.hpp"
#include "placeholders.hpp"
#include "progress_meter.hpp"
#include "remittance_getters.hpp"
#include "text.hpp"
#include "work_pool.hpp"

namespace zr {

namespace {

const char* const kCrLf = "\r\n";

// The words of a batch request's options item.
struct ExportOptions {
    bool serviceLines = false;  // "SL"
    bool header = false;        // "HO"
    bool fixedLayout = false;   // "FL"
    bool mergeFile = false;     // "MF"
    bool namedFile = false;     // "MN"
    bool silent = false;        // "MO"
    bool debugOn = false;       // "DEBUG=ON": the trace is kept on past its limit
    std::string filterField, filterValue, mapName;
};

ExportOptions parseExportOptions(const std::string& text) {
    ExportOptions o;
    std::vector<std::string> words;
    std::string word;
    for (char c : text) {
        if (c == ',') {
            words.push_back(word);
            word.clear();
        } else {
            word += c;
        }
    }
    words.push_back(word);
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::string w = wl::upper(wl::alltrim(words[i]));
        if (w == "SL") o.serviceLines = true;
        if (w == "HO") o.header = true;
        if (w == "FL") o.fixedLayout = true;
        if (w == "MF") o.mergeFile = true;
        if (w == "MN") o.namedFile = true;
        if (w == "MO") o.silent = true;
        if (w == "DEBUG=ON") o.debugOn = true;
        if (wl::prefixMatch(w, "FILTER=")) {
            o.filterField = wl::upper(wl::alltrim(w.substr(7)));
            if (i + 1 < words.size()) o.filterValue = wl::upper(wl::alltrim(words[++i]));
        }
        if (wl::prefixMatch(w, "MAP=")) o.mapName = wl::alltrim(words[i]).substr(4);
    }
    return o;
}

std::string extensionOf(ExportLetter letter) {
    switch (letter) {
        case ExportLetter::Csv: return "csv";
        case ExportLetter::Xml: return "xml";
        case ExportLetter::Dbf: return "dbf";
        default: return "";
    }
}

// The run log of one export: the text of "temp.log" when there is one, the
// engine's lines added.
class RunLogText {
public:
    explicit RunLogText(std::string folder) : folder_(std::move(folder)) {
        if (exportLogExists(folder_, "temp.log")) text_ = readExportLog(folder_, "temp.log");
    }
    void line(const std::string& l) { text_ += l + kCrLf; }
    void write() const {
        if (!wl::alltrim(text_).empty()) writeExportLog(folder_, "temp.log", text_);
    }

private:
    std::string folder_;
    std::string text_;
};

// One record's values by field name.
using ValueOf = std::function<std::string(const std::string& name)>;
// Calls `record` for every record of the set; `progress` with the share done.
using RecordVisitor = std::function<void(const ValueOf&)>;
// The same with the record's service line (0: the claim itself).
using LineRecordVisitor = std::function<void(const ValueOf&, std::size_t line)>;

// The records of one loaded set and how their values are read.
class ExportRecords {
public:
    ExportRecords(const ExportRequest& r, const ExportOptions& o, const ClaimIndex& index)
        : r_(r), o_(o), index_(index), table_(*r.table) {}

    std::size_t claimCount() const {
        if (r_.st01 == "837") return subscriberLoops(table_);
        if (r_.st01 == "835") return CTL39407AA(1, "CLP", table_);
        if (r_.st01 == "277") return CTL39410AA(table_);
        if (r_.st01 == "271") return CTL39412AA(table_);
        return 0;
    }

    // Visits every record; `keep` (835 only) decides whether a claim is
    // written. Answers the number of claims written.
    std::size_t visit(const RecordVisitor& record, const std::function<bool(std::size_t)>& keep,
                      const std::function<void(std::size_t, std::size_t)>& progress) const {
        return visitLines([&](const ValueOf& value, std::size_t) { record(value); }, keep, progress);
    }

    // The same, each record told its 835 service line ("SL"; 0 otherwise).
    std::size_t visitLines(const LineRecordVisitor& record, const std::function<bool(std::size_t)>& keep,
                           const std::function<void(std::size_t, std::size_t)>& progress) const {
        const std::size_t n = claimCount();
        std::size_t written = 0;
        if (r_.st01 == "837") {
            const ClaimFields f(table_, index_, r_.workFolder);
            for (std::size_t k = 1; k <= n; ++k) {
                written += claimRecords(f, k, [&](const ValueOf& value) { record(value, 0); });
                progress(k, n);
            }
        } else if (r_.st01 == "835") {
            for (std::size_t k = 1; k <= n; ++k) {
                progress(k, n);
                if (keep && !keep(k)) continue;
                ++written;
                const std::size_t lines = o_.serviceLines ? CTL39407A(1, k, table_, r_.claimColumnMode) : 0;
                if (lines == 0) {
                    record([&](const std::string& name) { return remittanceValue(k, name, 0); }, 0);
                    continue;
                }
                for (std::size_t s = 1; s <= lines; ++s)
                    record([&](const std::string& name) { return remittanceValue(k, name, s); }, s);
            }
        } else if (r_.st01 == "277") {
            const ClaimStatusReader reader(table_);
            for (std::size_t k = 1; k <= n; ++k) {
                record([&](const std::string& name) { return reader.field(k, name); }, 0);
                ++written;
                progress(k, n);
            }
        } else if (r_.st01 == "271") {
            const EligibilityReader reader(table_);
            for (std::size_t k = 1; k <= n; ++k) {
                record([&](const std::string& name) { return eligibilityValue(reader, k, name); }, 0);
                ++written;
                progress(k, n);
            }
        }
        return written;
    }

    // An 837's records with the number of service lines of each claim's
    // subscriber loop.
    void visitClaimLines(const std::function<void(const ValueOf&, std::size_t)>& record,
                         const std::function<void(std::size_t, std::size_t)>& progress) const {
        const std::size_t n = claimCount();
        const ClaimFields f(table_, index_, r_.workFolder);
        for (std::size_t k = 1; k <= n; ++k) {
            const auto kk = static_cast<long long>(k);
            const std::size_t lines = CTL39406DW(index_, table_, kk);
            claimRecords(f, k, [&](const ValueOf& value) { record(value, lines); });
            progress(k, n);
        }
    }

    // The records as text, written in order by `out`: an 837's claims are
    // formatted side by side in blocks (a claim's fields cost far more than
    // writing them), any other set's one by one.
    std::size_t text(const std::function<std::string(const ValueOf&)>& format,
                     const std::function<void(const std::string&)>& out, const std::function<bool(std::size_t)>& keep,
                     const std::function<void(std::size_t, std::size_t)>& progress) const {
        if (r_.st01 != "837") return visit([&](const ValueOf& v) { out(format(v)); }, keep, progress);
        const std::size_t n = claimCount();
        constexpr std::size_t kBlock = 1000;
        const std::size_t blocks = (n + kBlock - 1) / kBlock;
        wl::WorkPool pool(wl::WorkPool::usefulThreads(6));
        struct Block {
            std::string text;
            std::size_t records = 0;
            std::shared_ptr<wl::WorkPool::Job> job;
        };
        std::deque<Block> inFlight;
        std::size_t next = 0, done = 0, written = 0;
        auto submit = [&] {
            const std::size_t first = next * kBlock + 1, last = std::min(n, (next + 1) * kBlock);
            inFlight.emplace_back();
            Block* b = &inFlight.back();
            b->job = pool.submit([this, b, first, last, &format](unsigned) {
                // A reader per block: what a reader keeps of the claims it
                // read goes with the block.
                const ClaimFields reader(table_, index_, r_.workFolder);
                for (std::size_t k = first; k <= last; ++k)
                    b->records += claimRecords(reader, k, [&](const ValueOf& v) { b->text += format(v); });
            });
            ++next;
        };
        // A few blocks per thread ahead, so memory holds a bounded number
        // of records whatever the file's size.
        const std::size_t ahead = 2 * pool.threads();
        while (done < blocks) {
            while (next < blocks && inFlight.size() < ahead) submit();
            Block& b = inFlight.front();
            pool.wait(b.job);
            out(b.text);
            written += b.records;
            inFlight.pop_front();
            ++done;
            progress(std::min(n, done * kBlock), n);
        }
        return written;
    }

    // The records of subscriber loop k, one per claim (CLM) of it.
    std::size_t claimRecords(const ClaimFields& f, std::size_t k, const RecordVisitor& record) const {
        const auto kk = static_cast<long long>(k);
        const int clms = static_cast<int>(f.clmCount(kk));
        for (int j = 1; j <= clms; ++j)
            record([&](const std::string& name) { return claimValue(f, kk, j, name); });
        return static_cast<std::size_t>(std::max(clms, 0));
    }

    // The 837 value: a claim-level name through the claim getter, any other
    // through the header getter, then the request's item of that name.
    std::string claimValue(const ClaimFields& f, long long k, int j, const std::string& name) const {
        if (name.empty()) return "";
        if (const int g = f.groupOf(name); g > 200) return f.claimInGroup(g, j, k, name);
        std::string v = f.header(k, name);
        if (v.empty() && requestItems_) v = CTL39400AV(name, r_.spec, r_.st01);
        return v;
    }

    // The 835 value; line s > 0 reads service-line names of that line.
    std::string remittanceValue(std::size_t k, const std::string& name, std::size_t s) const {
        if (name.empty()) return "";
        if (s > 0 && CTL39407AO(name)) return CTL39407AE(1, index_, table_, k, name + std::to_string(s), r_.claimColumnMode);
        std::string v = CTL39407AB(1, index_, table_, k, name, r_.claimColumnMode);
        if (v.empty()) v = CTL39407AC(1, table_, name);
        if (v.empty()) v = CTL39407AE(1, index_, table_, k, name, r_.claimColumnMode);
        if (v.empty() && requestItems_) v = CTL39400AV(name, r_.spec, r_.st01);
        return v;
    }

    // The same records read from the getters alone, without the request's
    // items (the dBASE columns).
    ExportRecords gettersOnly() const {
        ExportRecords r = *this;
        r.requestItems_ = false;
        return r;
    }

    // Where an 835 value came from, for the debug trace: A claim, B
    // transaction, C service line, D none.
    char remittanceSource(std::size_t k, const std::string& name) const {
        if (!CTL39407AB(1, index_, table_, k, name, r_.claimColumnMode).empty()) return 'A';
        if (!CTL39407AC(1, table_, name).empty()) return 'B';
        if (!CTL39407AE(1, index_, table_, k, name, r_.claimColumnMode).empty()) return 'C';
        return 'D';
    }

    static std::string eligibilityValue(const EligibilityReader& reader, std::size_t k, const std::string& name) {
        if (name.empty()) return "";
        std::string v = reader.itemField(k, name);
        if (v.empty()) v = wl::alltrim(reader.fileField(name));
        if (v.empty()) v = wl::alltrim(reader.numberedBenefitField(k, name));
        return v;
    }

    // The 835 filter field's value: claim, transaction, service line 0,
    // then the generators' service-line getter.
    std::string filterValueOf(std::size_t k, const std::string& field) const {
        std::string v = CTL39407AB(1, index_, table_, k, field, r_.claimColumnMode);
        if (v.empty()) v = CTL39407AC(1, table_, field);
        if (v.empty()) v = CTL39407AE(1, index_, table_, k, field, r_.claimColumnMode);
        if (v.empty()) v = CTL39407AL(1, index_, table_, k, field);
        return v;
    }

private:
    const ExportRequest& r_;
    const ExportOptions& o_;
    const ClaimIndex& index_;
    const SegmentTable& table_;
    bool requestItems_ = true;
};

// The field names a record carries: all of them for an 837, at most
// "maxfieldcount=" for the other sets.
std::vector<std::string> recordFields(const ExportRequest& r, const ExportSettings& s) {
    std::vector<std::string> f = r.fields;
    if (r.st01 != "837" && static_cast<long long>(f.size()) > s.maxFieldCount)
        f.resize(static_cast<std::size_t>(std::max<long long>(0, s.maxFieldCount)));
    return f;
}

// The output file's name; "" ends the export.
std::string outputName(const ExportRequest& r, const ExportOptions& o, const ExportPrompts& p) {
    const std::string ext = extensionOf(r.letter);
    const bool batch = r.outputMode == OutputMode::Export;
    std::string name;
    if (o.mergeFile) return r.spec.destinationFolder;
    if (o.namedFile) return wl::joinPath(r.spec.destinationFolder, r.spec.destinationFile);
    if (batch) {
        if (r.spec.destinationFile.empty()) return "";
        // A data source and table ("source:table"), not a file.
        if (r.letter == ExportLetter::Odbc) return r.spec.destinationFile;
        name = r.spec.destinationFile + (ext.empty() ? "" : "." + ext);
        if (wl::folderExists(r.spec.destinationFolder)) name = wl::joinPath(r.spec.destinationFolder, name);
        return name;
    }
    if (!p.saveName) return "";
    name = p.saveName("Export to File", "export." + ext, r.folder);
    if (name.empty()) return "";
    if (wl::fileExists(name)) {
        const bool yes = p.askYes && p.askYes(name + " already exists. Overwrite it?", "Overwite File?");
        if (!yes) return "";
    }
    return name;
}

// The output file, written record by record.
class OutputFile {
public:
    OutputFile(const std::string& name, bool append)
        : out_(name, std::ios::binary | (append ? std::ios::app : std::ios::trunc)) {}
    bool ok() const { return static_cast<bool>(out_); }
    void write(const std::string& text) { out_.write(text.data(), static_cast<std::streamsize>(text.size())); }

private:
    std::ofstream out_;
};

bool isXmlNameStart(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}

// An element name for a field name: names are upper-case words, but a name
// from a hand-written map may hold anything, and the file must stay
// well-formed.
std::string xmlName(const std::string& name) {
    std::string out;
    for (char c : name) {
        const bool ok = isXmlNameStart(c) || (c >= '0' && c <= '9') || c == '-' || c == '.';
        out += ok ? c : '_';
    }
    if (out.empty() || !isXmlNameStart(out.front())) out.insert(out.begin(), '_');
    return out;
}

struct WriterContext {
    const ExportRequest& request;
    const ExportOptions& options;
    const ExportSettings& settings;
    const ExportRecords& records;
    ExportDebugLog& debug;
    RunLogText& runLog;
    std::function<void(std::size_t, std::size_t)> progress;
};

bool writeCsv(const WriterContext& c, const std::string& path) {
    const std::string sep = exportSeparator(c.request.workFolder);
    const std::vector<std::string> fields = recordFields(c.request, c.settings);
    OutputFile out(path, c.options.mergeFile);
    if (!out.ok()) return false;
    if (c.request.headerFlag == "HO" || c.options.header) {
        std::string line;
        for (std::size_t i = 0; i < fields.size(); ++i) line += (i ? sep : "") + csvCell(fields[i], sep);
        out.write(line + kCrLf);
    }
    const bool remittance = c.request.st01 == "835";
    if (remittance) c.debug.line(" 835 Claim Count = " + std::to_string(c.records.claimCount()));
    std::function<bool(std::size_t)> keep;
    const std::string& ff = c.options.filterField;
    if (remittance && !ff.empty()) {
        c.debug.line(" Filter Field = " + ff);
        const std::string fv = c.options.filterValue;
        const bool special = !c.options.serviceLines && CTL39404AA(1, fv, "");
        keep = [&c, ff, fv, special](std::size_t k) {
            const std::string v = c.records.filterValueOf(k, ff);
            if (special) return CTL39404AA(2, fv, v);
            return wl::upper(wl::alltrim(v)) == fv;
        };
    }
    std::size_t claim = 0;
    auto progress = [&](std::size_t k, std::size_t n) {
        claim = k;
        c.progress(k, n);
    };
    // Formats one record; for an 837 several threads run it at once, so it
    // keeps its text to itself.
    auto format = [&](const ValueOf& value) {
            std::string line;
            line.reserve(16 * fields.size());
            for (std::size_t i = 0; i < fields.size(); ++i) {
                if (i) line += sep;
                appendCsvCell(line, CTL39404P(value(fields[i])), sep);
                if (remittance && c.debug.collecting() && !fields[i].empty()) {
                    const char source = c.records.remittanceSource(claim, fields[i]);
                    std::string t = " - " + fields[i] + "-> Point " + std::string(1, source) + " ";
                    if (source == 'A' && fields[i] == "CLAIMPATCTL") t += " -> Value=" + value(fields[i]);
                    c.debug.line(t);
                    c.debug.spillWhenLong();
                }
            }
            line += kCrLf;
            return line;
    };
    const std::size_t written =
        c.records.text(format, [&](const std::string& t) { out.write(t); }, keep, progress);
    if (remittance && !ff.empty()) {
        c.runLog.line(" Filter Field = " + ff);
        c.runLog.line(" Filter Equal = " + wl::alltrim(c.options.filterValue));
        c.runLog.line(" Filter Recorcd Count = " + std::to_string(written));
    }
    return true;
}

bool writeXml(const WriterContext& c, const std::string& path) {
    const std::vector<std::string> fields = recordFields(c.request, c.settings);
    OutputFile out(path, c.options.mergeFile);
    if (!out.ok()) return false;
    out.write("<?xml version=\"1.0\"  encoding=\"" + c.settings.xmlEncoding + "\"?>\r\n<EXPORTDATA>\r\n");
    const bool claims837 = c.request.st01 == "837";
    const bool dropEmpty = c.settings.switchSet(11);
    auto format = [&](const ValueOf& value) {
            std::string text = "<CLAIM>\r\n";
            for (const std::string& name : fields) {
                // An empty entry (the empty list, a map's stray comma) names
                // no element.
                if (name.empty()) {
                    if (claims837) continue;
                    break;
                }
                const std::string tag = xmlName(name);
                if (claims837) {
                    const std::string v = CTL39404P(value(name));
                    if (v.empty() && dropEmpty) continue;
                    text += "<" + tag + ">" + xmlText(v) + "</" + tag + ">\r\n";
                } else {
                    const std::string v = CTL39404T(value(name));
                    text += "<" + tag + ">";
                    if (!v.empty()) text += xmlText(v) + kCrLf;
                    text += "</" + tag + ">\r\n";
                }
            }
            return text + "</CLAIM>\r\n";
    };
    c.records.text(format, [&](const std::string& t) { out.write(t); }, {}, c.progress);
    out.write("</EXPORTDATA>");
    return true;
}

// The fixed layout: the segments of the table's claims, not the fields.
bool writeFixedLayout(const WriterContext& c, const std::string& path, bool csv) {
    OutputFile out(path, c.options.mergeFile);
    if (!out.ok()) return false;
    auto write = [&](const std::string& t) { out.write(t); };
    if (csv) {
        fixedLayoutCsv(*c.request.table, exportSeparator(c.request.workFolder), write);
    } else {
        fixedLayoutXml(*c.request.table, write);
    }
    return true;
}

// The dBASE column names: "F_" and the column number in six digits.
std::string dbfColumnName(std::size_t n) {
    return "F_" + wl::padLeft(std::to_string(n), 6, '0');
}

bool writeDbf(const WriterContext& c, std::string path, const ExportDictionary& dictionary) {
    const bool claims837 = c.request.st01 == "837";
    // A dBASE name may not begin with a digit: such a name gets "a_" in
    // front, and a second run replaces the first run's table.
    const std::string file = wl::fileNamePart(path);
    if (!claims837 && !file.empty() && file.front() >= '0' && file.front() <= '9')
        path = wl::joinPath(wl::folderPart(path), "a_" + file);
    std::vector<std::string> names;
    std::vector<wl::DbfField> columns;
    if (claims837) {
        for (const std::string& name : c.request.fields) {
            if (columns.size() == 1024) break;
            names.push_back(name);
            columns.push_back({dbfColumnName(columns.size() + 1), 'C', CTL39404AB(name, dictionary).width, 0});
        }
    } else {
        for (const DictionaryRow& row : dictionary) {
            if (static_cast<long long>(columns.size()) >= c.settings.dbfFieldCount) break;
            names.push_back(row.name);
            columns.push_back({dbfColumnName(columns.size() + 1), 'C', row.width, 0});
        }
    }
    if (claims837 || c.request.st01 == "835") {
        c.debug.line(" - DBF Field List");
        for (std::size_t i = 0; i < columns.size(); ++i) c.debug.line(" - " + columns[i].name + " = " + names[i]);
    }
    std::optional<wl::DbfFile> table = wl::DbfFile::create(path, columns);
    if (!table) return false;
    wl::ValueList values(columns.size());
    c.records.gettersOnly().visit(
        [&](const ValueOf& value) {
            for (std::size_t i = 0; i < names.size(); ++i) {
                // Cut to the column's width, never past it.
                std::string v = CTL39404P(value(names[i]));
                if (v.size() > static_cast<std::size_t>(columns[i].length)) v.resize(columns[i].length);
                values[i] = wl::Value(std::move(v));
            }
            table->append(values);
        },
        {}, c.progress);
    return true;
}

}  // namespace

// ------------------------------------------------------------ ODBC writer

namespace {

bool tableListed(const std::vector<std::string>& tables, const std::string& table) {
    const std::string wanted = wl::upper(table);
    return std::any_of(tables.begin(), tables.end(), [&](const std::string& t) { return wl::upper(t) == wanted; });
}

// The largest number n of a key "RECID" + n among the values.
long long highestRecordKey(const std::vector<std::string>& keys) {
    long long high = 0;
    for (const std::string& k : keys) {
        const std::string t = wl::alltrim(k);
        if (!wl::prefixMatch(wl::upper(t), "RECID") || t.size() == 5) continue;
        const std::string digits = t.substr(5);
        if (!std::all_of(digits.begin(), digits.end(), [](char ch) { return ch >= '0' && ch <= '9'; })) continue;
        if (digits.size() > 15) continue;
        high = std::max(high, std::stoll(digits));
    }
    return high;
}

// The rows an ODBC export could not add, for "zrerror.log".
class OdbcErrors {
public:
    void keyTooWide(const std::string& column, int width, const std::string& value) {
        text_ += " - Record not added - Primary key data larger than field width.\r\n";
        text_ += "   Field " + column + " Width=" + wl::padLeft(std::to_string(width), 10) + " Data " + value +
                 "  Length=" + wl::padLeft(std::to_string(value.size()), 10) + "\r\n";
    }
    void refused(const std::string& key) { text_ += " - Record not added - The data source refused " + key + "\r\n"; }
    void write(const std::string& folder) const {
        if (!text_.empty()) writeExportLog(folder, "zrerror.log", text_);
    }

private:
    std::string text_;
};

std::vector<ExportTableSink::Column> odbcColumns(const std::vector<std::string>& fields) {
    std::vector<ExportTableSink::Column> columns;
    for (const DictionaryRow& row : CTL39404W(fields)) columns.push_back({row.name, row.width, false});
    return columns;
}

void writeOdbcFileMode(const WriterContext& c, const std::string& outputName, const ExportPrompts& p) {
    const std::size_t colon = outputName.find(':');
    const std::string dataSource = outputName.substr(0, colon);
    std::string table = colon == std::string::npos ? "" : outputName.substr(colon + 1);
    std::erase(table, '.');
    if (table.empty()) {
        if (p.show) p.show("Missing Table Name");
        return;
    }
    const bool remittance = c.request.st01 == "835";
    if (remittance) {
        c.debug.line(" ODBC Point A");
        c.debug.line(" ODBC Point A2");
    }
    std::unique_ptr<ExportTableSink> sink = p.openSink ? p.openSink() : nullptr;
    if (!sink || !sink->connect(dataSource)) return;
    std::vector<std::string> fields = c.request.fields;
    std::erase(fields, std::string());
    if (fields.size() > 254) fields.resize(254);
    std::vector<ExportTableSink::Column> columns{{"SQLRECID", 16, true}};
    for (const auto& col : odbcColumns(fields)) columns.push_back(col);
    if (!tableListed(sink->tables(), table) && !sink->create(table, columns)) return;
    // Keys continue after the highest key the table holds: a count of rows
    // would give keys taken already once rows were deleted.
    const long long first = highestRecordKey(sink->columnValues(table, "SQLRECID"));
    std::vector<std::string> names;
    for (const auto& col : columns) names.push_back(col.name);
    long long running = 0;
    OdbcErrors errors;
    c.records.visitLines(
        [&](const ValueOf& value, std::size_t line) {
            if (remittance) {
                if (line > 0) c.debug.line(" ODBC Point A2 Service Line " + std::to_string(line));
                c.debug.line(" ODBC Point A2 IDCN = " + value("CLAIMPATCTL"));
            }
            std::vector<std::string> values{"RECID" + wl::padLeft(std::to_string(first + ++running), 6, '0')};
            for (std::size_t i = 1; i < columns.size(); ++i) {
                // Cut to the column's width, never shorter.
                std::string v = CTL39404P(value(columns[i].name));
                if (v.size() > static_cast<std::size_t>(columns[i].width)) v.resize(columns[i].width);
                values.push_back(std::move(v));
                // The field's place in the export field list.
                if (remittance) c.debug.line(" ODBC Point A6 = " + std::to_string(i));
            }
            if (!sink->insert(table, names, values)) {
                errors.refused(values[0]);
            } else if (remittance) {
                c.debug.line(" ODBC Point Added Record A ");
            }
            c.debug.flushWhenLong();
        },
        {}, c.progress);
    sink->commit();
    if (remittance) c.debug.line(" ODBC Point AB");
    errors.write(c.request.workFolder);
}

// The data-source mode: the tables of the definitions for this set, each
// row added once per key.
void writeOdbcDataSources(const WriterContext& c, const ExportPrompts& p, const ExportClock& clock, std::string track) {
    const std::vector<OdbcExportDefinition> definitions =
        p.odbcDefinitions ? p.odbcDefinitions(c.request.spec.unused) : std::vector<OdbcExportDefinition>{};
    const bool remittance = c.request.st01 == "835";
    const auto& spec = c.request.spec;
    if (remittance) {
        c.debug.line(" ODBC Point A");
        c.debug.line(" ODBC Point A1");
    } else {
        c.debug.line(" - Xdbtc=" + std::to_string(definitions.size()));
        const std::string items[] = {spec.parseType, spec.sourceFile, spec.destinationFolder, spec.parseOptions,
                                     spec.destinationFile, spec.unused};
        for (int i = 0; i < 6; ++i) c.debug.line(" - xpa[" + std::to_string(i + 1) + "]=" + items[i]);
    }
    std::size_t definition = 0;
    OdbcErrors errors;
    for (const OdbcExportDefinition& d : definitions) {
        const std::string at = "  " + clock.now();
        if (!remittance) {
            c.debug.line("xdbcc    " + std::to_string(++definition) + at);
            c.debug.line("DSN    " + d.dataSource + at);
            c.debug.line("Table    " + d.table + at);
            c.debug.line("Table Type    " + d.transactionType + at);
        }
        if (d.transactionType != c.request.st01 || d.fields.empty()) continue;
        std::unique_ptr<ExportTableSink> sink = p.openSink ? p.openSink() : nullptr;
        if (!sink || !sink->connect(d.dataSource)) continue;
        std::vector<ExportTableSink::Column> columns = odbcColumns(d.fields);
        columns[0].primaryKey = true;
        // The table's own name, in any case: a table whose name only begins
        // with it is another table.
        if (!tableListed(sink->tables(), d.table) && !sink->create(d.table, columns)) continue;
        std::vector<std::string> names;
        for (const auto& col : columns) names.push_back(col.name);
        if (!remittance) {
            c.debug.line("Table Loaded  " + clock.now());
            c.debug.line("B - DSN    " + d.dataSource + "  " + clock.now());
            c.debug.line("B - Table    " + d.table + "  " + clock.now());
            c.debug.line("B - MAXCC   " + std::to_string(c.records.claimCount()) + "  " + clock.now());
        }
        auto addRow = [&](const ValueOf& value) {
            std::vector<std::string> values;
            for (const auto& col : columns) values.push_back(CTL39404P(value(col.name)));
            const std::string& key = values[0];
            if (key.size() > static_cast<std::size_t>(columns[0].width)) {
                errors.keyTooWide(columns[0].name, columns[0].width, key);
                return;
            }
            const long long found = sink->countRows(sqlKeyProbe(d.table, columns[0].name, key));
            if (remittance) {
                c.debug.line(" ODBC Point A3 = " + columns[0].name);
                c.debug.line(" ODBC Point A4 = " + key);
                c.debug.line(" ODBC Point A5 = " + std::to_string(found));
            }
            if (found != 0) return;
            for (std::size_t i = 1; i < values.size(); ++i)
                if (values[i].size() > static_cast<std::size_t>(columns[i].width)) values[i].resize(columns[i].width);
            if (remittance)
                for (std::size_t i = 0; i < values.size(); ++i) c.debug.line(" ODBC Point A6 = " + std::to_string(i + 1));
            if (sink->insert(d.table, names, values)) {
                if (remittance) c.debug.line(" ODBC Point Added Record A ");
                track += " - Added " + key + "  " + clock.now() + "\r\n";
            } else {
                errors.refused(key);
            }
        };
        // An 837 row's steps, each stamped.
        auto addClaimRow = [&](const ValueOf& value) {
            c.debug.timedLine("Test Point A");
            addRow(value);
            c.debug.timedLine("End Test point A");
        };
        const bool lines837 = c.request.st01 == "837" &&
                              std::any_of(d.fields.begin(), d.fields.end(), [](const std::string& f) { return CTL39406DB(f); });
        if (c.request.st01 != "837") {
            c.records.visit(
                [&](const ValueOf& value) {
                    addRow(value);
                    c.debug.flushWhenLong();
                },
                {}, c.progress);
        } else {
            // With service-line fields a row per service line: its columns
            // read that line, and ICLAIMPATCTLSEQSERVLINE numbers the
            // claim's lines. Otherwise a row per claim.
            std::size_t claim = 0;
            c.records.visitClaimLines(
                [&](const ValueOf& value, std::size_t lines) {
                    c.debug.timedLine("Claim : " + std::to_string(++claim));
                    c.debug.line("Service Line Count = " + std::to_string(lines));
                    if (!lines837 || lines == 0) {
                        c.debug.timedLine("Claim Level Started");
                        addClaimRow(value);
                        c.debug.timedLine("Claim Complete");
                    } else {
                        c.debug.timedLine("Service Line Start");
                        for (std::size_t s = 1; s <= lines; ++s) {
                            addClaimRow([&](const std::string& name) {
                                const std::string n = std::to_string(s);
                                if (name == "ICLAIMPATCTLSEQSERVLINE") return value("CLAIMID") + n;
                                return CTL39406DB(name) ? value(name + n) : value(name);
                            });
                        }
                        c.debug.timedLine("Service Line Complete");
                    }
                    c.debug.flushWhenLong();
                },
                c.progress);
        }
        sink->commit();
        if (remittance) c.debug.line(" ODBC Point AB");
    }
    errors.write(c.request.workFolder);
    if (!wl::alltrim(track).empty()) writeExportLog(c.request.workFolder, "track.log", track);
}

}  // namespace

// --------------------------------------------------------------- engine

bool exportLetterOfType(const std::string& type, ExportLetter& letter) {
    const std::string t = wl::upper(wl::alltrim(type));
    if (t == "CSV") letter = ExportLetter::Csv;
    else if (t == "XML") letter = ExportLetter::Xml;
    else if (t == "DBF") letter = ExportLetter::Dbf;
    else if (t == "ODBC") letter = ExportLetter::Odbc;
    else if (t == "835") letter = ExportLetter::Remittance;
    else if (t == "YWX") letter = ExportLetter::Ywx;
    else return false;
    return true;
}

void CTL39404G(const ExportRequest& request, const ExportPrompts& prompts, const ExportClock& clock) {
    if (!request.table) return;
    const bool batch = request.outputMode == OutputMode::Export;
    const ExportOptions options = batch ? parseExportOptions(request.spec.parseOptions) : ExportOptions{};
    const std::string& folder = request.workFolder;
    const ExportSettings settings = readExportSettings(folder, CTL39400AA("NM185", *request.table));
    ExportRequest r = request;
    // Records run over the whole file, so claims are numbered within the
    // file: numbers within a set or an interchange start again in the next
    // one, and the claims there would be read as empty.
    r.claimColumnMode = 1;
    const ClaimIndex index = CTL39400C(*request.table, r.claimColumnMode);
    if (options.silent) request.app->module.silentMeter = 1;
    if (!options.mapName.empty() && wl::fileExists(exportFilePath(folder, options.mapName))) {
        const std::string claimType = r.st01 == "837" ? exportClaimType(*request.table, index) : "";
        r.fields = CTL39404J(r.st01, r.fields, 0, claimType, exportDictionary(r.st01, 0), options.mapName, folder,
                             clock);
        request.app->module.exportMapName = options.mapName;
    }

    RunLogText runLog(folder);
    // The keys added so far: a data-source export adds to them, any other
    // export leaves none.
    const std::string track = readExportLog(folder, "track.log");
    eraseExportLog(folder, "track.log");
    ExportDebugLog debug(folder, clock);
    const bool odbc837 = r.letter == ExportLetter::Odbc && r.st01 == "837";
    // The 837 ODBC path continues the trace of an earlier run, or starts one.
    if (odbc837 && exportLogExists(folder, "zrdebug.log")) {
        debug.continueFile();
    } else if (odbc837 || settings.switchSet(12)) {
        debug.header(static_cast<int>(request.letter), r.st01);
    }
    if (options.debugOn) debug.keepOn();

    // The data-source mode names its tables in its definitions.
    const bool dataSources = r.letter == ExportLetter::Odbc && !r.spec.unused.empty();
    std::string output = dataSources ? "" : outputName(r, options, prompts);
    // The X12 file itself is never the output: its text is what is read.
    if (!output.empty() && !r.sourceFile.empty() && r.letter != ExportLetter::Odbc && wl::sameFile(output, r.sourceFile)) {
        if (prompts.show) prompts.show(output + " is the file being exported.");
        output.clear();
    }
    if (!output.empty() || dataSources) {
        const ExportRecords records(r, options, index);
        runLog.line(" File Type = " + r.st01 + " ");
        runLog.line(" Claim Count = " + std::to_string(records.claimCount()));
        ScopedMeter meter(MeterMode::Show, "Exporting " + r.st01, "Please Stand By..");
        int shown = -1;
        auto progress = [&](std::size_t k, std::size_t n) {
            const int percent = n ? static_cast<int>(100 * k / n) : 100;
            if (percent != shown) meter.set(percent);
            shown = percent;
        };
        const WriterContext c{r, options, settings, records, debug, runLog, progress};
        const bool fixed = options.fixedLayout;
        bool written = true;
        switch (r.letter) {
            case ExportLetter::Csv:
                if (!fixed) written = writeCsv(c, output);
                if (fixed && r.st01 != "837") written = writeFixedLayout(c, output, true);
                break;
            case ExportLetter::Xml:
                if (!fixed) written = writeXml(c, output);
                if (fixed && r.st01 != "837") written = writeFixedLayout(c, output, false);
                break;
            case ExportLetter::Dbf: written = writeDbf(c, output, exportDictionary(r.st01, 0)); break;
            case ExportLetter::Odbc:
                if (r.spec.unused.empty()) {
                    writeOdbcFileMode(c, output, prompts);
                } else {
                    writeOdbcDataSources(c, prompts, clock, track);
                }
                break;
            case ExportLetter::Ywx: CTL48001A(r, output); break;
            case ExportLetter::Remittance: break;
        }
        // A file that cannot be written is said, not passed over as made.
        if (!written) {
            if (prompts.show) prompts.show(output + " cannot be written.");
            output.clear();
        }
    }
    runLog.line(" File Loaded " + request.sourceFile);
    runLog.line(" File Created " + output);
    runLog.write();
    debug.finish();
}

SegmentTable CTL39404O(const SegmentTable& table, std::size_t n) {
    SegmentTable copy(0, table.delimiters(), table.buffer());
    for (std::size_t row = 1; row <= std::min(n, table.size()); ++row)
        copy.appendRowFrom(table, row, table.claim(row));
    return copy;
}

std::string CTL39404P(std::string value) {
    std::replace(value.begin(), value.end(), ',', ' ');
    return value;
}

std::string CTL39404T(std::string value) {
    for (char& c : value)
        if (c == '&' || c == '<' || c == '>' || c == '"' || c == '*') c = ' ';
    return value;
}

std::string csvCell(const std::string& value, const std::string& separator) {
    std::string out;
    appendCsvCell(out, value, separator);
    return out;
}

void appendCsvCell(std::string& line, const std::string& value, const std::string& separator) {
    if (value.empty()) return;
    const bool quote = value.find_first_of("\"\r\n") != std::string::npos ||
                       (!separator.empty() && value.find(separator) != std::string::npos);
    if (!quote) {
        line += value;
        return;
    }
    line += '"';
    for (char c : value) {
        if (c == '"') line += '"';
        line += c;
    }
    line += '"';
}

std::string xmlText(const std::string& value) {
    std::string out;
    out.reserve(value.size());
    for (char c : value) {
        switch (c) {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            case '"': out += "&quot;"; break;
            case '\'': out += "&apos;"; break;
            default:
                // Control characters other than tab, CR and LF are not XML.
                out += (static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\r' && c != '\n') ? ' ' : c;
        }
    }
    return out;
}

}  // namespace zr
