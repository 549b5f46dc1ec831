#include "viewer_entry.hpp"

#include <algorithm>
#include <vector>

#include "delimiters.hpp"
#include "messages.hpp"
#include "module_state.hpp"
#include "output_joins.hpp"
#include "paths.hpp"
#include "progress_meter.hpp"
#include "system_info.hpp"
#include "set_pickers.hpp"
#include "table_rewriters.hpp"
#include "text.hpp"

namespace zr {

ScreenKind screenForSet(const std::string& st01, const std::string& options) {
    using wl::prefixMatch;
    if (prefixMatch(st01, "837")) return ScreenKind::Claims837;
    if (prefixMatch(st01, "835")) return ScreenKind::Remittance835;
    if (prefixMatch(st01, "997") || prefixMatch(st01, "999")) return ScreenKind::Acknowledgement;
    if (prefixMatch(st01, "864") || prefixMatch(st01, "275")) return ScreenKind::Message;
    if (prefixMatch(st01, "277")) return ScreenKind::ClaimStatus;
    if (prefixMatch(st01, "270") || prefixMatch(st01, "271")) return ScreenKind::Eligibility;
    // Options are comma-separated words; "IC" skips the generic list.
    std::size_t at = 0;
    while (at <= options.size()) {
        const std::size_t comma = std::min(options.find(',', at), options.size());
        if (wl::prefixMatch(wl::alltrim(options.substr(at, comma - at)), "IC")) return ScreenKind::None;
        at = comma + 1;
    }
    return ScreenKind::SegmentList;
}

bool isReportMode(int mode) { return mode >= 100 && mode <= 104; }

bool picksWithoutAsking(int mode) { return (mode >= 100 && mode <= 103) || mode == 109 || mode == 113; }

std::string notepadCommandLine(const std::string& windowsFolder, const std::string& file) {
    return windowsFolder + "\\notepad.exe \"" + file + "\"";
}

std::string reportOptions(const std::string& options) {
    static const std::vector<std::string> kept = {"OW", "FL", "PO", "SO", "MF", "IC"};
    std::string out;
    std::size_t at = 0;
    while (at <= options.size()) {
        const std::size_t comma = std::min(options.find(',', at), options.size());
        const std::string word = wl::alltrim(options.substr(at, comma - at));
        if (std::find(kept.begin(), kept.end(), word) != kept.end()) out += (out.empty() ? "" : ",") + word;
        at = comma + 1;
    }
    return out;
}

namespace {

bool hasOption(const std::string& options, const std::string& word) {
    std::size_t at = 0;
    while (at <= options.size()) {
        const std::size_t comma = std::min(options.find(',', at), options.size());
        if (wl::prefixMatch(wl::alltrim(options.substr(at, comma - at)), word)) return true;
        at = comma + 1;
    }
    return false;
}

// Claim index mode for a set by the type of the set it follows.
int claimModeAfter(const std::string& previousType) {
    if (wl::prefixMatch(previousType, "835")) return 2;
    if (wl::prefixMatch(previousType, "837")) return 3;
    return 1;
}

class Entry {
public:
    Entry(const ViewerRequest& call, ViewerScreens& screens) : call_(call), screens_(screens) {}
    std::string run();

private:
    std::optional<std::string> chooseFile();
    // The message of a file that is no X12 (answered), or none to go on.
    std::optional<std::string> checkHeader(std::int64_t& base);
    bool load(std::int64_t base);
    std::string passes();
    std::string report();
    // The screen of a set; `suffix` names the pass's own output file.
    std::string openSets(const SegmentTable& table, std::size_t claimMode, const std::string& suffix = "");
    std::string interchangePasses(OutputJoiner& joiner);
    std::string setPasses(OutputJoiner& joiner);
    ScreenCall screenCall(const SegmentTable& table, int claimMode) const;
    ViewerState& state() { return call_.app->module.viewerState; }

