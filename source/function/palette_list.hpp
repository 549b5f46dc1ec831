// The list of bitmaps that carry their own palette, for screens of 256
// colours or fewer: one record {window, palette, bitmap} per bitmap, one of
// them the foreground record, and whether the system has asked for a new
// palette since start. Handles are plain numbers here; the native layer
// realizes palettes and invalidates windows as the answers say.
#pragma once

#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

namespace wl {

class PaletteList {
public:
    struct Record {
        std::uintptr_t window = 0, palette = 0, bitmap = 0;
    };

    // Enters the bitmap: replaces its record, else reuses a free one (bitmap 0),
    // else adds one; with a window and a palette it becomes the foreground.
    void enter(std::uintptr_t window, std::uintptr_t bitmap, std::uintptr_t palette);

    // The foreground record, if any.
    std::optional<Record> foreground() const;
    bool asked() const { return asked_; }
    void noteAsked() { asked_ = true; }

    // Makes the bitmap's record the foreground. `invalidate` receives the
    // window to repaint (only when the system has asked for palettes). The
    // answer: {bitmap, palette} of the foreground after the call when there
    // was one before, else nothing.
    std::optional<std::pair<std::uintptr_t, std::uintptr_t>> setForeground(std::uintptr_t bitmap,
                                                                           std::uintptr_t palette,
                                                                           std::uintptr_t* invalidate);

    // WM_PALETTECHANGED caused by `window`: the windows to repaint.
    std::vector<std::uintptr_t> paletteChanged(std::uintptr_t window);

    // Frees the bitmap's record; answers it (its palette and bitmap are
    // the caller's to delete).
    std::optional<Record> release(std::uintptr_t bitmap);

    const std::vector<Record>& records() const { return records_; }

private:
    std::vector<Record> records_;
    std::optional<std::size_t> foreground_;
    bool asked_ = false;
};

}  // namespace wl
