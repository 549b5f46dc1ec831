#include "verify_dialogs.hpp"

#include <array>

#include "map_verify.hpp"
#include "viewer_dialog.hpp"

namespace zr {

std::string CTL48600Y() {
    static constexpr std::array<const char*, 4> kTypes = {"837I", "837P", "837D", "835"};
    static const ViewerUi ui;
    std::string chosen;
    ViewerDialog d("Set Source File Type", 400, 200);
    double row = 10;
    for (const char* type : kTypes) {
        d.button(row, 10, 150, 11, type, [&d, &chosen, type] {
            chosen = type;
            d.close();
        });
        row += 20;
    }
    d.run(ui, {});
    return chosen;
}

void CTL48600V() { verifyMap({CTL48600Y}, currentMapClock()); }

}  // namespace zr
