// Loading the hand-written X12 fixtures and small files built in a test.
#pragma once

#include <string>
#include <vector>

#include "delimiters.hpp"
#include "segment_table.hpp"
#include "test_support.hpp"

namespace zrtest {

inline std::string x12Fixture(const std::string& name) { return std::string(ZR_FIXTURES) + "/x12/" + name; }

inline zr::SegmentTable loadX12(const std::string& path) {
    return zr::loadSegmentTable(path, zr::readDelimiters(path, 0));
}

// A 106-byte ISA header followed by the given segments, "~" after each.
inline std::string x12Text(const std::vector<std::string>& segments, const std::string& after = "") {
    std::string out =
        "ISA*00*          *00*          *ZZ*SUBMITTER      *ZZ*RECEIVER       *261210*1253*^*00501*000000001*0*P*:~" +
        after;
    for (const auto& s : segments) out += s + "~" + after;
    return out;
}

// The column of every row, top to bottom.
inline std::vector<std::string> columnOf(const zr::SegmentTable& t, int k) {
    std::vector<std::string> out;
    for (std::size_t r = 1; r <= t.size(); ++r) out.push_back(t.column(r, k));
    return out;
}

}  // namespace zrtest
