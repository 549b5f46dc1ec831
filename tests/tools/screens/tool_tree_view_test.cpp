// A tool tree shown in a tree view: nodes become items under their parents,
// clearing empties the view, and a selected node's text goes to the main
// window's caption.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include "message_loop.hpp"
#include "tool_tree_view.hpp"
#include "window.hpp"

namespace {

// Destroys the test's window. The first window a program makes is its main
// window, whose end posts the quit message: taken off the queue here, or
// the next test's modal dialog would end as soon as it opened.
void toolTreeViewDestroy(wl::TWindow& window) {
    DestroyWindow(window.hWnd);
    MSG m;
    while (PeekMessageA(&m, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
}

}  // namespace

TEST(ToolTreeView, NodesBecomeItemsUnderTheirParentsAndClearEmptiesTheView) {
    wl::TWindow window;
    wl::WindowNew w;
    w.cTitle = "tool tree";
    window.New(w);
    wl::TTreeView view;
    wl::TreeViewNew t;
    t.oWnd = &window;
    t.bChange = [](wl::TTreeView& v) { zr::showToolNodeText(v); };
    view.New(t);
    zr::ToolTreeView tree(view);
    const zr::ToolNode root = tree.addRoot("root");
    const zr::ToolNode child = tree.addChild(root, "child");
    tree.addChild(child, "grandchild");
    EXPECT_EQ(SendMessageA(view.hWnd, TVM_GETCOUNT, 0, 0), 3);
    ASSERT_EQ(view.aItems.size(), 1u);
    ASSERT_EQ(view.aItems[0]->aItems.size(), 1u);
    EXPECT_EQ(view.aItems[0]->aItems[0]->GetText(), "child");

    // Selecting shows the text as the main window's caption.
    HWND before = wl::SETWNDAPP(window.hWnd);
    view.Select(*view.aItems[0]->aItems[0]);
    char caption[64] = {};
    GetWindowTextA(window.hWnd, caption, sizeof caption);
    EXPECT_STREQ(caption, "child");
    wl::SETWNDAPP(before);

    tree.clear();
    EXPECT_EQ(SendMessageA(view.hWnd, TVM_GETCOUNT, 0, 0), 0);
    EXPECT_EQ(tree.addRoot("again"), 1u);
    toolTreeViewDestroy(window);
}

TEST(ToolTreeView, ChildrenAddedOnDemandBecomeItemsWhenTheParentIsFirstExpanded) {
    wl::TWindow window;
    wl::WindowNew w;
    w.cTitle = "lazy tool tree";
    window.New(w);
    wl::TTreeView view;
    wl::TreeViewNew t;
    t.oWnd = &window;
    view.New(t);
    zr::ToolTreeView tree(view);
    int fills = 0;
    const zr::ToolNode root = tree.addRoot("root");
    tree.addLazyChild(root, "segment", [&fills](zr::ToolTree& t, zr::ToolNode n) {
        ++fills;
        t.addChild(t.addChild(n, "element"), "component");
    });
    wl::TTVItem& segment = *view.aItems[0]->aItems[0];
    EXPECT_EQ(fills, 0);
    ASSERT_EQ(segment.aItems.size(), 1u);  // the stand-in that gives the expand button
    EXPECT_EQ(segment.aItems[0]->GetText(), "");
    view.aItems[0]->Expand();
    segment.Expand();
    EXPECT_EQ(fills, 1);
    ASSERT_EQ(segment.aItems.size(), 1u);
    EXPECT_EQ(segment.aItems[0]->GetText(), "element");
    EXPECT_EQ(segment.aItems[0]->aItems[0]->GetText(), "component");
    segment.Collapse();
    segment.Expand();
    EXPECT_EQ(fills, 1);
    EXPECT_EQ(SendMessageA(view.hWnd, TVM_GETCOUNT, 0, 0), 4);
    toolTreeViewDestroy(window);
}

TEST(ToolTreeView, ARootFilledOnDemandStaysClosedUntilExpanded) {
    wl::TWindow window;
    wl::WindowNew w;
    w.cTitle = "lazy tool tree root";
    window.New(w);
    wl::TTreeView view;
    wl::TreeViewNew t;
    t.oWnd = &window;
    view.New(t);
    zr::ToolTreeView tree(view);
    int fills = 0;
    tree.addLazyRoot("file", [&fills](zr::ToolTree& t, zr::ToolNode n) {
        ++fills;
        t.addLazyChild(n, "segment", [](zr::ToolTree& u, zr::ToolNode s) { u.addChild(s, "element"); });
    });
    const zr::ToolNode plain = tree.addRoot("plain");
    tree.addChild(plain, "child");
    wl::TTVItem& file = *view.aItems[0];
    EXPECT_EQ(fills, 0);
    ASSERT_EQ(file.aItems.size(), 1u);  // the stand-in that gives the expand button
    EXPECT_EQ(file.aItems[0]->GetText(), "");
    // Expanding what stands leaves the deferred root closed and unread.
    tree.expandFilled();
    EXPECT_EQ(fills, 0);
    file.Expand();
    EXPECT_EQ(fills, 1);
    ASSERT_EQ(file.aItems.size(), 1u);
    EXPECT_EQ(file.aItems[0]->GetText(), "segment");
    file.Collapse();
    file.Expand();
    EXPECT_EQ(fills, 1);
    // file, segment and its stand-in, plain, child
    EXPECT_EQ(SendMessageA(view.hWnd, TVM_GETCOUNT, 0, 0), 5);
    toolTreeViewDestroy(window);
}
