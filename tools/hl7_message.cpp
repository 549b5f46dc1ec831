#include "hl7_message.hpp"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <memory>

#include "file_bytes.hpp"
#include "messages.hpp"
#include "paths.hpp"
#include "progress_meter.hpp"
#include "text.hpp"

namespace zr {

namespace {

struct SegmentNames {
    const char* id;
    const char* description;
    std::vector<const char*> names;
};

const std::vector<SegmentNames>& segmentTable() {
    static const std::vector<SegmentNames> table = [] {
        const std::vector<const char*> nameOnly = {"Segment Name"};
        std::vector<SegmentNames> t = {
            {"MSH", "Message Header",
             {"Segment Name", "Field Separator", "Encoding Characters", "Sending Application", "Sending Facility",
              "Receiving Application", "Receiving Facility", "Date/Time Of Message", "Security", "Message Type",
              "Message Control ID", "Processing ID", "Version ID", "Sequence Number", "Continuation Pointer",
              "Accept Acknowledgment Type", "Application Acknowledgment Type", "Country Code", "Character Set",
              "Principal Language Of Message"}},
            {"EVN", "Event",
             {"Segment Name", "Event Type Code", "Date/Time of Event", "Date/Time Planned Event",
              "Event Reason Code", "Operator ID", "Event Occurred"}},
            // The apostrophe of "Mother's Maiden Name" is the right single
            // quotation mark of the Windows-1252 code page (0x92).
            {"PID", "Patient Information",
             {"Segment Name", "Set ID - Patient ID", "Patient ID (External ID)", "Patient ID (Internal ID)",
              "Alternate Patient ID - PID", "Patient Name", "Mother\x92s Maiden Name", "Date/Time of Birth", "Sex",
              "Patient Alias", "Race", "Patient Address", "County Code", "Phone Number - Home",
              "Phone Number - Business", "Primary Language", "Marital Status", "Religion",
              "Patient Account Number", "SSN Number - Patient", "Driver's License Number - Patient",
              "Mother's Identifier", "Ethnic Group", "Birth Place", "Multiple Birth Indicator", "Birth Order",
              "Citizenship", "Veterans Military Status", "Nationality", "Patient Death Date and Time",
              "Patient Death Indicator"}},
            {"PV1", "Patient Visit", nameOnly},
            {"PV2", "Patient Visit", nameOnly},
            {"DG1", "Diagnosis Information", nameOnly},
            {"FT1", "Change Information", nameOnly},
            {"GT1", "Guarnator Information", nameOnly},
            {"IN1", "Insurance Information", nameOnly},
            {"IN2", "Insurance Information", nameOnly},
            {"IN3", "Insurance Information", nameOnly},
            {"MRG", "Merge Information", nameOnly},
            {"NK1", "Next of Kin Information", nameOnly},
            {"NTE", "Notes and Comments", nameOnly},
            {"OBR", "Order Information", nameOnly},
            {"OBX", "Observation Information", nameOnly},
            {"ORC", "Order Common Information", nameOnly},
            {"PD1", "Patient Demographics", nameOnly},
            {"PR1", "Procedure Information", nameOnly},
        };
        return t;
    }();
    return table;
}

const SegmentNames* segmentNamed(const std::string& id) {
    for (const SegmentNames& s : segmentTable())
        if (id == s.id) return &s;
    return nullptr;
}

std::string padded(std::string s, std::size_t width) {
    if (s.size() < width) s.resize(width, ' ');
    return s;
}

// The system's error code right-aligned in two characters.
std::string codeText(int code) {
    const std::string digits = std::to_string(code);
    return digits.size() < 2 ? std::string(2 - digits.size(), ' ') + digits : digits;
}

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};

}  // namespace

void Hl7LineReader::add(std::string_view bytes) {
    for (const char ch : bytes) {
        const auto c = static_cast<unsigned char>(ch);
        if (c == 13) {
            if (lines_.back().empty())
                lines_.back() = std::move(current_);
            else
                lines_.push_back(std::move(current_));
            current_.clear();
        } else if (c >= 32) {
            current_ += ch;
        }
    }
}

