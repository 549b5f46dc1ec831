#include "xbr_memo_edit.hpp"

#include "memo_edit.hpp"
#include "xbr_hex_edit.hpp"
#include "xbr_image_edit.hpp"
#include "xbrowse_editing.hpp"

namespace wl {

std::optional<Value> XBREDITMEMO(const Value& value, bool readOnly, const std::string& title) {
    std::string data = value.isText() ? value.text() : value.isNil() ? std::string() : CVALTOCHAR(value);
    const std::string before = data;
    if (xbrMemoKind(data) == XbrMemoKind::Text) {
        MemoEditFrame frame;
        if (!title.empty()) frame.cTitle = title;
        if (readOnly) {
            MemoEdit([data] { return data; }, frame);
            return std::nullopt;
        }
        if (!MemoEdit(data, frame) || data == before) return std::nullopt;
        return Value(data);
    }
    const bool changed = xbrMemoKind(data) == XbrMemoKind::Image ? XBRIMAGEEDIT(data, readOnly, title)
                                                                  : XBRHEXEDIT(data, readOnly, title);
    if (!changed || data == before) return std::nullopt;
    return Value(data);
}

}  // namespace wl
