// The log display's portable half: which file each mode shows, Notepad's
// command line, the texts of the plain-text modes and of the Information
// dialog.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>


namespace zr {

// The modes of CTLD33500.
enum class LogMode : int {
    ViewFile = 1,
    CommandLog = 2,
    XvqData = 3,
    StatusLog = 4,
    OdbcData = 5,
    SuspendLog = 6,
    QvwData = 7,
    ParseLog = 8,
    MapLog = 9,
    ConversionLog = 10,
    BuildLog = 11,
};

// The dialog's title of a mode ("" for the Notepad modes 8, 9 and 11).
std::string logTitle(LogMode mode);
// Modes 8, 9 and 11 open their file in Notepad.
bool opensNotepad(LogMode mode);
// The file a Notepad mode opens: "parse.log" (or the run log the last run
// wrote, when given: "PARSELOG=" names another), "zrmap.log", "build.log".
std::string notepadFile(LogMode mode, const std::string& lastRunLog = "");
// Notepad's command line: the Windows folder + "\notepad.exe " + the file
// name in quotes, so that a path with blanks reaches Notepad whole.
std::string notepadCommand(const std::string& windowsFolder, const std::string& file);

// The file a plain-text mode reads ("status.log", "suspend.log",
// "conv.log"), "" for other modes.
std::string textModeFile(LogMode mode);
// What a plain-text mode shows of its file in the current folder; mode 10
// says "conv.log" + "  Not found " + the folder when the file is missing.
std::string textModeContent(LogMode mode, const std::string& currentFolder);

// The table a table mode shows, in the current folder: "command.log"
// (mode 2), "xvq.dbf" (3), "qvwdata.dbf" (7); "" for other modes.
std::string tableModeFile(LogMode mode);
// The field a listing mode shows of each record: "ZQK07E" (2), "JKZ00A"
// (3); "" for other modes (mode 7 shows whole records).
std::string tableModeField(LogMode mode);
// The line of a record in the command log's list: number + ">" + text.
std::string CTLD35500C(long long number, const std::string& text);
// The command log's search: the first record from the current one on
// whose field (of the selected work area) holds the text, compared without
// regard to case; the area stands on it, or back on the record it started
// from when none does (or no area is selected). Answers the record number.
std::uint32_t CTLD35500B(const std::string& text, const std::string& field = "ZQK07E");
// The items of the pop-up menu on a command log line: "Line  : " + record,
// then for each blank-separated word "Column : " + its start (padded to
// 16), "Length : " + its length (padded to 36) and the word, and, when any
// word was found, "Total : " + the lengths summed.
std::vector<std::string> wordPositionItems(const std::string& text, long long record);

// Mode 1 ("View File"): the name "Browse" keeps of the chosen path (no
// folder), and the text shown of a name typed in "Enter File Name": the
// file read whole from the current folder (a name with a folder is taken
// as it is).
std::string viewFileName(const std::string& chosenPath);
std::string viewFileContent(const std::string& name, const std::string& currentFolder);

// The Information dialog's lines (ZRINFO), below the title words.
struct InformationTexts {
    std::vector<std::string> titleWords;  // "Torvel", "Parser"
    std::string model, version, subversion;
    std::string baseFolder, dataFolder, x12Folder;
};
InformationTexts informationTexts(const std::string& modelCode, const std::string& currentFolder,
                                  const std::string& workingFolder, const std::string& x12Folder);

}  // namespace zr
