#include "mapping_tool_window.hpp"

#include <vector>

#include "generator_dialogs.hpp"
#include "mapping_tool.hpp"
#include "programs.hpp"
#include "system_facts.hpp"
#include "viewer_dialog.hpp"

namespace zr {

namespace {

// A static control breaks lines at CR LF; the description ends its lines
// with LF CR.
std::string shownDescription(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text.compare(i, 2, "\n\r") == 0) {
            out += "\r\n";
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

// A row keeps the LF that followed the CR before it; the browse draws a
// control character as a box, so the row is shown without it.
std::string shownRow(std::string row) {
    std::erase(row, '\n');
    return row;
}

class MappingTool {
public:
    MappingTool(const std::string& flag, const MappingToolHooks& hooks) : flag_(flag), hooks_(hooks) {
        files_ = CTLD48600J("*.cfg");
        fileList_ = &d_.arrayList(5, 10, 180, 50, "Configuration Files",
                                  [this](std::size_t i) { return CTLD48600M(files_, i); },
                                  [this] { return static_cast<int>(files_.size()); });
        d_.button(5, 250, 40, 10, "Exit", [this] { d_.close(); });
        d_.button(20, 250, 40, 11, "Notepad", [this] { notepad(); });
        d_.button(5, 200, 40, 11, "Review", [this] { review(); });
        d_.button(20, 200, 40, 11, "Generate", [this] { generate(); });
        rowList_ = &d_.arrayList(64, 9.6, 268.8, 96, "Row File Data",
                                 [this](std::size_t i) { return shownRow(CTL48600F(rows_, i)); },
                                 [this] { return static_cast<int>(rows_.size()); });
        rowList_->bChange = [this](wl::TControl&) { describe(); };
        currentLabel_ = &d_.label(170, 10, 280, 10, [this] { return CTL48600G(current_) + note_; });
        descriptionLabel_ = &d_.label(5, 300, 120, 180, [this] { return shownDescription(description_); });
    }

    void run() {
        static const ViewerUi ui;
        d_.run(ui, {});
    }

private:
    std::string fileUnderCursor() const { return CTLD48600K("", files_, static_cast<std::size_t>(fileList_->nAt)); }

    void notepad() {
        const std::string name = fileUnderCursor();
        if (!name.empty()) {
            const std::string command = mapNotepadCommand(wl::GETWINDIR(), name);
            if (hooks_.start)
                hooks_.start(command);
            else
                wl::WINEXEC(command);
        }
        d_.close();
    }

    void review() {
        const std::string name = fileUnderCursor();
        if (name.empty()) return;
        rows_ = CTLD48600N(name);
        current_ = name;
        // A last line without a line break is left out; the user is told so.
        note_ = unlistedLastLineNote(name).empty() ? "" : "  (" + unlistedLastLineNote(name) + ")";
        rowList_->GoTop();
        rowList_->Display();
        describe();
        currentLabel_->Refresh();
    }

    void generate() {
        current_ = hooks_.generate ? hooks_.generate(flag_, current_, "X12N") : CTL48600B(flag_, current_, "X12N");
        note_.clear();
        files_ = CTLD48600J("*.cfg");
        fileList_->GoTop();
        fileList_->Display();
        currentLabel_->Refresh();
    }

    void describe() {
        description_ = CTLD48600O(rows_, static_cast<std::size_t>(rowList_->nAt));
        // The browse reports its position while the dialog is still being built.
        if (descriptionLabel_) descriptionLabel_->Refresh();
    }

    std::string flag_;
    const MappingToolHooks& hooks_;
    ViewerDialog d_{"Parser Mapping Tool", 840, 360};
    std::vector<std::string> files_, rows_;
    std::string current_, note_, description_;
    wl::TWBrowse* fileList_ = nullptr;
    wl::TWBrowse* rowList_ = nullptr;
    wl::TSay* currentLabel_ = nullptr;
    wl::TSay* descriptionLabel_ = nullptr;
};

}  // namespace

void CTLD48600(const std::string& flag, const std::string& /*kind*/, const MappingToolHooks& hooks) {
    MappingTool tool(flag, hooks);
    tool.run();
}

}  // namespace zr
