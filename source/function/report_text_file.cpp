#include "report_text_file.hpp"

#include "code_pages.hpp"
#include "text_tokens.hpp"

namespace wl {

TRFile::TRFile(const std::string& cFile, const std::string& document) : cDocument(document) {
    f_ = std::fopen(cFile.c_str(), "wb");
}

TRFile::~TRFile() { End(); }

void TRFile::write(const std::string& bytes) {
    if (f_ && std::fwrite(bytes.data(), 1, bytes.size(), f_) != bytes.size()) failed_ = true;
}

void TRFile::StartPage() { aRows.assign(static_cast<std::size_t>(nHeight), std::string()); }

void TRFile::EndPage() {
    bool wide = false;
    for (const std::string& row : aRows) wide = wide || static_cast<int>(row.size()) > nWidth;
    if (lPrint && wide) write(cPrnComp);
    for (const std::string& row : aRows) write(row + "\r\n");
    if (lPrint) write("\x0C");
}

void TRFile::End() {
    if (!f_) return;
    if (std::fclose(f_) != 0) failed_ = true;
    f_ = nullptr;
}

void TRFile::Say(int row, int col, const std::string& text, int, std::optional<int> width) {
    if (row < 0 || row >= nHeight || row >= static_cast<int>(aRows.size()) || col < 0) return;
    std::string cell = ISANSI(text) ? ANSITOOEM(text) : text;
    const int w = width.value_or(static_cast<int>(cell.size()));
    if (static_cast<int>(cell.size()) < w) cell.append(static_cast<std::size_t>(w - static_cast<int>(cell.size())), ' ');
    std::string& line = aRows[static_cast<std::size_t>(row)];
    const std::size_t at = static_cast<std::size_t>(col);
    if (line.size() < at) line.append(at - line.size(), ' ');
    const std::string after = line.size() > at + cell.size() ? line.substr(at + cell.size()) : std::string();
    line = line.substr(0, at) + cell + after;
}

}  // namespace wl
