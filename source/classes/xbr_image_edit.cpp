#include "xbr_image_edit.hpp"

#include <memory>
#include <optional>
#include <vector>

#include "bitmap.hpp"
#include "bitmaps.hpp"
#include "button_row.hpp"
#include "dialog.hpp"
#include "dib_format.hpp"
#include "file_bytes.hpp"
#include "messages.hpp"

namespace wl {

namespace {

constexpr int kImgWidth = 420, kImgHeight = 360, kImgButtonWidth = 60, kImgButtonHeight = 22;

// The picture of a bitmap as a BMP file's bytes; "" when it cannot be read.
std::string bmpBytesOf(HBITMAP bmp) {
    const std::optional<PixelImage> pixels = bitmapPixels(bmp);
    return pixels ? bmpImageFromDib(dibFromPixels(*pixels)) : std::string();
}

}  // namespace

bool XBRIMAGEEDIT(std::string& bytes, bool readOnly, const std::string& title) {
    TDialog dlg;
    DialogNew dn;
    dn.cCaption = title;
    dn.nWidth = kImgWidth;
    dn.nHeight = kImgHeight;
    dlg.New(dn);
    RECT probe{0, 0, kImgWidth, kImgHeight};
    AdjustWindowRect(&probe, dn.nStyle, FALSE);
    const int clientW = 2 * kImgWidth - int(probe.right - probe.left);
    const int clientH = 2 * kImgHeight - int(probe.bottom - probe.top);

    TBitmap picture;
    BitmapNew bn;
    bn.nTop = 10, bn.nLeft = 10, bn.lPixel = true;
    bn.nWidth = clientW - 20;
    bn.nHeight = clientH - 30 - kImgButtonHeight;
    bn.lStretch = false;
    bn.oWnd = &dlg;
    picture.New(bn);

    std::string shown = bytes, saved = bytes;
    auto show = [&](const std::string& image) {
        if (image.empty() || !picture.LoadFromString(image)) {
            picture.Clear();
            return false;
        }
        return true;
    };

    ButtonRow buttons(dlg, clientH - kImgButtonHeight - 8, kImgButtonWidth, kImgButtonHeight);
    bool kept = false;
    if (!readOnly) {
        buttons.Add("Open", [&](TWindow&) {
            FileDialogRequest r;
            r.filter = "Image File (*.bmp,jpg,png)|*.bmp;*.jpg;*.jpeg;*.png";
            const std::string file = CGETFILE(r);
            if (file.empty()) return;
            const FileBytes read = readWholeFile(file);
            const std::string image(read.view());
            if (read.ok() && show(image)) shown = image;
            else show(shown);
        });
        buttons.Add("Paste", [&](TWindow&) {
            if (!picture.LoadFromClipboard()) return;
            const std::string image = bmpBytesOf(picture.hBitmap);
            if (!image.empty()) shown = image;
        });
        buttons.Add("Undo", [&](TWindow&) {
            shown = bytes;
            show(shown);
        });
        buttons.Add("Save", [&](TWindow&) {
            saved = shown;
            kept = true;
        });
        buttons.Add("Cancel", [&](TWindow&) {
            kept = false;
            dlg.End(2);
        });
    }
    buttons.Add("Close", [&](TWindow&) { dlg.End(1); });

    DialogActivate da;
    da.lCentered = true;
    da.bInit = [&](TWindow&) { show(shown); };
    dlg.Activate(da);
    if (!kept || saved == bytes) return false;
    bytes = saved;
    return true;
}

}  // namespace wl
