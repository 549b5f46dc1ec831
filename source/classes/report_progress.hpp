// The "Printing page" window of a report on a printer: the report's name as
// its caption, the page being printed and "&Cancel". It is modeless: the
// report runs in the same thread and lets it work at every record.
#pragma once

#include <memory>
#include <string>

#include "report_device.hpp"

namespace wl {

class TDialog;
class TSay;
class TButton;

class PrintingPageDialog : public ReportProgress {
public:
    PrintingPageDialog();
    ~PrintingPageDialog() override;
    PrintingPageDialog(const PrintingPageDialog&) = delete;
    PrintingPageDialog& operator=(const PrintingPageDialog&) = delete;

    void Start(const std::string& name, bool cancelable) override;
    void Page(int page) override;
    bool Cancelled() override;
    void Close() override;

    TDialog* dialog() const { return dialog_.get(); }

private:
    std::unique_ptr<TDialog> dialog_;
    std::unique_ptr<TSay> caption_, page_;
    std::unique_ptr<TButton> cancel_;
    int nPage_ = 0;
    bool cancelled_ = false;
};

}  // namespace wl
