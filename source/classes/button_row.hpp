// A row of push buttons placed in pixels along a dialog's foot, left to
// right, six pixels apart; the row owns them for the dialog's life.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "button.hpp"

namespace wl {

class ButtonRow {
public:
    ButtonRow(TWindow& owner, int row, int width, int height)
        : owner_(owner), row_(row), width_(width), height_(height) {}

    TButton& Add(const std::string& caption, std::function<void(TWindow&)> action) {
        ButtonNew b;
        b.nRow = row_, b.nCol = col_, b.lPixel = true;
        b.nWidth = width_, b.nHeight = height_;
        b.cCaption = caption;
        b.oWnd = &owner_;
        b.bAction = std::move(action);
        buttons_.push_back(std::make_unique<TButton>());
        buttons_.back()->New(b);
        col_ += width_ + 6;
        return *buttons_.back();
    }

private:
    TWindow& owner_;
    int row_, width_, height_, col_ = 10;
    std::vector<std::unique_ptr<TButton>> buttons_;
};

}  // namespace wl
