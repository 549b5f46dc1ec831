#include "go_to_dialog.hpp"

#include "button.hpp"
#include "dialog.hpp"
#include "get.hpp"

namespace wl {

std::optional<int> GoToLineDialog(TWindow* owner, int currentLine) {
    Value row(currentLine);
    std::optional<int> chosen;
    TDialog d;
    DialogNew dn;
    dn.lPixel = true;
    dn.nTop = 5 * 16;
    dn.nLeft = 5 * 8;
    dn.nBottom = 10 * 16 + 20;
    dn.nRight = 29 * 8 + 20;
    dn.cCaption = "Go To";
    dn.oWnd = owner;
    d.New(dn);
    TSay label;
    SayNew sn;
    sn.oWnd = &d;
    sn.lPixel = true;
    sn.nRow = 12;
    sn.nCol = 10;
    sn.nWidth = 40;
    sn.nHeight = 16;
    sn.bText = [] { return Value("Line:"); };
    label.New(sn);
    TGet number;
    GetNew gn;
    gn.oWnd = &d;
    gn.lPixel = true;
    gn.nRow = 10;
    gn.nCol = 55;
    gn.nWidth = 60;
    gn.nHeight = 22;
    gn.cPicture = "99999";
    gn.bSetGet = bindTo(row);
    number.New(gn);
    TButton ok, cancel;
    ButtonNew bn;
    bn.oWnd = &d;
    bn.lPixel = true;
    bn.nRow = 45;
    bn.nCol = 10;
    bn.nWidth = 64;
    bn.nHeight = 24;
    bn.cCaption = "&Ok";
    bn.lDefault = true;
    bn.bAction = [&](TWindow&) {
        number.Assign();
        chosen = static_cast<int>(row.number());
        d.End(1);
    };
    ok.New(bn);
    bn.nCol = 90;
    bn.cCaption = "&Cancel";
    bn.lDefault = false;
    bn.lCancel = true;
    bn.bAction = [&](TWindow&) { d.End(2); };
    cancel.New(bn);
    DialogActivate act;
    act.lCentered = true;
    d.Activate(act);
    return chosen;
}

}  // namespace wl
