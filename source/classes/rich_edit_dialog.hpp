// RichEdit: a ready-made rich text editing dialog, and its button bar
// (BuildRichEditBar) that can be put over any rich edit control.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "buttonbar.hpp"
#include "memo_edit.hpp"

namespace wl {

class TRichEdit;

// The bar and its buttons; the bar lives in its owner's top slot while
// this object lives.
struct RichEditBar {
    TBar bar;
    std::vector<std::unique_ptr<TBtnBmp>> buttons;
    // The button of a tooltip ("Bold", "Cut", ...), or nullptr.
    TBtnBmp* button(const std::string& toolTip) const;
    // Enables the buttons by their conditions and shows bold, italic and
    // underline pressed while they are on at the caret.
    void Update(const TRichEdit& edit);
};

std::unique_ptr<RichEditBar> BuildRichEditBar(TWindow& owner, TRichEdit& edit);

// Edits `text` as rich text in a dialog of the frame (title "RichEdit" by
// default); always false: the dialog only closes.
bool RichEdit(const std::string& text, MemoEditFrame frame = {"RichEdit"});

}  // namespace wl
