// The frame the viewer's dialogs share: a modal pixel dialog laid out in
// the 640 x 480 design space scaled to the screen, "B/W*" (black on white),
// the first and second standard fonts, and the few kinds of controls the
// viewer uses. Each dialog tells the ViewerUi's observer when it shows, so
// tests and the pictures script see what it lists and can press its buttons.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "button.hpp"
#include "dialog.hpp"
#include "font.hpp"
#include "get.hpp"
#include "listbox.hpp"
#include "paged_print_window.hpp"
#include "wbrowse.hpp"

namespace zr {

// What a viewer dialog shows when it opens.
struct ShownDialog {
    std::string caption;
    HWND hWnd = nullptr;
    std::vector<std::string> lines;  // its list's lines (or its texts)
    std::size_t current = 0;         // the list's current line, 1-based
};

// The programs that show a file the viewer wrote; each answers whether it
// started. Empty: Notepad and the shell's "open" themselves (tests record).
struct FileOpeners {
    std::function<bool(const std::string& file)> notepad;
    std::function<bool(const std::string& file)> shellOpen;
};

// What the viewer's windows share: an observer of every dialog shown,
// where their printed pages go and what opens the files they write.
struct ViewerUi {
    std::function<void(const ShownDialog&)> shown;
    PrintTarget print;
    FileOpeners open;
};

// Posts a click on the dialog's button with that caption (false when it has
// none): the click runs once the dialog's message loop takes it.
bool pressButton(HWND dialog, const std::string& caption);

class ViewerDialog {
public:
    // Design-space width and height of the screen, on the grid twice as fine
    // as the controls' positions (see the constructor).
    ViewerDialog(const std::string& caption, double width, double height);
    ~ViewerDialog();
    ViewerDialog(const ViewerDialog&) = delete;
    ViewerDialog& operator=(const ViewerDialog&) = delete;

    // Design pixels to screen pixels.
    int px(double v) const;
    wl::TDialog& dialog() { return dialog_; }
    const std::shared_ptr<wl::TFont>& font(int n) const { return n == 2 ? font2_ : font1_; }

    // Controls at design (row, column) with a design size.
    wl::TButton& button(double row, double col, double w, double h, const std::string& caption,
                        std::function<void()> action);
    wl::TSay& label(double row, double col, double w, double h, std::function<std::string()> text, int font = 2);
    wl::TWBrowse& list(double row, double col, double w, double h, const std::string& header,
                       std::function<std::string()> line);
    // A list over lines 1..count(), its current line in nAt.
    wl::TWBrowse& arrayList(double row, double col, double w, double h, const std::string& header,
                            std::function<std::string(std::size_t)> lineOf, std::function<int()> count);
    // A drop-down list of the items; the bound value is the chosen item.
    wl::TComboBox& combo(double row, double col, double w, double h, std::vector<std::string> items,
                         wl::SetGet value);
    // A field editing the bound value as it is typed.
    // An edit field; a picture ("999") limits what may be typed.
    wl::TGet& edit(double row, double col, double w, double h, wl::SetGet value, const std::string& picture = {});

    // Runs the dialog modally, centred; `describe` fills what the observer
    // is told once it shows.
    void run(const ViewerUi& ui, std::function<ShownDialog()> describe);
    void close() { dialog_.End(IDCANCEL); }
    // Tells the observer again what the dialog shows, after its list changed.
    void shownAgain();
    // Runs however the dialog is closed, while its controls still stand.
    void onClose(std::function<void()> f) { onClose_ = std::move(f); }
    // Runs once the dialog's window and controls stand, before the observer
    // is told (a tree's items need their control's window).
    void onInit(std::function<void()> f) { onInit_ = std::move(f); }

private:
    wl::TDialog dialog_;
    std::string caption_;
    double scale_;
    std::shared_ptr<wl::TFont> font1_, font2_;
    std::vector<std::unique_ptr<wl::TControl>> controls_;
    std::function<void()> onClose_, onInit_;
    ViewerUi ui_;
    std::function<ShownDialog()> describe_;
};

}  // namespace zr
