#include "conversion_dialog.hpp"

#include <cmath>
#include <memory>
#include <vector>

#include "button.hpp"
#include "control.hpp"
#include "dialog.hpp"
#include "font.hpp"
#include "get.hpp"
#include "screen_font.hpp"
#include "module_state.hpp"
#include "odbc_view_window.hpp"
#include "system_dialogs.hpp"
#include "type_pickers.hpp"

namespace zr {

namespace {

// The controls' figures are design pixels; they are drawn at twice that
// size, where the 16-pixel font fits their buttons and fields and they
// fill the 457 x 400 dialog.
constexpr double kScale = 2;
int px(double v) { return static_cast<int>(std::lround(v * kScale)); }

ConversionChoosers realChoosers() {
    ConversionChoosers c;
    c.folder = [](const std::string& caption) { return wl::CGETDIR(caption); };
    c.file = [](const wl::FileDialogRequest& r) { return wl::CGETFILE(r); };
    c.dataSource = [] { return CTLD48401G(); };
    return c;
}

class ConversionDialog {
public:
    ConversionDialog(const ConversionItems& request, const ConversionDialogContext& context)
        : items_(editedItems(request)), context_(context) {
        const ConversionChoosers real = realChoosers();
        if (!context_.choosers.folder) context_.choosers.folder = real.folder;
        if (!context_.choosers.file) context_.choosers.file = real.file;
        if (!context_.choosers.dataSource) context_.choosers.dataSource = real.dataSource;
    }

    ConversionItems run() {
        font_ = courierFont(9, 16);  // font 1: 9.6 x 16, whole in a LOGFONT
        wl::DialogNew d;
        d.cCaption = "X12 Torvel Parser";
        d.nWidth = 457;
        d.nHeight = 400;
        d.oFont = font_;
        dialog_.New(d);
        dialog_.SetColor("B/W+*");
        build();
        wl::DialogActivate a;
        a.lCentered = true;
        dialog_.Activate(a);
        font_->End();
        // Only "Begin" runs the request; "Exit", the close box and Escape cancel.
        return endedItems(items_, ending_);
    }

private:
    void build() {
        button(8, 153.6, 48, 11.52, "Exit", [this] { end(DialogEnding::Exit); });
        label(32, 45, 128, 18, "I/O Type : ");
        button(32, 19.2, 16, 9.6, "-", [this] { chooseType(); });
        typeLabel_ = label(32, 99, 48, 18, [this] { return items_.type; });
        label(59.2, 18, 128, 18, "Source : ");
        button(56, 52.8, 32, 11.52, "Folder", [this] { edit([this] { chooseSourceFolder(items_, context_.choosers); }); });
        button(56, 91.2, 32, 11.52, "File", [this] {
            edit([this] { chooseSourceFile(items_, context_.choosers, context_.workingFolder); });
        });
        field(source_, 72, 18, 176, 10.8, items_.source);
        label(99.2, 18, 144, 18, "Destination : ");
        button(96, 76.8, 32, 11.52, "Folder", [this] { edit([this] { chooseDestinationFolder(items_, context_.choosers); }); });
        field(destination_, 112, 18, 176, 10.8, items_.destination);
        button(144, 19.2, 16, 9.6, "-", [this] { chooseType(); });
        label(144, 45, 144, 18, "Options :");
        field(options_, 160, 18, 176, 10.8, items_.options);
        button(8, 96, 48, 11.52, "Begin", [this] { end(DialogEnding::Begin); });
    }

    // A button's step on the items, shown in the fields after it (the
    // fields write their items as they are typed).
    void edit(const std::function<void()>& step) {
        step();
        refresh();
    }
    void chooseType() {
        edit([this] { items_.type = CTLD48402(CTLD48404(items_.type)); });
    }
    void end(DialogEnding ending) {
        ending_ = ending;
        dialog_.End(ending == DialogEnding::Begin ? 1 : 2);
    }
    void refresh() {
        if (typeLabel_ && typeLabel_->hWnd) typeLabel_->SetText(items_.type);
        for (wl::TGet* f : {&source_, &destination_, &options_})
            if (f->hWnd) f->Refresh();
    }

    void button(double top, double left, double width, double height, const std::string& caption,
                std::function<void()> action) {
        wl::ButtonNew b;
        b.oWnd = &dialog_;
        b.lPixel = true;
        b.nRow = px(top);
        b.nCol = px(left);
        b.nWidth = px(width);
        b.nHeight = px(height);
        b.cCaption = caption;
        b.oFont = font_;
        b.bAction = [action = std::move(action)](wl::TWindow&) { action(); };
        buttons_.push_back(std::make_unique<wl::TButton>());
        buttons_.back()->New(b);
    }
    // A field editing one item of the request (each is 255 characters long).
    void field(wl::TGet& get, double top, double left, double width, double height, std::string& item) {
        wl::GetNew g;
        g.oWnd = &dialog_;
        g.lPixel = true;
        g.nRow = px(top);
        g.nCol = px(left);
        g.nWidth = px(width);
        g.nHeight = px(height);
        g.bSetGet = wl::bindTo(item);
        get.New(g);
    }
    wl::TSay* label(double top, double left, double width, double height, const std::string& text) {
        return label(top, left, width, height, [text] { return text; });
    }
    wl::TSay* label(double top, double left, double width, double height, std::function<std::string()> text) {
        wl::SayNew s;
        s.oWnd = &dialog_;
        s.lPixel = true;
        s.nRow = px(top);
        s.nCol = px(left);
        s.nWidth = px(width);
        s.nHeight = px(height);
        s.oFont = font_;
        s.cClrText = "B/W+*";
        s.bText = [text = std::move(text)] { return wl::Value(text()); };
        labels_.push_back(std::make_unique<wl::TSay>());
        labels_.back()->New(s);
        return labels_.back().get();
    }

    ConversionItems items_;
    ConversionDialogContext context_;
    DialogEnding ending_ = DialogEnding::Closed;
    std::shared_ptr<wl::TFont> font_;
    wl::TDialog dialog_;
    std::vector<std::unique_ptr<wl::TButton>> buttons_;
    std::vector<std::unique_ptr<wl::TSay>> labels_;
    wl::TSay* typeLabel_ = nullptr;
    wl::TGet source_, destination_, options_;
};

}  // namespace

ConversionItems CTLD48401(const ConversionItems& request, const ConversionDialogContext& context) {
    context.app->module.viewerState = ViewerState::Unattended;
    return ConversionDialog(request, context).run();
}

std::function<void(DriverRequest&)> conversionDialogHook(ConversionDialogContext context) {
    return [context](DriverRequest& request) {
        const ConversionItems edited =
            CTLD48401({request.type, request.source, request.destination, request.options}, context);
        request.type = edited.type;
        request.source = edited.source;
        request.destination = edited.destination;
        request.options = edited.options;
    };
}

}  // namespace zr
