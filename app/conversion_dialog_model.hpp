// The conversion dialog's request and the steps its buttons take, apart
// from the windows: the type pickers' results, the folder and file choices
// with their blank-in-path warning, and how the dialog's ending turns into
// the request the driver runs. Also the dialog family's routines that no
// button reaches (option answers, the QVW configuration reader).
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "messages.hpp"

namespace zr {

// The request as the dialog edits it: items 1 to 4 of the ParseSpec.
struct ConversionItems {
    std::string type;         // item 1, shown as a label
    std::string source;       // item 2
    std::string destination;  // item 3
    std::string options;      // item 4
};

// Items 2 to 4 are edited padded with blanks to 255 characters; a longer
// path is kept whole (a cut path would name another file).
inline constexpr std::size_t kItemWidth = 255;
std::string padItem(const std::string& text);
// The request opened in the dialog: items 2 to 4 padded.
ConversionItems editedItems(ConversionItems items);

// What the dialog asks outside: a folder (CGETDIR), a file (CGETFILE) and
// an ODBC data source and table (the "Select DSN" dialog, CTLD48401G). The
// screens pass the real choosers; "" is a cancelled choice.
struct ConversionChoosers {
    std::function<std::string(const std::string& caption)> folder;
    std::function<std::string(const wl::FileDialogRequest&)> file;
    std::function<std::string()> dataSource;
};

// CTLD48401H: the path, or 255 blanks after the warning when the trimmed
// path holds a blank (the converter cannot take such a path).
std::string CTLD48401H(const std::string& path);

// CTLD48404's result: the source format chosen ("X12", "CSV", "XML") or
// none when the picker was closed otherwise (item 1 stays as it was).
std::string sourceFormatChosen(const std::string& type, const std::optional<std::string>& chosen);
// Whether CTLD48402 shows its dialog: only for an X12 source.
bool asksOutputType(const std::string& type);
// CTLD48402's result: ",CSV" or ",XML" appended to an X12 source when
// chosen (nothing when the dialog was closed otherwise); ",X12" appended
// without a dialog to every other source.
std::string outputTypeAppended(const std::string& type, const std::optional<std::string>& chosen);

// The "Folder" button of the source: CGETDIR("Source Folder"), blank test,
// padded. A cancelled choice leaves the item as it was.
void chooseSourceFolder(ConversionItems& items, const ConversionChoosers& choose);
// The "File" button of the source: CGETFILE("*.*", "Select X12 File") in
// the working folder, blank test.
void chooseSourceFile(ConversionItems& items, const ConversionChoosers& choose, const std::string& workingFolder);
// The "Folder" button of the destination (CTLD48401F): nothing for an
// "ODBC" type; else CGETDIR("Destination Folder"), blank test, padded.
void chooseDestinationFolder(ConversionItems& items, const ConversionChoosers& choose);
// CTLD48401F: "" for an "ODBC" type, else the folder chosen.
std::string CTLD48401F(const std::string& type, const ConversionChoosers& choose);

// How the dialog ended.
enum class DialogEnding {
    Begin,  // the "Begin" button: the request runs
    Exit,   // the "Exit" button
    Closed, // the close box or Escape: the same as "Exit", so that a dialog
            // closed to cancel never runs a request with "OW" or "DS"
};
// The request the dialog hands back: item 1 emptied unless "Begin".
ConversionItems endedItems(ConversionItems items, DialogEnding ending);

// CTLD48401A: "YES" and "NO" swapped; anything else gives "YES".
std::string CTLD48401A(const std::string& text);
// The answers CTLD48401B builds its option text from.
struct OptionAnswers {
    bool ignoreCase = false;  // "IC"
    bool overwrite = false;   // "OW"
    bool header = false;      // "HO"
    bool fileLoop = false;    // "FL"
    bool merge = false;       // "MF"
    std::string extra;        // further words, as typed
};
// CTLD48401B: says "Parser Output Type Required." or "Source File or
// Folder Required." (WQOUT) for an empty type or source, and answers the
// option text of the answers, joined by ",".
std::string CTLD48401B(const ConversionItems& header, const OptionAnswers& answers);
// CTLD48401C: "Mapped Format" for "DM", "File Loop Format" for "FL", else "".
std::string CTLD48401C(const std::string& code);
// CTLD48401D: "YES" for the type "837", else the value.
std::string CTLD48401D(const std::string& value, const std::string& type);
// CTLD48401E: the "Destination File" asked with CGETFILE; for the kind
// "ODBC" the data source and table chosen (data source + ":" + table).
std::string CTLD48401E(const std::string& kind, const std::string& folder, const ConversionChoosers& choose);
// CTL48401: reads the "[CONFIG]" section of a QVW mapping file line by
// line and keeps nothing of it (no caller needs its lines).
void CTL48401(int mode, const std::string& file);

}  // namespace zr
