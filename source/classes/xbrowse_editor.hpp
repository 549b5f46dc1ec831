// The in-place editor of one grid cell: an edit field (TGet), a multi-line
// editor (TMultiGet), a drop-down list (TListBox), or a date or time picker
// (TDatePick, TTimePick), placed over the cell in the edit font. Enter, Up,
// Down and Tab end the edit with the edited value, Escape cancels it; the
// browse is told through `done` and carries out the post-edit. Types 4 and
// 5 have their own button beside the field; a click on it is reported
// through `onButton` while the edit goes on. The editor's
// window stays until the editor object goes (the browse keeps a finished
// editor until the next edit): it may end inside its own key handler.
#pragma once

#include <functional>
#include <memory>

#include "control.hpp"
#include "xbrowse_editing.hpp"

namespace wl {

class TFont;
class TButton;

class XbrCellEditor {
public:
    // done (value, key): key 27 for a cancelled edit (value: the old one).
    using Done = std::function<void(const Value& value, int key)>;

    XbrCellEditor(TWindow& browse, const TXBrwColumn& col, const XbrEditPlan& plan, RECT cell,
                  std::shared_ptr<TFont> font, int key, Done done);
    ~XbrCellEditor();
    XbrCellEditor(const XbrCellEditor&) = delete;
    XbrCellEditor& operator=(const XbrCellEditor&) = delete;

    // The editor's window (the list for a list editor).
    HWND hWnd() const;
    TControl& control() const { return *control_; }
    bool finished() const { return finished_; }
    // Ends the edit with the editor's value and the key.
    void Post(int key);
    // Ends the edit with the given value instead.
    void Commit(const Value& value, int key);
    void Cancel();
    // The value in the editor now.
    Value current() const;
    // The button beside a type 4 or 5 field, nullptr for other editors.
    HWND hButton() const;
    // Run (after the click has been handled) when that button is pressed.
    std::function<void()> onButton;
    // The focus back in the field after the button.
    void Resume();

private:
    // A key the editor ends on: true when handled.
    bool onKey(int key);
    void onLeave(HWND gaining);

    XbrEditor kind_;
    Value buffer_;
    Value original_;
    bool autoSave_ = false;
    bool finished_ = false;
    const TXBrwColumn* col_;
    Done done_;
    std::unique_ptr<TControl> control_;
    std::unique_ptr<TButton> button_;
};

}  // namespace wl
