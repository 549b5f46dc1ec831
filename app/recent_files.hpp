// The recently-used file lists of the main window (`MruFile`): the profile
// file ".\ZRK7W315.mru" with the sections "Viewer-Files" and
// "Database-Files", keys "1", "2", ... holding one path each, most recent
// first.
//
// The menu's list and the toolbar's "View X12 File" button write the viewer
// section through one writer, so the section has a single layout: a viewed
// file moves to key "1", a path is recorded once whatever its case, and the
// list keeps at most 25 files.
#pragma once

#include <string>
#include <vector>

#include "mru_list.hpp"

namespace zr {

inline constexpr char kViewerSection[] = "Viewer-Files";
inline constexpr char kDatabaseSection[] = "Database-Files";
// A toolbar drop-down lists keys "1" to "20".
inline constexpr int kDropDownMax = 20;
// The keys that CTLD48400H reads.
inline constexpr int kListedKeys = 21;

// ".\" + model code + ".mru", in the current folder.
std::string mruFilePath(const std::string& modelCode);

// The name a file is recorded under: trimmed, and spelled as the entry that
// already names the same whole path without regard to case, so that moving
// it to the top finds it; "" for a blank file.
std::string recordedName(const std::vector<wl::MruEntry>& entries, const std::string& file);

// Records a viewed file at the top of `list` and writes the section. The
// menu's list and the toolbar share this writer.
void recordViewedFile(wl::MruList& list, const wl::MruStore& store, const std::string& file);

// CTLD48400E: records a file in a section that no menu list shows: the
// section is read as the menu's list reads it and written by the same rule.
void CTLD48400E(const wl::MruStore& store, const std::string& file);

struct DropDownEntry {
    int key = 0;
    std::string file;
};
// CTLD48400F: the drop-down's entries: keys "1" to "20" that hold a value,
// in key order.
std::vector<DropDownEntry> CTLD48400F(const wl::MruStore& store);

// CTLD48400H: the values of keys "1" to "21" (item k - 1 for key k; empty
// keys give empty items). CTLD48400I: the value of key n.
std::vector<std::string> CTLD48400H(const wl::MruStore& store);
std::string CTLD48400I(const wl::MruStore& store, int n);

// What choosing a drop-down entry does (CTLD48400G): the key's value opened in
// the viewer, or handed to the conversion dialog as its source.
enum class DropDownTarget { Viewer, Conversion, None };
DropDownTarget dropDownTarget(const std::string& section);

}  // namespace zr
