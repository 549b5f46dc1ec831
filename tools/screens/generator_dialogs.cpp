#include "generator_dialogs.hpp"

#include <array>

#include "map_generator.hpp"
#include "text.hpp"
#include "viewer_dialog.hpp"

namespace zr {

namespace {

const ViewerUi& noObserver() {
    static const ViewerUi ui;
    return ui;
}

struct Choice {
    double row, col;
    const char* caption;
    int value;
};

// A dialog of buttons, each closing it with its value; "Exit" (when given a
// place) and the close box give 0.
int chooseOne(const std::string& caption, double width, double height, const Choice* first, std::size_t count,
              double buttonWidth, bool withExit) {
    ViewerDialog d(caption, width, height);
    int chosen = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const Choice& c = first[i];
        d.button(c.row, c.col, buttonWidth, 11, c.caption, [&d, &chosen, value = c.value] {
            chosen = value;
            d.close();
        });
    }
    if (withExit) d.button(10, 230, 50, 11, "Exit", [&d] { d.close(); });
    d.run(noObserver(), {});
    return chosen;
}

}  // namespace

int CTL48600C() {
    static constexpr std::array<Choice, 12> kChoices = {{
        {10, 10, "270 Eligibility Inquiry", 5},
        {30, 10, "271 Eligibility Response", 6},
        {50, 10, "276 Claim Status", 3},
        {70, 10, "277 Status Response", 4},
        {90, 10, "278 Review Request", 7},
        {110, 10, "278 Review Response", 8},
        {10, 120, "837 Institutional Claim", 1},
        {30, 120, "837 Professional Claim", 10},
        {50, 120, "837 Dental Claim", 11},
        {70, 120, "835 Remittance Advice", 2},
        {90, 120, "834 Enrollment", 9},
        {110, 120, "820 Payment Order", 12},
    }};
    return chooseOne("Generate X12N Configuration", 600, 360, kChoices.data(), kChoices.size(), 100, true);
}

int CTL48600E() {
    static constexpr std::array<Choice, 3> kChoices = {{
        {10, 10, "Transaction Based", 3},
        {30, 10, "Version Specific 5010", 2},
        {50, 10, "Version Secific 4010", 1},
    }};
    return chooseOne("Select x12 Version Mapping Option", 400, 150, kChoices.data(), kChoices.size(), 150, false);
}

std::string CTL48600T() {
    static constexpr std::array<const char*, 6> kGroups = {
        "X12C Communications and Controls", "X12F Finance", "X12G Government",
        "X12I Transportation",              "X12M Supply Chain", "X12N Insurance",
    };
    std::array<Choice, 6> choices{};
    for (std::size_t i = 0; i < kGroups.size(); ++i)
        choices[i] = {10.0 + 20.0 * static_cast<double>(i), 10, kGroups[i], static_cast<int>(i + 1)};
    const int chosen = chooseOne("Set Industry Type", 600, 300, choices.data(), choices.size(), 150, true);
    return chosen > 0 ? std::string(kGroups[static_cast<std::size_t>(chosen - 1)]).substr(0, 4) : "";
}

std::string CTL48600D(const std::string& question, const std::string& defaultCount) {
    std::string count = defaultCount;
    ViewerDialog d(question, 400, 100);
    d.edit(10, 10, 50, 10, wl::bindTo(count));
    d.button(10, 70, 50, 11, "Continue", [&d] { d.close(); });
    d.run(noObserver(), {});
    return count;
}

std::string CTLD48600H(const std::string& name, const std::string& text) {
    std::string edited = wl::padRight(name, 255);
    ViewerDialog d("Save Map", 600, 100);
    const std::string presence = saveMapPresence(name);
    d.label(5, 10, 80, 10, [presence] { return presence; });
    d.edit(5, 95, 190, 10, wl::bindTo(edited));
    d.button(25, 10, 50, 11, "Continue", [&] {
        saveMapContinue(edited, text);
        d.close();
    });
    d.button(25, 70, 50, 11, "Cancel", [&d] { d.close(); });
    d.run(noObserver(), {});
    return wl::alltrim(edited);
}

std::pair<int, std::string> CTL48600U(const std::string& /*flag*/, const std::string& kind) {
    std::string version = "005", release = "050", industry(6, ' ');
    std::pair<int, std::string> result{0, ""};
    ViewerDialog d("Generate " + kind + " Map", 600, 300);
    const std::array<std::pair<std::string*, const char*>, 3> fields = {
        {{&version, ": Version"}, {&release, ": Release"}, {&industry, ": Industry ID"}}};
    double row = 5;
    for (const auto& [value, label] : fields) {
        d.edit(row, 10, 20, 10, wl::bindTo(*value));
        d.label(row, 30, 80, 10, [label] { return std::string(label); });
        row += 15;
    }
    d.button(10, 230, 50, 11, "Exit", [&d] { d.close(); });
    if (kind == "X12M")
        d.button(20, 90, 130, 11, "832 Price/Sales Catalog", [&] {
            result = {1, otherIndustryMapName(version, release, industry)};
            d.close();
        });
    d.run(noObserver(), {});
    return result;
}

OtherIndustryDialogs otherIndustryDialogs() {
    OtherIndustryDialogs d;
    d.otherIndustry = CTL48600U;
    d.count = CTL48600D;
    d.saveMap = CTLD48600H;
    return d;
}

std::string CTL48600B(const std::string& flag, const std::string& currentName, const std::string& kind) {
    GeneratorDialogs dialogs;
    dialogs.transaction = CTL48600C;
    dialogs.scheme = CTL48600E;
    dialogs.count = CTL48600D;
    dialogs.otherIndustry = CTL48600U;
    dialogs.saveMap = CTLD48600H;
    return generateMap(flag, currentName, kind, dialogs, currentMapClock());
}

}  // namespace zr
