// The X12 viewer's entry: settles the file, checks that it is X12, loads it,
// lets the user pick an interchange or a set when the file holds several,
// and opens the screen of each set by its ST01. The screens, the pickers and
// Notepad are reached through ViewerScreens, so the passes run (and are
// tested) without windows.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "application.hpp"
#include "check_table.hpp"
#include "claim_index.hpp"
#include "output_mode.hpp"
#include "parse_spec.hpp"
#include "segment_table.hpp"
#include "viewer_settings.hpp"

namespace zr {

// The screen that shows a set, by its ST01.
enum class ScreenKind {
    Claims837,      // CTLD39406
    Remittance835,  // CTLD39407
    Acknowledgement,  // CTLD39408: 997, 999
    Message,        // CTLD39409: 864, 275
    ClaimStatus,    // CTLD39410: 277
    Eligibility,    // CTLD39412: 270, 271
    SegmentList,    // CTLD39420: every other set
    None,           // the options hold "IC": no generic list
};

// ST01 (by prefix) to its screen; `options` is the request's option item.
ScreenKind screenForSet(const std::string& st01, const std::string& options = "");

// The output modes that produce a report instead of a screen.
bool isReportMode(int mode);
// The modes in which pickers pick by number without showing anything.
bool picksWithoutAsking(int mode);

// The arguments every transaction screen receives (the screen takes the
// ones its list names): the loaded table with its delimiters, claim index,
// loop list and check table, the set's ST01 and X12 version, the viewer's
// field lists, the request and the output mode.
struct TransactionScreenCall {
    std::string modelCode;
    std::string fileName;
    std::string startFolder;
    std::string currentFolder;
    const SegmentTable* table = nullptr;
    X12Delimiters delimiters;
    const std::vector<std::string>* loops = nullptr;
    const CheckTable* checks = nullptr;
    std::string setId;  // ST01
    const ViewerFieldLists* fields = nullptr;
    int mode = 1;
    ClaimIndex claims;
    ParseSpec request;
    std::string version;
    std::size_t number = 1;  // the interchange or set a non-asking picker takes
    // The process's state (the viewer state) as the caller hands it down.
    Application* app = &application();

    std::size_t rowCount() const { return table ? table->size() : 0; }
    OutputMode outputMode() const { return static_cast<OutputMode>(mode); }
};
// The name the screens knew the call by.
using ScreenCall = TransactionScreenCall;

// What the entry shows: the pickers, the screens and Notepad.
class ViewerScreens {
public:
    virtual ~ViewerScreens() = default;
    // CTLD39405: the table of the chosen interchange; none when the user
    // left without choosing.
    virtual std::optional<SegmentTable> pickInterchange(const ScreenCall& whole) = 0;
    // CTLD39424: the table of the chosen set; none on Exit.
    virtual std::optional<SegmentTable> pickSet(const ScreenCall& call) = 0;
    // The screen of a set (its text: "" once closed, a report in 100-104).
    virtual std::string openScreen(ScreenKind kind, const ScreenCall& call) = 0;
    // Starts Notepad on the file without waiting; false when there is none.
    virtual bool startNotepad(const std::string& file) = 0;
    // Mode 11's dialog titled "X12" with its "Exit" button.
    virtual void debugDialog() = 0;
};

struct ViewerRequest {
    std::string modelCode;
    std::string fileName;  // "": ask for one
    std::string startFolder;
    int mode = 1;
    std::optional<std::string> currentFolder;  // none: the process's
    std::optional<std::string> silent;         // "ON": a non-X12 file's message is only returned
    std::optional<ParseSpec> request;
    // The process's state the entry reads and sets (the viewer state).
    Application* app = &application();
};

// Notepad's command line: the program and the file name in quotes, so a
// path with blanks reaches it whole.
std::string notepadCommandLine(const std::string& windowsFolder, const std::string& file);

// The option item of a CSV report request over several interchanges: only
// the words "OW", "FL", "PO", "SO", "MF" and "IC" are kept, comma-separated.
std::string reportOptions(const std::string& options);

// CTLD39400: the viewer's entry; answers the last screen's text, or the
// message of a file that cannot be read as X12.
std::string CTLD39400(const ViewerRequest& call, ViewerScreens& screens);

}  // namespace zr
