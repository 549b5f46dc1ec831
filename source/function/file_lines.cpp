#include "file_lines.hpp"

namespace wl {

bool FREADLINE(InputFile& file, std::string& line, std::size_t nMax) {
    if (nMax == 0) nMax = 1024;
    const std::int64_t start = file.position();
    std::string buffer(nMax, '\0');
    buffer.resize(file.read(buffer.data(), nMax));
    if (buffer.empty()) {
        line.clear();
        return false;
    }
    const std::size_t crlf = buffer.find("\r\n");
    if (crlf != std::string::npos) {
        buffer.resize(crlf + 2);
        if (start >= 0) file.seek(start + static_cast<std::int64_t>(buffer.size()));
    }
    line = std::move(buffer);
    return true;
}

std::string FREADCRLINE(InputFile& file) {
    std::string line;
    bool readAny = false;
    char c = 0;
    while (file.read(&c, 1) == 1) {
        readAny = true;
        if (c == '\r') {
            file.read(&c, 1);  // the LF after it
            break;
        }
        line += c;
    }
    // The end of the file reads nothing: "" then, so counting stops there.
    if (!readAny) return "";
    line += '\0';
    return line;
}

std::size_t FLINECOUNT(const std::string& fileName) {
    InputFile file(fileName);
    if (!file.isOpen()) return 0;
    std::size_t count = 0;
    while (!FREADCRLINE(file).empty()) ++count;
    return count;
}

}  // namespace wl
