#include "report_progress.hpp"

#include "button.hpp"
#include "dialog.hpp"
#include "message_loop.hpp"

namespace wl {

namespace {

// The layout's units, scaled to the dialog's pixels.
int progressX(double v) { return static_cast<int>(v * 1.8); }
int progressY(double v) { return static_cast<int>(v * 1.6); }

}  // namespace

PrintingPageDialog::PrintingPageDialog() = default;

PrintingPageDialog::~PrintingPageDialog() { Close(); }

void PrintingPageDialog::Start(const std::string& name, bool cancelable) {
    Close();
    cancelled_ = false;
    dialog_ = std::make_unique<TDialog>();
    DialogNew dn;
    dn.cCaption = name;
    dn.lPixel = true;
    dn.nWidth = 400;
    dn.nHeight = 183;
    dialog_->New(dn);
    SayNew sn;
    sn.oWnd = dialog_.get();
    sn.lPixel = true;
    sn.nRow = progressY(20);
    sn.nCol = progressX(75);
    sn.nWidth = progressX(80);
    sn.nHeight = progressY(10);
    sn.bText = [] { return Value("Printing page"); };
    caption_ = std::make_unique<TSay>();
    caption_->New(sn);
    sn.nRow = progressY(35);
    sn.nCol = progressX(90);
    sn.nWidth = progressX(40);
    sn.bText = [this] { return Value(nPage_); };
    page_ = std::make_unique<TSay>();
    page_->New(sn);
    ButtonNew bn;
    bn.oWnd = dialog_.get();
    bn.lPixel = true;
    bn.nRow = progressY(70);
    bn.nCol = progressX(75);
    bn.nWidth = progressX(42);
    bn.nHeight = progressY(14);
    bn.cCaption = "&Cancel";
    bn.lCancel = true;
    bn.bAction = [this](TWindow&) { cancelled_ = true; };
    if (!cancelable) bn.bWhen = [] { return false; };
    cancel_ = std::make_unique<TButton>();
    cancel_->New(bn);
    DialogActivate act;
    act.lModal = false;
    act.lCentered = true;
    dialog_->Activate(act);
    if (!cancelable) cancel_->Disable();
    SYSREFRESH();
}

void PrintingPageDialog::Page(int page) {
    nPage_ = page;
    if (page_) page_->SetText(Value(page));
    SYSREFRESH();
}

bool PrintingPageDialog::Cancelled() {
    if (dialog_) SYSREFRESH();
    return cancelled_;
}

void PrintingPageDialog::Close() {
    if (!dialog_) return;
    if (dialog_->hWnd) dialog_->End(1);
    SYSREFRESH();
    cancel_.reset();
    page_.reset();
    caption_.reset();
    dialog_.reset();
}

}  // namespace wl
