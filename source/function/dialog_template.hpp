// Dialog templates built in memory: the header of a dialog and one item per
// control, as DialogBoxIndirect and CreateDialogIndirect read them. Every
// number is little-endian, every text zero-terminated UTF-16 converted from
// the ANSI code page (1252), and every piece ends on a 4-byte boundary so
// that pieces can be joined into a whole template.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace wl {

// The text in UTF-16 (code page 1252 to Unicode), without a terminator.
std::u16string ansiToUtf16(std::string_view text);

// The dialog header: controls count, bounds in dialog units (inclusive, so
// the width is right - left + 1), caption and style; a point size (and its
// face name) only when one is given. Style 2 becomes a pop-up with the
// transparent extended style; WS_CHILD alone becomes WS_POPUP | WS_CAPTION.
std::string CDLG2CHR(int nControls, int nTop, int nLeft, int nBottom, int nRight, std::string_view cCaption,
                     std::uint32_t nStyle, std::optional<int> nPointSize = std::nullopt,
                     std::string_view cFaceName = {});

// One control item: bounds, identifier, style, window class name and caption.
// Answers "" when the item cannot be allocated.
std::string CCTRL2CHR(int nTop, int nLeft, int nBottom, int nRight, int nId, std::uint32_t nStyle,
                      std::string_view cClass, std::string_view cCaption);

}  // namespace wl
