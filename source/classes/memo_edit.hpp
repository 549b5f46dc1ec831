// MemoEdit: the ready-made dialog that edits one text in the editor its
// format asks for: rich edit for RTF, the formatted text editor for GTF,
// the multi-line field otherwise.
#pragma once

#include <functional>
#include <string>

namespace wl {

struct MemoEditFrame {
    std::string cTitle = "MemoEdit";
    double nTop = 9, nLeft = 9, nBottom = 27, nRight = 71.5;
};

// Edits `text`; true, with the edited text stored back, when closed with
// "&Ok"; false and `text` unchanged otherwise.
bool MemoEdit(std::string& text, const MemoEditFrame& frame = {});
// Shows the text the closure gives (the edited text is not written back
// anywhere); true when closed with "&Ok".
bool MemoEdit(const std::function<std::string()>& source, const MemoEditFrame& frame = {});

}  // namespace wl
