#include "text_files.hpp"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "file_bytes.hpp"
#include "file_io.hpp"
#include "messages.hpp"
#include "paths.hpp"
#include "text.hpp"

namespace zr {

using wl::rightAligned;

std::string CTL39400AY(const std::string& fileName) {
    if (!wl::fileExists(fileName)) return "";
    std::error_code ec;
    auto size = std::filesystem::file_size(fileName, ec);
    if (ec) size = 0;
    const wl::FileBytes bytes = wl::readWholeFile(fileName);
    if (!bytes.ok()) {
        wl::showFileError("FC-Fread", bytes.error());
        if (std::string_view(bytes.step()) == "FC-Open") return "";
    }
    std::string out(bytes.view());
    // Bytes that could not be read (the file shrank, or a read failed)
    // stay blanks.
    if (out.size() < size) out.resize(static_cast<std::size_t>(size), ' ');
    return out;
}

LineTable LineTable::iniScratch() {
    LineTable t;
    t.fields.push_back({"JKZ00A", 80});
    return t;
}

int LineTable::fieldIndex(const std::string& name) const {
    for (std::size_t i = 0; i < fields.size(); ++i)
        if (wl::upper(fields[i].name) == wl::upper(name)) return static_cast<int>(i);
    return -1;
}

std::size_t LineTable::appendBlank() {
    records.emplace_back(fields.size());
    return records.size() - 1;
}

void LineTable::store(std::size_t record, const std::string& field, const std::string& value) {
    int i = fieldIndex(field);
    if (i < 0 || record >= records.size()) return;
    records[record][i] = value.substr(0, fields[i].width);
}

std::string LineTable::value(std::size_t record, const std::string& field) const {
    int i = fieldIndex(field);
    if (i < 0 || record >= records.size()) return "";
    return records[record][i];
}

std::string lineLoaderField(int control) {
    switch (control) {
        case 0: return "JKZ00B";
        case 1: return "JKZ00A";
        case 2: return "ZQK00A";
        case 3: return "ZQK00B";
        case 4: return "ZQK31B";
        case 28: return "JKZ28B";
        case 36: return "JKZ36B";
        case 37: return "JKZ37B";
        case 38: return "JKZ00A";
        default: return "";
    }
}

namespace {

const char* const kLf = "\n\r";  // the reports end their lines LF CR

std::string stepReport(const char* what, int code, const std::string& fileName, int step, int control) {
    return wl::fileErrorText(what, code) + kLf + "File : " + fileName +
           kLf + std::to_string(step) + " Control : " + rightAligned(control, 10);
}

std::string controlCharReport(unsigned char c, std::size_t pos, const std::string& fileName, int control) {
    return "Cfile <ERROR> FC-Fread Control Character #" + rightAligned(c, 10) + kLf + "Position : " +
           rightAligned(static_cast<std::int64_t>(pos), 10) + kLf + "File : " + fileName + kLf +
           "6 Control : " + rightAligned(control, 10);
}

// Control 36 wraps long lines into pieces of at most 72 characters, broken
// at the last blank of a piece where there is one.
std::vector<std::string> wrap72(const std::string& line) {
    constexpr std::size_t kWidth = 72;
    std::vector<std::string> pieces;
    std::size_t pos = 0;
    while (line.size() - pos > kWidth) {
        std::size_t cut = line.rfind(' ', pos + kWidth);
        if (cut == std::string::npos || cut <= pos) cut = pos + kWidth;
        else cut += 1;  // the blank stays at the end of its piece
        pieces.push_back(line.substr(pos, cut - pos));
        pos = cut;
    }
    pieces.push_back(line.substr(pos));
    return pieces;
}

void appendLine(LineTable& table, int control, const std::string& line, bool store) {
    const std::string field = lineLoaderField(control);
    if (control == 36 && store && line.size() > 72) {
        for (const auto& piece : wrap72(line)) table.store(table.appendBlank(), field, piece);
        return;
    }
    std::size_t r = table.appendBlank();
    if (store && !field.empty()) table.store(r, field, line);
}

bool isLineEnd(unsigned char c) { return c == 13 || c == 10 || c == 26; }

}  // namespace

std::string ZQK_0026(const std::string& fileName, int control, LineTable& table) {
    if (!wl::fileExists(fileName)) return "";
    std::string reports;
    wl::InputFile f;
    if (!f.open(fileName)) return stepReport("FC-Open", f.error(), fileName, 1, control);
    std::int64_t size = f.size();
    if (size < 0) return stepReport("FC-Fmax", f.error(), fileName, 2, control);
    if (!f.seek(0)) return stepReport("FC-Fmin", f.error(), fileName, 3, control);

    // "zr.ini" and map lists are small: one read, then walk the bytes.
    std::string bytes(static_cast<std::size_t>(size), '\0');
    std::size_t got = f.read(bytes.data(), bytes.size());
    if (got < bytes.size()) {
        reports += stepReport("FC-Fread", f.error(), fileName, 5, control);
        bytes.resize(got);
    }

    std::string line;
    for (std::size_t p = 0; p < bytes.size(); ++p) {
        unsigned char c = static_cast<unsigned char>(bytes[p]);
        if (isLineEnd(c)) {
            if (p + 1 < bytes.size() && isLineEnd(static_cast<unsigned char>(bytes[p + 1]))) ++p;
            appendLine(table, control, line, true);
            line.clear();
        } else if (c < 32) {
            reports += controlCharReport(c, p, fileName, control);
        } else {
            line += static_cast<char>(c);
        }
    }
    if (!line.empty()) {
        bool stores = control == 36 || control == 37 || control == 28 || (control >= 0 && control <= 4);
        appendLine(table, control, line, stores);
    }
    return reports;
}

namespace {
void createEmpty(const std::string& fileName) {
    if (std::FILE* f = std::fopen(fileName.c_str(), "wb")) std::fclose(f);
}
void appendText(const std::string& text, const std::string& fileName) {
    if (!wl::fileExists(fileName)) return;
    if (std::FILE* f = std::fopen(fileName.c_str(), "ab")) {
        std::fwrite(text.data(), 1, text.size(), f);
        std::fclose(f);
    }
}
}  // namespace

void ZQK_0001E(const std::string& text, const std::string& fileName, int mode) {
    switch (mode) {
        case 1: createEmpty(fileName); break;
        case 2: appendText(text, fileName); break;
        case 10:
        case 11:
        case 12:
            createEmpty(fileName);
            wl::setFileAttribute(fileName, mode == 10   ? wl::FileAttribute::ReadOnly
                                           : mode == 11 ? wl::FileAttribute::Hidden
                                                        : wl::FileAttribute::System);
            break;
        default: break;
    }
}

void ZQK_0001D(const std::string& text, const std::string&, const std::string& fileName, int mode) {
    if (mode == 1 || mode == 2) ZQK_0001E(text, fileName, mode);
}

void ZQK_0001F(const std::string& text, const std::string& fileName, int mode) {
    if (mode == 1 || mode == 2) ZQK_0001E(text, fileName, mode);
}

void CTL39400AL(const std::string& fileName, int mode) {
    const char* action = (mode == 1 || mode == 2) ? "result.htm" : "test.htm";
    const char* button = mode == 1 ? "View File" : "Upload File";
    const std::string lines[] = {
        "<html>",
        "<head><title>X12 File Upload</title></head>",
        "<body>",
        "<h3>X12 File Upload</h3>",
        std::string("<form method=\"post\" action=\"") + action + "\" enctype=\"multipart/form-data\">",
        "<input type=\"hidden\" name=\"irnumber\" value=\"IR071536\">",
        "<input type=\"file\" name=\"upload\" size=\"60\">",
        std::string("<input type=\"submit\" value=\"") + button + "\">",
        "</form>",
        "</body>",
        "</html>",
    };
    std::string page;
    for (const auto& l : lines) page += l + "\r";
    ZQK_0001E("", fileName, 1);
    ZQK_0001E(page, fileName, 2);
}

}  // namespace zr
