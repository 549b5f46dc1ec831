// The RTF we write must read back in a reader that is not ours: Windows'
// rich edit control loads it to the same plain text.
#include <windows.h>
#include <richedit.h>

#include <gtest/gtest.h>

#include <string>

#include "gtf_rtf.hpp"

namespace {

struct StreamSource {
    std::string text;
    size_t pos = 0;
};

DWORD CALLBACK readPiece(DWORD_PTR cookie, LPBYTE buffer, LONG size, LONG* done) {
    auto* source = reinterpret_cast<StreamSource*>(cookie);
    size_t n = std::min(static_cast<size_t>(size), source->text.size() - source->pos);
    std::copy_n(source->text.data() + source->pos, n, buffer);
    source->pos += n;
    *done = static_cast<LONG>(n);
    return 0;
}

// The plain text of an RTF text as the rich edit control reads it, with
// its paragraph ends as CR LF.
std::string richEditText(const std::string& rtf) {
    HMODULE lib = LoadLibraryA("riched20.dll");
    EXPECT_NE(lib, nullptr);
    HWND edit = CreateWindowExA(0, "RichEdit20A", "", WS_POPUP | ES_MULTILINE, 0, 0, 300, 200, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
    EXPECT_NE(edit, nullptr);
    StreamSource source{rtf};
    EDITSTREAM stream{reinterpret_cast<DWORD_PTR>(&source), 0, readPiece};
    SendMessageA(edit, EM_STREAMIN, SF_RTF, reinterpret_cast<LPARAM>(&stream));
    GETTEXTLENGTHEX lengthEx{GTL_DEFAULT | GTL_USECRLF, CP_ACP};
    LRESULT length = SendMessageA(edit, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&lengthEx), 0);
    std::string text(static_cast<size_t>(length) + 1, '\0');
    GETTEXTEX getEx{static_cast<DWORD>(text.size()), GT_USECRLF, CP_ACP, nullptr, nullptr};
    LRESULT got = SendMessageA(edit, EM_GETTEXTEX, reinterpret_cast<WPARAM>(&getEx),
                               reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(got));
    DestroyWindow(edit);
    FreeLibrary(lib);
    return text;
}

TEST(GtfToRtfWin32, RichEditReadsTheSamePlainText) {
    const std::string texts[] = {
        "plain",
        "braces {and} back\\slash",
        "accents \xE9\xE8 and \xFC",
        "two\r\nparagraphs",
    };
    for (const std::string& text : texts) {
        std::string rtf = wl::gtfToRtf(wl::TxtToGtf(text, 1, {"Arial", "16", "7.04", true}, 255)).value();
        EXPECT_EQ(richEditText(rtf), text) << rtf;
    }
    // Several fonts, colours and alignments in one text.
    std::string gtf = std::string("GTF\x05") + "1\x07" + "Arial\x05" "14\x05" "0\x05" "0\x05" "0\x05" "0\x05" "0\x05" +
                      "Courier New\x05" "20\x05" "0\x05" "1\x05" "1\x05" "0\x05" "0\x05" "\x07" + "\x11" "0\x05" +
                      "\x0F" "1\x05" "one \x0F" "2\x05" "\x10" "255\x05" "two\r\n\x11" "2\x05" "three\x07";
    EXPECT_EQ(richEditText(wl::gtfToRtf(gtf).value()), "one two\r\nthree");
}

}  // namespace
