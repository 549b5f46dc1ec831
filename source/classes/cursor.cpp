#include "cursor.hpp"

#include "bitmap.hpp"
#include "messages.hpp"
#include "window_units.hpp"

namespace wl {

std::shared_ptr<TCursor> TCursor::New(const std::string& resName, const std::string& predef) {
    auto c = std::make_shared<TCursor>();
    if (!predef.empty()) {
        auto found = predefinedCursor(predef);
        if (!found) {
            MSGALERT("Wrong predefined cursor type!");
            return c;
        }
        c->lPredef = true;
        switch (found->library) {
        case LibraryCursor::Hand: c->hCursor = GETCURSORHAND(); break;
        case LibraryCursor::Stop: c->hCursor = GETCURSORSTOP(); break;
        case LibraryCursor::Drag: c->hCursor = GETCURSORDRAG(); break;
        case LibraryCursor::Search: c->hCursor = GETCURSORSEARCH(); break;
        case LibraryCursor::None:
            c->hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(found->systemId));
            break;
        }
        return c;
    }
    c->hCursor = LoadCursorA(GetModuleHandleA(nullptr), resName.c_str());
    return c;
}

std::shared_ptr<TCursor> TCursor::NewBmp(HBITMAP bitmap, HPALETTE palette, int hotRow, int hotCol, bool ranges,
                                         const BmpCursorColors& colors) {
    auto c = std::make_shared<TCursor>();
    c->hCursor = CREATEBMPCURSOR(bitmap, palette, hotRow, hotCol, ranges, colors);
    return c;
}

std::shared_ptr<TCursor> TCursor::NewBmp(const TBitmap& bitmap, int hotRow, int hotCol, bool ranges,
                                         const BmpCursorColors& colors) {
    return NewBmp(bitmap.hBitmap, bitmap.hPalette, hotRow, hotCol, ranges, colors);
}

void TCursor::End() {
    if (hCursor && !lPredef) DestroyCursor(hCursor);
    hCursor = nullptr;
}

}  // namespace wl
