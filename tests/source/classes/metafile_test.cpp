// Page files and the page view.
#include "metafile.hpp"

#include <gtest/gtest.h>

#include <cstring>

#include "metafiles.hpp"
#include "unix_tools.hpp"

namespace {

// A placeable metafile of one rectangle, made by the system.
std::string placeableFile(const std::string& path, bool damaged) {
    HDC dc = CreateMetaFileA(nullptr);
    Rectangle(dc, 10, 10, 90, 60);
    HMETAFILE mf = CloseMetaFile(dc);
    const UINT size = GetMetaFileBitsEx(mf, 0, nullptr);
    std::string bits(size, '\0');
    GetMetaFileBitsEx(mf, size, bits.data());
    DeleteMetaFile(mf);
    std::string header(22, '\0');
    const unsigned key = 0x9AC6CDD7;
    std::memcpy(header.data(), &key, 4);
    const short box[4] = {0, 0, 100, 70};
    std::memcpy(header.data() + 6, box, 8);
    const unsigned short inch = 1440;
    std::memcpy(header.data() + 14, &inch, 2);
    if (damaged) bits.resize(bits.size() / 2);  // the size word now promises more than the file holds
    std::ofstream(path, std::ios::binary) << header << bits;
    return path;
}

TEST(GETPMETAFILE, ReadsASoundFileAndRefusesAHostileOne) {
    zrtest::ScratchDir dir("wmf");
    std::array<int, 5> info{};
    HMETAFILE good = wl::GETPMETAFILE(placeableFile(dir.file("good.wmf"), false), &info);
    ASSERT_NE(good, nullptr);
    EXPECT_EQ(info, (std::array<int, 5>{0, 0, 70, 100, 1440}));
    EXPECT_TRUE(wl::DELETEMETAFILE(good));
    EXPECT_EQ(wl::GETPMETAFILE(placeableFile(dir.file("cut.wmf"), true)), nullptr);
    std::ofstream(dir.file("text.wmf"), std::ios::binary) << std::string(200, 'x');
    EXPECT_EQ(wl::GETPMETAFILE(dir.file("text.wmf")), nullptr);
    EXPECT_EQ(wl::GETPMETAFILE(dir.file("missing.wmf")), nullptr);
}

class PageView : public ::testing::Test {
protected:
    void SetUp() override {
        parent = CreateWindowExA(0, "STATIC", "", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 400, 400, nullptr, nullptr,
                                 nullptr, nullptr);
    }
    void TearDown() override { DestroyWindow(parent); }
    HWND parent = nullptr;
};

TEST_F(PageView, AMissingFileIsToldOnceNotAtEveryPaint) {
    zrtest::ScratchDir dir("view");
    const std::string file = dir.file("page.emf");
    HDC rec = CreateEnhMetaFileA(nullptr, file.c_str(), nullptr, nullptr);
    Rectangle(rec, 0, 0, 50, 50);
    DeleteEnhMetaFile(CloseEnhMetaFile(rec));
    wl::TMetaFile view(parent, 10, 10, 200, 280, file);
    EXPECT_EQ(view.oPen.nWidth, 5);  // the shadow has its pen
    std::filesystem::remove(file);   // the page file vanished before the first paint
    zrtest::PromptRecorder prompts;
    HDC dc = GetDC(view.hWnd);
    view.Paint(dc);
    view.Paint(dc);
    view.Paint(dc);
    ReleaseDC(view.hWnd, dc);
    ASSERT_EQ(prompts.prompts().size(), 1u);
    EXPECT_EQ(prompts.prompts()[0].text, "Could not find the Metafile,\r\nplease check your TEMP environment variable");
    // A name that does not exist blanks the view without a word.
    view.SetFile(dir.file("other.emf"));
    EXPECT_EQ(view.cCaption, "");
    dc = GetDC(view.hWnd);
    view.Paint(dc);
    ReleaseDC(view.hWnd, dc);
    EXPECT_EQ(prompts.prompts().size(), 1u);
}

TEST_F(PageView, ZoomOutForgetsTheFactorsSetBefore) {
    wl::TMetaFile view(parent, 10, 10, 200, 280, "", 0, 0xFFFFFF, 1000, 1400);
    view.SetZoomFactor(3, 6);  // not zoomed: only stored
    EXPECT_EQ(view.nWidth, 1000);
    view.ZoomIn();
    EXPECT_TRUE(view.lZoom);
    EXPECT_EQ(view.nWidth, 1000 / 3);
    view.SetOrg(5, 7);
    view.ZoomOut();
    EXPECT_FALSE(view.lZoom);
    EXPECT_EQ(view.nXZoom, 1);
    EXPECT_EQ(view.nYZoom, 2);
    EXPECT_EQ(view.nXorig, 0);
    EXPECT_EQ(view.nYorig, 0);
}

TEST_F(PageView, ADialogControlShowsItsPageWithTheShadowPen) {
    zrtest::ScratchDir dir("view-dialog");
    const std::string file = dir.file("page.emf");
    HDC rec = CreateEnhMetaFileA(nullptr, file.c_str(), nullptr, nullptr);
    SelectObject(rec, GetStockObject(BLACK_BRUSH));
    Rectangle(rec, 0, 0, 200, 200);
    DeleteEnhMetaFile(CloseEnhMetaFile(rec));
    wl::TMetaFile::RegisterWindowClass();
    // As a dialog template makes it: the class by name, an id.
    HWND control = CreateWindowExA(0, "TMetaFile", "", WS_CHILD | WS_VISIBLE, 20, 20, 100, 100, parent,
                                   reinterpret_cast<HMENU>(801), nullptr, nullptr);
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(wl::TMetaFile::Redefine(802, file, parent), nullptr);
    std::unique_ptr<wl::TMetaFile> view = wl::TMetaFile::Redefine(801, file, parent);
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->hWnd, control);
    EXPECT_TRUE(view->lShadow);
    EXPECT_NE(view->oPen.hPen, nullptr);  // the shadow can be drawn
    EXPECT_EQ(view->nWidth, 100);
    EXPECT_EQ(view->nHeight, 100);
    EXPECT_EQ(view->hMeta, nullptr);
    HDC dc = GetDC(control);
    view->Paint(dc);
    ReleaseDC(control, dc);
    EXPECT_NE(view->hMeta, nullptr);
    view.reset();
    EXPECT_TRUE(IsWindow(control));  // the dialog's control stays the dialog's
    DestroyWindow(control);
}

}  // namespace
