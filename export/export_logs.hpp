// The export's plain-text logs in the work folder: the run log "temp.log"
// that the export dialog opens before a run and folds into "export.log"
// after it, the debug trace "zrdebug.log", the key errors "zrerror.log" and
// the added keys "track.log". Every line ends with CR LF.
#pragma once

#include <functional>
#include <string>

namespace zr {

// The date ("YYYY/MM/DD") and the time ("hh:mm:ss") the logs are stamped
// with; an empty function reads the system clock.
struct ExportClock {
    std::function<std::string()> date;
    std::function<std::string()> time;
    std::string today() const;
    std::string now() const;
};

// A file of the work folder ("" the current folder).
std::string exportFilePath(const std::string& folder, const std::string& name);
// Replaces a log with the text; a log that cannot be written is skipped.
void writeExportLog(const std::string& folder, const std::string& name, const std::string& text);
// The text of a log ("" when there is none).
std::string readExportLog(const std::string& folder, const std::string& name);
bool exportLogExists(const std::string& folder, const std::string& name);
void eraseExportLog(const std::string& folder, const std::string& name);

// The run log's header lines, each ended by CR LF (the last one empty).
std::string exportRunLogHeader(const std::string& modelCode, const ExportClock& clock);

// CTL39404Y: erases "temp.log" and "zrdebug.log" and starts "temp.log"
// with the header.
void CTL39404Y(const std::string& modelCode, const std::string& folder = "", const ExportClock& clock = {});
// CTL39404Z: writes "export.log" from the run log, the map log and the
// debug log, then erases "temp.log" and the map log.
void CTL39404Z(const std::string& modelCode, const std::string& folder = "", const ExportClock& clock = {});

// The debug trace of one export: collected from the start; written when
// the run ends (or when it grows past its limit). The text is handed to the
// file in pieces once it grows past a piece's size, so a trace of a large
// file never sits whole in memory; the file ends up as one write at the end
// would have left it.
class ExportDebugLog {
public:
    ExportDebugLog(std::string folder, ExportClock clock) : folder_(std::move(folder)), clock_(std::move(clock)) {}
    // The header lines (switch position 12 set).
    void header(int function, const std::string& st01);
    void line(const std::string& text);
    // A line stamped with the time: the text, two blanks and the time.
    void timedLine(const std::string& text);
    // The text not yet handed to the file.
    const std::string& text() const { return text_; }
    // Continues the text of an existing "zrdebug.log" (the 837 ODBC path).
    void continueFile();
    // "DEBUG=ON": the limit of spillWhenLong no longer stops collection.
    void keepOn() { keptOn_ = true; }
    // Past the limit, the text is written now and collection stops, unless
    // the trace is kept on: then it goes on, in pieces.
    void spillWhenLong(std::size_t limit = 1000000);
    // Hands the text to the file once it is longer than a piece; collection
    // goes on.
    void flushWhenLong(std::size_t piece = 1 << 20);
    bool collecting() const { return collecting_; }
    // The end of the run: the "Ended" line and the file, when the trace
    // holds more than 10 characters and collection is still on.
    void finish();

private:
    void hand();  // the text so far to the file (replacing it the first time)
    std::string folder_;
    ExportClock clock_;
    std::string text_;
    std::size_t handed_ = 0;  // characters already in the file
    bool collecting_ = true;
    bool keptOn_ = false;
};

}  // namespace zr
