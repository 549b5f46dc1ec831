// HL7 message files as the HL7 viewer reads them: the lines, the five
// delimiters of the MSH line, a line's fields and their names.
#pragma once

#include <array>
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace zr {

// Turns bytes into the line list: CR ends a line; LF and every other byte
// below 32 are dropped; a line that ends while the list's last entry is
// empty takes that entry's place (so empty lines remain only as the last
// entry). The list starts as one empty entry; text after the last CR is
// not part of any line.
class Hl7LineReader {
public:
    void add(std::string_view bytes);
    const std::vector<std::string>& lines() const { return lines_; }

private:
    std::vector<std::string> lines_ = std::vector<std::string>(1);
    std::string current_;
};

// CTL48700: the line list of the file (one empty line when it does not
// exist). Reads the file in blocks; `progress` (when set) hears the percent
// read, once per block; the meter's texts are the screen's.
std::vector<std::string> CTL48700(const std::string& fileName,
                                  const std::function<void(int percent)>& progress = {});

// The result of the MSH check.
enum class Hl7Check { Msh, NotMsh, Missing, OpenFailed, ReadFailed };
// CTL48700A's reading: the first three bytes are "MSH" without regard to case.
Hl7Check hl7CheckFile(const std::string& fileName, int* systemError = nullptr);
// CTL48700A: whether the file begins with "MSH"; says why not through WQOUT
// when the file is missing or cannot be read.
bool CTL48700A(const std::string& fileName);

// CTL48700B: the character at position 3 + n (n 1..5) of the first line,
// "" when the line is shorter, "Err" for any other n.
std::string CTL48700B(const std::string& firstLine, int n);

// The delimiters in screen order (positions 4, 5, 8, 6, 7) with their labels.
struct Hl7Delimiter {
    std::string value;
    const char* label;
};
std::array<Hl7Delimiter, 5> hl7Delimiters(const std::string& firstLine);

// CTL48700C: field n (1-based) of the line; "" past the last.
std::string CTL48700C(const std::string& line, std::size_t n, char separator);
// CTL48700D: the segment's description, "" for an unknown id.
std::string CTL48700D(const std::string& segmentId);
// CTL48700E: the number of separators in the line.
std::size_t CTL48700E(const std::string& line, char separator);
// CTL48700F: the field name number `n` (0-based) of the segment, "" past
// the segment's names.
std::string CTL48700F(const std::string& segmentId, std::size_t n);

// The segment dialog's field list: per field n, n + ">" padded to 6, the
// field, padded to 24 altogether, then name n - 1.
std::vector<std::string> hl7FieldList(const std::string& line, char separator);

// The viewer's line list entry: n, ">" and the line.
std::string hl7LineEntry(std::size_t n, const std::string& line);

}  // namespace zr
