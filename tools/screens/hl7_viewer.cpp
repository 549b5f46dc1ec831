#include "hl7_viewer.hpp"

#include <vector>

#include "messages.hpp"
#include "paths.hpp"
#include "programs.hpp"
#include "system_facts.hpp"
#include "viewer_entry.hpp"

namespace zr {

namespace {

// The viewer's frame: pixel coordinates to (436.36, 640) of the design space.
constexpr double kWidth = 640, kHeight = 436.36;

char separatorOf(const std::array<Hl7Delimiter, 5>& delimiters) {
    return delimiters[0].value.empty() ? '\0' : delimiters[0].value[0];
}

// The file the viewer shows; "" when none was chosen.
std::string hl7FileChosen(const std::string& startFolder, const std::string& fileName) {
    if (!fileName.empty() && wl::fileExists(fileName)) return fileName;
    wl::FileDialogRequest r;
    r.filter = "*.*";
    r.title = "Select HL7 File";
    r.initialDir = startFolder;
    return wl::CGETFILE(r);
}

// A file that fails the MSH check: the warning, and Notepad when asked.
void offerNotepad(const std::string& file) {
    wl::WQOUT({wl::Value(" MSH segment is unreadable. This may not be a standard HL7 file.")});
    if (!wl::MSGYESNO(wl::Value("Do you wish to Continue to try and read this file?"),
                      wl::Value(" WARNING : This may not be a standard HL7 file.")))
        return;
    if (!wl::MSGYESNO(wl::Value("Do you wish to use Notepad?"), wl::Value(" Load Non Standard file into Notepad.")))
        return;
    const std::string folder = wl::GETWINDIR();
    if (wl::fileExists(wl::joinPath(folder, "notepad.exe")))
        wl::WINEXEC(notepadCommandLine(folder, file), SW_SHOWNORMAL);
}

}  // namespace

void CTLD48701(const std::string& line, const std::array<Hl7Delimiter, 5>& delimiters, const ViewerUi& ui) {
    const char separator = separatorOf(delimiters);
    const std::string id = CTL48700C(line, 1, separator);
    const std::vector<std::string> fields = hl7FieldList(line, separator);
    ViewerDialog d("HL7 Viewer", kWidth, kHeight);
    d.button(8, 259.2, 48, 11.52, "Exit", [&d] { d.close(); });
    d.label(3.2, 4.8, 96, 10.8, [id] { return "- Segment Type : " + id; }, 2);
    d.label(11.2, 72, 160, 10.8, [id] { return CTL48700D(id); }, 1);
    d.arrayList(
        32, 4.8, 307.2, 96, "", [&fields](std::size_t n) { return n >= 1 && n <= fields.size() ? fields[n - 1] : ""; },
        [&fields] { return static_cast<int>(fields.size()); });
    d.run(ui, [&] {
        ShownDialog s;
        s.lines = fields;
        return s;
    });
}

void CTLD48700(const std::string& startFolder, const std::string& fileName, const ViewerUi& ui) {
    const std::string file = hl7FileChosen(startFolder, fileName);
    if (file.empty()) return;
    if (!CTL48700A(file)) {
        offerNotepad(file);
        return;
    }
    const std::vector<std::string> lines = CTL48700(file);
    const std::array<Hl7Delimiter, 5> delimiters = hl7Delimiters(lines.front());

    ViewerDialog d("HL7 Viewer", kWidth, kHeight);
    d.button(8, 259.2, 48, 11.52, "Exit", [&d] { d.close(); });
    for (std::size_t i = 0; i < delimiters.size(); ++i) {
        const double top = 3.2 + 8.0 * static_cast<double>(i);
        const std::string value = "(" + delimiters[i].value + ")", label = delimiters[i].label;
        d.label(top, 4.5, 16, 10.8, [value] { return value; }, 1);
        d.label(top, 19.2, i == 0 ? 96 : 160, 10.8, [label] { return label; }, 2);
    }
    wl::TWBrowse& list = d.arrayList(
        64, 4.8, 307.2, 96, "HL7 Message Data",
        [&lines](std::size_t n) { return n >= 1 && n <= lines.size() ? hl7LineEntry(n, lines[n - 1]) : ""; },
        [&lines] { return static_cast<int>(lines.size()); });
    d.button(24, 259.2, 48, 11.52, "Select", [&] {
        const auto at = static_cast<std::size_t>(list.nAt);
        if (at >= 1 && at <= lines.size()) CTLD48701(lines[at - 1], delimiters, ui);
    });
    d.run(ui, [&] {
        ShownDialog s;
        for (std::size_t n = 1; n <= lines.size(); ++n) s.lines.push_back(hl7LineEntry(n, lines[n - 1]));
        s.current = static_cast<std::size_t>(list.nAt);
        return s;
    });
}

}  // namespace zr
