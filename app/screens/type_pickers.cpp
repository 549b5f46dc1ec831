#include "type_pickers.hpp"

#include <cmath>
#include <memory>
#include <optional>
#include <vector>

#include "button.hpp"
#include "conversion_dialog_model.hpp"
#include "dialog.hpp"
#include "font.hpp"
#include "screen_font.hpp"

namespace zr {

namespace {

int px(double v) { return static_cast<int>(std::lround(v)); }

// A picker: one button per caption at rows 16, 32, 48 ... (column 19.2),
// each 80 x 11.52 design pixels, drawn at twice their design size as the
// conversion dialog's controls are. Answers the caption clicked, none when
// the picker was closed otherwise.
std::optional<std::string> pick(const std::string& caption, int height, int width,
                                const std::vector<std::string>& choices) {
    auto font = courierFont(9, 16);
    wl::TDialog dialog;
    wl::DialogNew d;
    d.cCaption = caption;
    d.nWidth = width;
    d.nHeight = height;
    d.oFont = font;
    dialog.New(d);
    std::optional<std::string> chosen;
    std::vector<std::unique_ptr<wl::TButton>> buttons;
    for (std::size_t i = 0; i < choices.size(); ++i) {
        wl::ButtonNew b;
        b.oWnd = &dialog;
        b.lPixel = true;
        b.nRow = px(2 * 16.0 * static_cast<double>(i + 1));
        b.nCol = px(2 * 19.2);
        b.nWidth = px(2 * 80.0);
        b.nHeight = px(2 * 11.52);
        b.cCaption = choices[i];
        b.oFont = font;
        const std::string choice = choices[i];
        b.bAction = [&dialog, &chosen, choice](wl::TWindow&) {
            chosen = choice;
            dialog.End(1);
        };
        buttons.push_back(std::make_unique<wl::TButton>());
        buttons.back()->New(b);
    }
    wl::DialogActivate a;
    a.lCentered = true;
    dialog.Activate(a);
    font->End();
    return chosen;
}

}  // namespace

std::string CTLD48404(const std::string& type) {
    return sourceFormatChosen(type, pick("Source Format", 160, 256, {"X12", "CSV", "XML"}));
}

std::string CTLD48402(const std::string& type) {
    if (!asksOutputType(type)) return outputTypeAppended(type, std::nullopt);
    return outputTypeAppended(type, pick("Parser Output Type", 120, 256, {"CSV", "XML"}));
}

}  // namespace zr
