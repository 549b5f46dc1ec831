// The preview window on three recorded pages: paging, zoom and two-page
// view, checked through its state and the pixels of its page view.
#include "preview.hpp"

#include <gtest/gtest.h>

#include "bitmaps.hpp"
#include "message_loop.hpp"
#include "popup_menus.hpp"
#include "print_settings.hpp"
#include "profile_files.hpp"
#include "dialog_waiter.hpp"
#include "unix_tools.hpp"

namespace {

// Page n has a black block in band n of three across the page's top half.
std::unique_ptr<wl::TPrinter> threePages(const std::string& document = "Three pages") {
    wl::PrinterOptions o;
    o.cDocument = document;
    o.lPreview = true;
    o.cModel = "ZRPDF," + wl::GETPROFSTRING(std::string("Devices"), std::string("ZRPDF"));
    auto p = std::make_unique<wl::TPrinter>(o);
    for (int page = 0; page < 3; ++page) {
        p->StartPage();
        const int w = p->nHorzRes(), h = p->nVertRes();
        const RECT block{w * page / 3, h / 10, w * (page + 1) / 3, h / 2};
        p->FillRect(block, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        p->EndPage();
    }
    return p;
}

// What the window shows of a page view.
wl::PixelImage shown(HWND view) {
    UpdateWindow(GetParent(view));
    UpdateWindow(view);
    wl::SYSREFRESH();
    RECT r;
    GetClientRect(view, &r);
    HDC dc = GetDC(view);
    HDC mem = CreateCompatibleDC(dc);
    HBITMAP bmp = CreateCompatibleBitmap(dc, r.right, r.bottom);
    HGDIOBJ old = SelectObject(mem, bmp);
    BitBlt(mem, 0, 0, r.right, r.bottom, dc, 0, 0, SRCCOPY);
    SelectObject(mem, old);
    ReleaseDC(view, dc);
    DeleteDC(mem);
    auto pixels = wl::bitmapPixels(bmp);
    DeleteObject(bmp);
    return pixels.value_or(wl::PixelImage());
}

// The band of the page top that is dark: 0, 1 or 2; -1 when none is.
int darkBand(const wl::PixelImage& page) {
    for (int band = 0; band < 3; ++band) {
        const double left = band / 3.0 + 0.05, right = (band + 1) / 3.0 - 0.05;
        if (zrtest::darkShare(page, 0.2, left, 0.4, right) > 0.9) return band;
    }
    return -1;
}

TEST(TPreview, PagesZoomsAndShowsTheRightPage) {
    auto printer = threePages();
    ASSERT_NE(printer->hDC, nullptr);
    const std::vector<std::string> files = printer->aMeta;
    wl::TPreview preview(std::move(printer));
    preview.Activate();
    EXPECT_EQ(preview.model.pageCount, 3);
    const double wholePageDark = zrtest::darkShare(shown(preview.oMeta1->hWnd), 0, 0, 1, 1);
    EXPECT_EQ(darkBand(shown(preview.oMeta1->hWnd)), 0);
    preview.NextPage();
    EXPECT_EQ(preview.model.nPage, 2);
    EXPECT_EQ(preview.model.cPageLabel, "Page number:2 / 3");
    char label[64] = {};
    GetWindowTextA(preview.oPage, label, sizeof label);
    EXPECT_STREQ(label, "Page number:2 / 3");
    EXPECT_EQ(darkBand(shown(preview.oMeta1->hWnd)), 1);
    preview.BottomPage();
    EXPECT_EQ(darkBand(shown(preview.oMeta1->hWnd)), 2);
    preview.NextPage();  // past the end: nothing
    EXPECT_EQ(preview.model.nPage, 3);

    // Two pages: the next page on the right.
    preview.TopPage();
    preview.TwoPages();
    EXPECT_TRUE(preview.model.lTwoPages);
    EXPECT_TRUE(IsWindowVisible(preview.oMeta2->hWnd));
    EXPECT_EQ(darkBand(shown(preview.oMeta2->hWnd)), 1);
    RECT left, right;
    GetWindowRect(preview.oMeta1->hWnd, &left);
    GetWindowRect(preview.oMeta2->hWnd, &right);
    EXPECT_LT(left.right, right.left);

    // Zoom: one page again, larger, with scroll ranges by the factor.
    const int unzoomedWidth = left.right - left.left;
    preview.SetFactor(3);
    EXPECT_TRUE(preview.model.lZoom);
    EXPECT_FALSE(preview.model.lTwoPages);
    EXPECT_FALSE(IsWindowVisible(preview.oMeta2->hWnd));
    int low = 0, high = 0;
    GetScrollRange(preview.hWnd, SB_VERT, &low, &high);
    EXPECT_EQ(high, 60);
    GetScrollRange(preview.hWnd, SB_HORZ, &low, &high);
    EXPECT_EQ(high, 60);
    GetWindowRect(preview.oMeta1->hWnd, &left);
    EXPECT_GT(left.right - left.left, unzoomedWidth);
    // Zoomed three times, the view shows the page's top left third: the top
    // margin white, the first band's block below it filling more of the view.
    const wl::PixelImage zoomed = shown(preview.oMeta1->hWnd);
    EXPECT_LT(zrtest::darkShare(zoomed, 0, 0, 0.3, 1), 0.02);
    EXPECT_GT(zrtest::darkShare(zoomed, 0, 0, 1, 1), 1.5 * wholePageDark);
    preview.CheckKey(VK_DOWN);
    EXPECT_EQ(GetScrollPos(preview.hWnd, SB_VERT), 2);
    preview.Zoom();
    EXPECT_FALSE(preview.model.lZoom);
    EXPECT_EQ(preview.model.nZFactor, 1);
    GetScrollRange(preview.hWnd, SB_VERT, &low, &high);
    EXPECT_EQ(high, 0);

    // Mail as PDF: the PDF is made in the page files' folder, handed to the
    // mail program and then removed.
    const char* record = std::getenv("ZR_MAIL_RECORD");
    ASSERT_NE(record, nullptr);
    std::error_code ec;
    std::filesystem::remove_all(zrtest::windowsPath(record), ec);
    const std::filesystem::path folder = std::filesystem::path(files[0]).parent_path();
    auto pdfsInFolder = [&] {
        int n = 0;
        for (const auto& e : std::filesystem::directory_iterator(folder))
            if (e.path().extension() == ".pdf") ++n;
        return n;
    };
    const int pdfsBefore = pdfsInFolder();
    {
        zrtest::PromptRecorder prompts;
        preview.SendEmail();
        EXPECT_TRUE(prompts.prompts().empty());
    }
    EXPECT_EQ(pdfsInFolder(), pdfsBefore);
    std::string args;
    for (int i = 0; i < 600 && (args.empty() || args.back() != '\n'); ++i, Sleep(50))
        args = zrtest::readBytes(zrtest::windowsPath(record) + "\\args.txt");
    EXPECT_EQ(args.rfind("mailto:?subject=Three%20pages", 0), 0u) << args;

    // Closing ends the printer, which erases its page files.
    preview.Close();
    EXPECT_TRUE(preview.lExit);
    for (const std::string& f : files) EXPECT_FALSE(std::filesystem::exists(f));
}

TEST(TPreview, TwoPagesIsRefusedForASinglePage) {
    wl::TPreview preview(nullptr);  // no device: one empty page
    preview.Activate();
    EXPECT_EQ(preview.model.pageCount, 1);
    preview.TwoPages();
    EXPECT_FALSE(preview.model.lTwoPages);
    zrtest::PromptRecorder prompts;
    EXPECT_FALSE(preview.SaveAs(false));
    ASSERT_EQ(prompts.prompts().size(), 1u);
    EXPECT_EQ(prompts.prompts()[0].text, "No .Doc file manipulation software installed");
    preview.Close();
}

// The printer's complete PDF whose file name holds `title` (other jobs share
// the folder); "" after two minutes.
std::string previewPdfTitled(const std::string& title) {
    for (int i = 0; i < 1200; ++i) {
        for (const std::string& p : zrtest::pdfsNow())
            if (std::filesystem::path(p).filename().string().find(title) != std::string::npos &&
                zrtest::readBytes(p).find("%%EOF") != std::string::npos)
                return p;
        Sleep(100);
    }
    return {};
}

TEST(TPreview, PrintRangeDialogPrintsTheCurrentPage) {
    const std::string title = "zr-preview-range-current";
    for (const std::string& p : zrtest::pdfsNow())
        if (p.find(title) != std::string::npos) std::filesystem::remove(p);
    auto printer = threePages(title);
    ASSERT_NE(printer->hDC, nullptr);
    wl::TPreview preview(std::move(printer));
    preview.Activate();
    preview.NextPage();
    bool fromEnabledAtFirst = true, fromEnabledForPages = false;
    std::thread answer = zrtest::whenShown("Printing", [&](HWND box) {
        HWND from = FindWindowExA(box, nullptr, "Edit", nullptr);
        fromEnabledAtFirst = from && IsWindowEnabled(from);
        SendMessageA(FindWindowExA(box, nullptr, "Button", "Pages"), BM_CLICK, 0, 0);
        fromEnabledForPages = from && IsWindowEnabled(from);
        SendMessageA(FindWindowExA(box, nullptr, "Button", "Current page"), BM_CLICK, 0, 0);
        PostMessageA(FindWindowExA(box, nullptr, "Button", "&Ok"), BM_CLICK, 0, 0);
    });
    preview.PrintPage();
    answer.join();
    preview.Close();
    EXPECT_FALSE(fromEnabledAtFirst);
    EXPECT_TRUE(fromEnabledForPages);
    const std::string pdf = previewPdfTitled(title);
    ASSERT_FALSE(pdf.empty()) << "CUPS wrote no PDF titled " << title;
    zrtest::ScratchDir dir("preview-range");
    const std::string copy = dir.file("current.pdf");
    std::filesystem::copy_file(pdf, copy);
    std::filesystem::remove(pdf);
    const std::vector<wl::PixelImage> pages = zrtest::pdfPages(dir.path(), copy);
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(darkBand(pages[0]), 1);  // page 2 has its block in the middle band
}

// Whether the printers menu ticks `name`; -1 when it does not list it.
int previewPrinterTicked(const wl::TPreview& preview, const std::string& name) {
    HMENU menu = preview.printersMenu();
    int ticked = -1;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        char text[256] = {};
        GetMenuStringA(menu, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
        if (name == text) ticked = (GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION) & MF_CHECKED) ? 1 : 0;
    }
    DestroyMenu(menu);
    return ticked;
}

TEST(TPreview, ThePrintersMenuTicksTheDevicesPrinterAndSelPrinterSwitchesToIt) {
    auto printer = threePages("zr-preview-printers");
    ASSERT_NE(printer->hDC, nullptr);
    wl::TPreview preview(std::move(printer));
    preview.Activate();
    EXPECT_EQ(previewPrinterTicked(preview, "ZRPDF"), 1);
    preview.oDevice->cModel = "another printer";
    EXPECT_EQ(previewPrinterTicked(preview, "ZRPDF"), 0);
    const std::string usersDefault = wl::GETPROFSTRING(std::string("windows"), std::string("device"));
    HDC before = preview.oDevice->hDC;
    preview.SelPrinter("ZRPDF");
    EXPECT_EQ(preview.oDevice->cModel, "ZRPDF");
    EXPECT_NE(preview.oDevice->hDC, nullptr);
    EXPECT_NE(preview.oDevice->hDC, before);  // a new context for the chosen printer
    EXPECT_EQ(wl::PRNGETNAME(), "ZRPDF");
    EXPECT_EQ(wl::GETPROFSTRING(std::string("windows"), std::string("device")), usersDefault);
    EXPECT_EQ(previewPrinterTicked(preview, "ZRPDF"), 1);
    // Through the menu: the choice reaches the window as its command.
    preview.oDevice->cModel = "another printer";
    wl::setPopupMenuHook([](HMENU menu, HWND owner, int, int) {
        for (int i = 0; i < GetMenuItemCount(menu); ++i) {
            char text[256] = {};
            GetMenuStringA(menu, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
            if (std::string(text) == "ZRPDF")
                PostMessageA(owner, WM_COMMAND, GetMenuItemID(menu, i), 0);
        }
    });
    preview.PrintersMenu();
    wl::setPopupMenuHook(nullptr);
    wl::SYSREFRESH();
    EXPECT_EQ(preview.oDevice->cModel, "ZRPDF");
    preview.Close();
}

TEST(TPreview, ThumbnailsShowEachPageGoToItAndMakeRoomForTheZoom) {
    auto printer = threePages("zr-preview-thumbnails");
    ASSERT_NE(printer->hDC, nullptr);
    const std::vector<std::string> files = printer->aMeta;
    wl::TPreview preview(std::move(printer));
    preview.Activate();
    ASSERT_NE(preview.oLvw, nullptr);
    ASSERT_EQ(ListView_GetItemCount(preview.oLvw), 3);
    char text[8] = {};
    ListView_GetItemText(preview.oLvw, 2, 0, text, sizeof text);
    EXPECT_STREQ(text, "3");
    EXPECT_EQ(ImageList_GetImageCount(preview.oImageListPages->hImageList), 3);
    // A portrait page: an 80 x 100 thumbnail with the page's block.
    for (int page = 0; page < 3; ++page) {
        HBITMAP thumb = wl::PAGEBITMAP(files[static_cast<std::size_t>(page)], 80, 100);
        ASSERT_NE(thumb, nullptr);
        const auto pixels = wl::bitmapPixels(thumb);
        DeleteObject(thumb);
        ASSERT_TRUE(pixels.has_value());
        EXPECT_EQ(pixels->width, 80);
        EXPECT_EQ(darkBand(*pixels), page);
    }
    ListView_SetItemState(preview.oLvw, 1, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    EXPECT_EQ(preview.model.nPage, 2);
    EXPECT_TRUE(IsWindowVisible(preview.oLvw));
    preview.Zoom();
    EXPECT_FALSE(IsWindowVisible(preview.oLvw));
    preview.Zoom();
    EXPECT_TRUE(IsWindowVisible(preview.oLvw));
    preview.Close();
}

TEST(TPreview, UserButtonsAnsweringFalseLeaveOutTheSaveAndExportButtons) {
    struct Case {
        bool answer;
        bool exports;
    };
    for (const Case& k : {Case{false, false}, Case{true, true}}) {
        int asked = 0;
        const wl::PreviewUserButtons before = wl::RPREVUSERBTNS([&](wl::TPreview&) {
            ++asked;
            return k.answer;
        }, 2010, std::make_pair(90, 24));
        wl::TPreview preview(nullptr);
        const wl::PreviewUserButtons mine = wl::RPREVUSERBTNS(before);
        wl::previewBarSettings().nStyle.reset();
        wl::previewBarSettings().nBtnWidth.reset();
        wl::previewBarSettings().nBtnHeight.reset();
        EXPECT_TRUE(static_cast<bool>(mine));
        EXPECT_EQ(asked, 1);
        for (const char* always : {"First", "Zoom", "Two pages", "Print", "Exit"})
            EXPECT_NE(FindWindowExA(preview.hWnd, nullptr, "Button", always), nullptr) << always;
        for (const char* optional : {"Save to DOC/PDF", "Export to PDF", "Send by email as PDF", "Export to MS Word",
                                     "Export to Excel"})
            EXPECT_EQ(FindWindowExA(preview.hWnd, nullptr, "Button", optional) != nullptr, k.exports) << optional;
        RECT exit{};
        GetWindowRect(FindWindowExA(preview.hWnd, nullptr, "Button", "Exit"), &exit);
        EXPECT_EQ(exit.right - exit.left, 90);
        EXPECT_EQ(exit.bottom - exit.top, 24);
        preview.Close();
    }
}

}  // namespace
