// A DDE conversation between two windows of the test: the server window
// accepts the initiate and runs the command; the client's Execute waits for
// the acknowledgement, boundedly when the server never answers.
#include "dde.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "message_loop.hpp"
#include "test_support.hpp"
#include "window.hpp"

namespace {

struct Win {
    wl::TWindow w;
    explicit Win(const std::string& title) {
        wl::WindowNew n;
        n.lPixel = true;
        n.nBottom = 80;
        n.nRight = 120;
        n.cTitle = title;
        w.New(n);
    }
};

TEST(DdeTest, ConversationBetweenTwoWindows) {
    Win client("client"), server("server");
    std::vector<std::string> heard;
    server.w.bDdeInit = [&](HWND from, const std::string& app, const std::string& topic) -> std::optional<bool> {
        heard.push_back("init " + app + "|" + topic);
        return from == client.w.hWnd && app == "ZRTESTSERVICE";
    };
    server.w.bDdeExecute = [&](HWND, const std::string& command) { heard.push_back("exec " + command); };

    int ended = 0;
    auto dde = wl::TDde::New("ZRTESTSERVICE", "Claims", "", {}, [&] { ++ended; }, &client.w);
    EXPECT_TRUE(dde->Activate());
    EXPECT_EQ(dde->hWndServer, server.w.hWnd);
    EXPECT_EQ(wl::DDESTATE(), wl::kDdeAcknowledged);

    EXPECT_TRUE(dde->Execute("[Open(\"claims.x12\")]"));
    EXPECT_EQ(heard.back(), "exec [Open(\"claims.x12\")]");

    dde->End();
    wl::SYSREFRESH();
    wl::SYSREFRESH();
    EXPECT_EQ(ended, 1);
    EXPECT_FALSE(dde->lActive);
    dde->End();
    EXPECT_EQ(ended, 1);
}

TEST(DdeTest, ServiceNobodyServesStaysInactive) {
    Win client("client");
    auto dde = wl::TDde::New("ZRNOSUCHSERVICE", "Topic", "", {}, {}, &client.w);
    EXPECT_FALSE(dde->Activate());
    zrtest::PromptRecorder prompts;
    EXPECT_FALSE(dde->Execute("x"));
    ASSERT_EQ(prompts.texts().size(), 1u);
    EXPECT_EQ(prompts.texts()[0], "DDE Object not properly initialized!");
}

// A server that takes the command but never acknowledges it: the client
// gives up after its bounded wait instead of hanging.
class SilentServer : public wl::TWindow {
public:
    int executes = 0;
    wl::Answer DdeExecute(WPARAM, LPARAM) override {
        ++executes;
        return 0;
    }
};

TEST(DdeTest, ExecuteWaitIsBounded) {
    Win client("client");
    SilentServer server;
    wl::WindowNew n;
    n.lPixel = true;
    n.nBottom = 50;
    n.nRight = 50;
    server.New(n);
    server.bDdeInit = [](HWND, const std::string& app, const std::string&) -> std::optional<bool> {
        return app == "ZRSILENT";
    };
    auto dde = wl::TDde::New("ZRSILENT", "T", "", {}, {}, &client.w);
    ASSERT_TRUE(dde->Activate());
    const DWORD start = GetTickCount();
    EXPECT_FALSE(dde->Execute("never answered", 300));
    EXPECT_LT(GetTickCount() - start, 5000u);
    EXPECT_EQ(server.executes, 1);
}

}  // namespace
