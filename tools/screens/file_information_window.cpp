#include "file_information_window.hpp"

#include "messages.hpp"
#include "progress_meter.hpp"
#include "utility_window_parts.hpp"

namespace zr {

namespace {

std::string countText(std::size_t n) { return std::to_string(n); }

}  // namespace

FileInformationWindow::FileInformationWindow() : font_(toolFont()) {
    newUtilityWindow(window_, "X12 File Information", font_);

    struct Row {
        int top, labelWidth, valueLeft, valueWidth;
        const char* caption;
        std::function<std::string()> text;
    };
    const Row rows[kValues] = {
        {64, 128, 567, 48, "Batches: ", [this] { return countText(summary_.transactionSets); }},
        {80, 128, 558, 48, "Claims: ", [this] { return countText(summary_.claims); }},
        {96, 128, 603, 160, "Claims Total: ", [this] { return summaryAmount(summary_.claimsTotal); }},
        {112, 192, 594, 48, "Remittances: ", [this] { return countText(summary_.remittances); }},
        {128, 224, 639, 160, "Remittance Total: ", [this] { return summaryAmount(summary_.remittanceTotal); }},
        {144, 224, 657, 160, "Service Line Count: ", [this] { return countText(summary_.serviceLines); }},
        {160, 224, 657, 160, "Service Line Total: ", [this] { return summaryAmount(summary_.serviceLineTotal); }},
    };
    for (int i = 0; i < kValues; ++i) {
        label(labels_[i], rows[i].top, 495, rows[i].labelWidth, rows[i].caption);
        value(values_[i], rows[i].top, rows[i].valueLeft, rows[i].valueWidth, rows[i].text);
    }

    newUtilityReport(window_, font_, report_, {320, 495, 304, 90}, reportText_, "R/W+*");
    loadFolderPictures(pictures_);
    newUtilityTree(window_, tree_, {1, 4, 460, 400}, pictures_);
    newUtilityButton(window_, font_, exit_, 738, 64, "Exit", [this] { window_.End(); });
    newUtilityButton(window_, font_, select_, 495, 128, "Select a File", [this] { selectFile(); });
}

FileInformationWindow::~FileInformationWindow() { endUtilityWindow(window_, font_); }

void FileInformationWindow::label(wl::TSay& say, int top, int left, int width, const std::string& text) {
    value(say, top, left, width, [text] { return text; });
}

void FileInformationWindow::value(wl::TSay& say, int top, int left, int width, std::function<std::string()> text) {
    wl::SayNew s;
    s.oWnd = &window_;
    s.lPixel = true;
    s.nRow = top;
    s.nCol = left;
    s.nWidth = width;
    s.nHeight = 18;
    s.oFont = font_;
    s.cClrText = "B/W+*";
    s.bText = [text = std::move(text)] { return wl::Value(text()); };
    say.New(s);
}

void FileInformationWindow::open() { window_.Activate(); }

void FileInformationWindow::selectFile() {
    treeNodes_.clear();
    wl::FileDialogRequest r;
    r.filter = "*.*";
    r.title = "Select X12 File";
    const std::string file = wl::CGETFILE(r);
    summary_ = CTLD47300A(file, treeNodes_);
    reportText_ = summary_.report;
    for (wl::TSay& v : values_) v.Refresh();
    report_.Refresh();
    treeNodes_.expandFilled();
}

std::unique_ptr<FileInformationWindow> CTLD47300() {
    auto window = std::make_unique<FileInformationWindow>();
    window->open();
    return window;
}

}  // namespace zr