    ViewerRequest call_;
    ViewerScreens& screens_;
    std::string file_;
    std::string folder_;
    ParseSpec request_;
    ViewerSettings settings_;
    std::vector<std::string> loops_;
    CheckTable checks_{};
    X12Delimiters delimiters_;
    SegmentTable table_;
    bool oneByOne_ = false;
    bool userMerged_ = false;  // the user answered No: the merged table is shown to them
};

ScreenCall Entry::screenCall(const SegmentTable& table, int claimMode) const {
    ScreenCall c;
    c.modelCode = call_.modelCode;
    c.fileName = file_;
    c.startFolder = call_.startFolder;
    c.currentFolder = folder_;
    c.table = &table;
    c.delimiters = delimiters_;
    c.loops = &loops_;
    c.checks = &checks_;
    c.setId = CTL39400AB(table, 1, 1, "ST");
    c.version = CTL39400AB(table, 1, 4, "ISA");
    c.fields = &settings_.fields;
    c.mode = call_.mode;
    c.claims = CTL39400C(table, claimMode);
    c.request = request_;
    c.app = call_.app;
    return c;
}

std::optional<std::string> Entry::chooseFile() {
    file_ = call_.fileName;
    auto isFolder = [](const std::string& f) { return !f.empty() && wl::folderExists(f); };
    if (!isFolder(file_) && (file_.empty() || !wl::fileExists(file_))) {
        wl::FileDialogRequest r;
        r.filter = settings_.fileMask.empty() ? "*.*" : settings_.fileMask;
        r.title = "Select X12 File";
        r.initialDir = call_.startFolder;
        file_ = wl::CGETFILE(r);
    }
    // A folder given or chosen in place of a file is said, not ignored.
    if (isFolder(file_)) {
        wl::MSGSTOP(file_ + " is a folder, not a file. Choose an X12 file.", wl::Value("View X12 File"));
        state() = ViewerState::Interactive;
        return "";
    }
    if (file_.empty() || !wl::fileExists(file_)) {
        state() = ViewerState::Interactive;
        return "";
    }
    return std::nullopt;
}

std::optional<std::string> Entry::checkHeader(std::int64_t& base) {
    base = 0;
    const bool quiet = call_.silent == "ON" || state() == ViewerState::Unattended;
    if (CTL39400AP(file_) == 0) {
        const std::string message = file_ + " is empty. There is nothing to show.";
        if (!quiet) wl::MSGSTOP(message, wl::Value("View X12 File"));
        return message;
    }
    if (CTL39400AK(file_)) return std::nullopt;
    const std::string message = file_ + " ISA segment is unreadable. This may not be a standard X12 file.";
    if (quiet) return message;
    wl::MSGINFO(message);
    if (!wl::MSGYESNO("Do you wish to Continue to try and read this file?",
                      wl::Value(" WARNING : This may not be a standard X12 file.")))
        return message;
    if (wl::MSGYESNO("Do you wish to use Notepad?", wl::Value(" Load Non Standard file into Notepad.")) &&
        screens_.startNotepad(file_))
        return message;
    const std::optional<std::int64_t> before = CTL39400AJ(file_);
    if (!before) {
        // Without any "ISA" the delimiters would come from arbitrary bytes.
        const std::string none = file_ + " holds no ISA segment. It cannot be read as an X12 file.";
        wl::MSGSTOP(none, wl::Value("View X12 File"));
        return none;
    }
    base = *before + 1;
    return std::nullopt;
}

bool Entry::load(std::int64_t base) {
    if (CTL39400AO(file_)) wl::MSGINFO("ZEDUZ file warning error. File is missing delimiters.");
    // The terminator stands 105 bytes after the "I": a shorter header has none.
    if (CTL39400AP(file_) <= static_cast<std::uint64_t>(base) + 105) {
        wl::MSGSTOP(file_ + " ISA segment is cut short: the file has no segment terminator.", wl::Value("View X12 File"));
        return false;
    }
    delimiters_ = readDelimiters(file_, base);
    table_ = loadSegmentTable(file_, delimiters_, base);
    if (table_.size() == 0) {
        wl::MSGSTOP(file_ + " holds no segment terminator (\"" + delimiters_.terminator + "\"). There is nothing to show.",
                    wl::Value("View X12 File"));
        return false;
    }
    return true;
}

std::string Entry::openSets(const SegmentTable& table, std::size_t claimMode, const std::string& suffix) {
    ScreenCall c = screenCall(table, static_cast<int>(claimMode));
    c.request = passRequest(request_, suffix);
    const ScreenKind kind = screenForSet(c.setId, request_.parseOptions);
    if (kind == ScreenKind::None) return "";
    return screens_.openScreen(kind, c);
}

// One pass per interchange (the picker's choice, or interchange n in the
// modes that do not ask); an interchange of several sets shows the set
// picker, or in those modes walks its sets.
std::string Entry::interchangePasses(OutputJoiner& joiner) {
    const std::size_t interchanges = CTL39400AA("ISA", table_);
    std::string text, previousType;
    for (std::size_t pass = 1; pass <= interchanges; ++pass) {
        ScreenCall whole = screenCall(table_, 1);
        whole.number = pass;
        std::optional<SegmentTable> picked =
            picksWithoutAsking(call_.mode) ? CTL39405A(pass, table_) : screens_.pickInterchange(whole);
        if (!picked || picked->size() == 0) break;
        const std::size_t sets = CTL39400AA("ST", *picked);
        if (sets <= 1) {
            text = openSets(*picked, 3, joiner.interchangeSuffix(pass));
            previousType = CTL39400AB(*picked, 1, 1, "ST");
        } else if (picksWithoutAsking(call_.mode)) {
            // The set counter starts again with each interchange.
            for (std::size_t n = 1; n <= sets; ++n) {
                const SegmentTable set = CTL39424A(n, *picked);
                const int mode = pass == 1 && n == 1 ? 1 : claimModeAfter(previousType);
                text = openSets(set, static_cast<std::size_t>(mode), joiner.setSuffix(n));
                previousType = CTL39400AB(set, 1, 1, "ST");
                joiner.setPassDone(n, sets);
            }
        } else {
            ScreenCall setsCall = screenCall(*picked, 3);
            std::optional<SegmentTable> set = screens_.pickSet(setsCall);
            if (!set) break;
            const int mode = pass == 1 ? 1 : claimModeAfter(previousType);
            text = openSets(*set, static_cast<std::size_t>(mode), joiner.interchangeSuffix(pass));
            previousType = CTL39400AB(*set, 1, 1, "ST");
        }
        joiner.interchangePassDone(pass);
    }
    return text;
}

// One pass per set of the one interchange, each chosen in the set picker.
std::string Entry::setPasses(OutputJoiner& joiner) {
    const std::size_t sets = CTL39400AA("ST", table_);
    const std::string firstType = CTL39400AB(table_, 1, 1, "ST");
    std::string text;
    for (std::size_t pass = 1; pass <= sets; ++pass) {
        ScreenCall whole = screenCall(table_, 1);
        whole.number = pass;
        std::optional<SegmentTable> set = screens_.pickSet(whole);
        if (!set) break;
        text = openSets(*set, static_cast<std::size_t>(claimModeAfter(firstType)), joiner.setSuffix(pass));
        joiner.setPassDone(pass, sets);
    }
    return text;
}

std::string Entry::passes() {
    OutputJoiner joiner(request_, settings_.mergeOff != 0);
    std::string text;
    if (CTL39400AA("ISA", table_) > 1) {
        text = interchangePasses(joiner);
    } else if (oneByOne_) {
        text = setPasses(joiner);
    } else {
        // After the user's own No the merged table is theirs to see: the
        // unattended state would make the generic list show nothing at all.
        if (userMerged_) state() = ViewerState::Interactive;
        text = openSets(table_, 1);
    }
    state() = ViewerState::Interactive;
    return text;
}

std::string Entry::report() {
    const MeterWindow meter = CTL394MTRA({}, "Formatting", "Please Stand By..");
    // The passes over several interchanges take only the words that still
    // mean something for a joined CSV report.
    if (CTL39400AA("ISA", table_) > 1 && wl::alltrim(request_.parseType) == "CSV")
        request_.parseOptions = reportOptions(request_.parseOptions);
    ScreenCall c = screenCall(table_, 1);
    std::string text;
    const ScreenKind kind = screenForSet(c.setId, "");
    if (kind != ScreenKind::SegmentList) text = screens_.openScreen(kind, c);
    if (!hasOption(request_.parseOptions, "IC")) text += screens_.openScreen(ScreenKind::SegmentList, c);
    CTL394MTRB(meter);
    return text;
}

std::string Entry::run() {
    if (call_.request) {
        request_ = *call_.request;
        state() = ViewerState::Request;
    } else {
        state() = ViewerState::Interactive;
    }
    folder_ = call_.currentFolder ? *call_.currentFolder : wl::currentFolder();
    settings_ = readViewerSettings(call_.currentFolder ? *call_.currentFolder : "");
    if (hasOption(request_.parseOptions, "ST")) state() = ViewerState::Request;

    if (auto done = chooseFile()) return *done;
    if (call_.mode == 11) {
        wl::MSGINFO("in");
        wl::MSGINFO("now here here");
        screens_.debugDialog();
        return "";
    }
    std::int64_t base = 0;
    if (auto message = checkHeader(base)) return *message;
    if (!load(base)) return "";
    loops_ = CTL39400AC();
    checks_ = CTL39400T(call_.currentFolder ? *call_.currentFolder : "");

    const std::size_t interchanges = CTL39400AA("ISA", table_);
    const std::size_t sets = CTL39400AA("ST", table_);
    if (interchanges == 1 && sets > 1) {
        bool yes = false;
        switch (state()) {
        case ViewerState::Interactive:
            yes = wl::MSGYESNO("Would you like to see the individual batchs?", wl::Value(" Multiple Set Batch File."));
            break;
        case ViewerState::Request: yes = false; break;
        case ViewerState::Unattended: yes = true; break;
        }
        if (!yes) {
            userMerged_ = state() == ViewerState::Interactive;
            if (state() != ViewerState::Request) table_ = CTL39400AH(table_, sets);
            state() = ViewerState::Unattended;
        } else {
            oneByOne_ = true;
        }
    }
    if (isReportMode(call_.mode)) return report();
    return passes();
}

}  // namespace

std::string CTLD39400(const ViewerRequest& call, ViewerScreens& screens) { return Entry(call, screens).run(); }

}  // namespace zr
