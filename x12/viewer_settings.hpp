// The viewer's settings from "zr.ini": the open dialog's file mask, the
// field lists of the 837 screens, listings and forms, the parser's block
// options and the CMS-1500 box 25 defaults. Values come back upper-cased.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "value.hpp"

namespace zr {

// One list per item of the FIELD= (and, for the screen, TITLE=) lines of a
// section, in file order. Lists of one section stay parallel: a line gives
// an entry to each list of its section (an absent item as "") when its
// first item is not empty. A list with no entry holds one "".
struct ViewerFieldLists {
    std::vector<std::string> viewerNames, viewerWidths;    // [X12837VIEWER] codes 100, 101
    std::vector<std::string> listingNames, listingWidths;  // [X12837LISTING] 102, 103
    std::vector<std::string> screen[4];                    // [X12837SCREEN] 104 to 107
    std::vector<std::string> form[4];                      // [X12837FORM] 108 to 111
};

struct ViewerSettings {
    std::string fileMask = "*.*";  // 1: [X12VIEWER] SETEXTENSION=
    ViewerFieldLists fields;       // 100 to 111
    std::int64_t fileReadBlock = 0;  // 112: [X12PARSER] or [PARSER] FILEREADBLOCK=
    std::int64_t startBlock = 0;     // 113: STARTBLOCK=
    std::int64_t blockCount = 0;     // 114: BLOCKCOUNT=
    int mergeOff = 0;                // 115: 1 when MERGEST= begins with "OFF"
    std::string box25Ein;            // 116: [CMS1500] or [CMS-1500] BOX25EIN=
    std::string box25Ssn;            // 117: BOX25SSN=
    std::string xmlEncoding;         // 118: [X12PARSER] or [PARSER] XMLENCODING=
};

// Reads all the viewer settings of "zr.ini" in `folder` ("" for the current
// folder) in one pass; the defaults when there is no "zr.ini". The first
// line of a single-valued key counts; later ones are never read.
ViewerSettings readViewerSettings(const std::string& folder = "");

// CTL39400L: one setting by its code: a text for 1 and 116 to 118, a number
// for 112 to 115, a list of texts for 100 to 111, "" for any other code.
wl::Value CTL39400L(int code, const std::string& folder = "");

}  // namespace zr