std::vector<std::string> CTL48700(const std::string& fileName, const std::function<void(int)>& progress) {
    Hl7LineReader reader;
    if (!wl::fileExists(fileName)) return reader.lines();
    ScopedMeter meter(MeterMode::Show, "Loading", "Please Stand By..");
    const wl::FileBytes bytes = wl::readWholeFile(fileName);
    if (!bytes.ok()) wl::showFileError(bytes.step(), bytes.error());
    const std::string_view all = bytes.view();
    constexpr std::size_t kBlock = 1 << 16;
    for (std::size_t at = 0; at < all.size(); at += kBlock) {
        reader.add(all.substr(at, kBlock));
        const int percent = static_cast<int>(100.0 * static_cast<double>(at) / static_cast<double>(all.size()));
        meter.set(percent);
        if (progress) progress(percent);
    }
    // Text after the last CR is not part of any line.
    return reader.lines();
}

Hl7Check hl7CheckFile(const std::string& fileName, int* systemError) {
    if (!wl::fileExists(fileName)) return Hl7Check::Missing;
    errno = 0;
    std::unique_ptr<std::FILE, FileCloser> f(std::fopen(fileName.c_str(), "rb"));
    if (!f) {
        if (systemError) *systemError = errno;
        return Hl7Check::OpenFailed;
    }
    char head[3];
    if (std::fread(head, 1, 3, f.get()) != 3) {
        if (systemError) *systemError = std::ferror(f.get()) ? errno : 0;
        return Hl7Check::ReadFailed;
    }
    return wl::upper(std::string_view(head, 3)) == "MSH" ? Hl7Check::Msh : Hl7Check::NotMsh;
}

bool CTL48700A(const std::string& fileName) {
    int code = 0;
    switch (hl7CheckFile(fileName, &code)) {
    case Hl7Check::Msh:
        return true;
    case Hl7Check::NotMsh:
        return false;
    case Hl7Check::Missing:
        wl::WQOUT({wl::Value("no file " + fileName)});
        return false;
    case Hl7Check::OpenFailed:
        wl::WQOUT({wl::Value("<ERROR> MSH Check FC-Open #" + codeText(code))});
        return false;
    case Hl7Check::ReadFailed:
        wl::WQOUT({wl::Value(" <ERROR> MSH Check FC-Read #" + codeText(code))});
        return false;
    }
    return false;
}

std::string CTL48700B(const std::string& firstLine, int n) {
    if (n < 1 || n > 5) return "Err";
    const std::size_t at = static_cast<std::size_t>(n) + 2;  // position 3 + n, 1-based
    return at < firstLine.size() ? firstLine.substr(at, 1) : "";
}

std::array<Hl7Delimiter, 5> hl7Delimiters(const std::string& firstLine) {
    return {{
        {CTL48700B(firstLine, 1), "- Composite Delimiter"},
        {CTL48700B(firstLine, 2), "- Sub Composite Delimiter"},
        {CTL48700B(firstLine, 5), "- Sub-sub Composite Delimiter"},
        {CTL48700B(firstLine, 3), "- Repeat Field Seperator"},
        {CTL48700B(firstLine, 4), "- Escape Character"},
    }};
}

std::string CTL48700C(const std::string& line, std::size_t n, char separator) {
    if (n == 0) return "";
    std::size_t start = 0;
    for (std::size_t i = 1; i < n; ++i) {
        const std::size_t next = line.find(separator, start);
        if (next == std::string::npos) return "";
        start = next + 1;
    }
    const std::size_t end = line.find(separator, start);
    return line.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

std::string CTL48700D(const std::string& segmentId) {
    const SegmentNames* s = segmentNamed(segmentId);
    return s ? s->description : "";
}

std::size_t CTL48700E(const std::string& line, char separator) {
    return static_cast<std::size_t>(std::count(line.begin(), line.end(), separator));
}

std::string CTL48700F(const std::string& segmentId, std::size_t n) {
    const SegmentNames* s = segmentNamed(segmentId);
    return s && n < s->names.size() ? s->names[n] : "";
}

std::vector<std::string> hl7FieldList(const std::string& line, char separator) {
    const std::string id = CTL48700C(line, 1, separator);
    const std::size_t fields = CTL48700E(line, separator) + 1;
    std::vector<std::string> list;
    list.reserve(fields);
    for (std::size_t n = 1; n <= fields; ++n) {
        const std::string entry = padded(std::to_string(n) + ">", 6) + CTL48700C(line, n, separator);
        list.push_back(padded(entry, 24) + CTL48700F(id, n - 1));
    }
    return list;
}

std::string hl7LineEntry(std::size_t n, const std::string& line) { return std::to_string(n) + ">" + line; }

}  // namespace zr
