// The download routine's HTTP client: addresses, the request, the reply
// rules, and real GETs against a loopback server with hostile answers.
#include "http_get.hpp"

#include <gtest/gtest.h>

#include "loopback_http_server.hpp"

namespace {

using zrtest::LoopbackHttpServer;

zr::HttpUrl httpTestUrl(const LoopbackHttpServer& server, const std::string& path) {
    return *zr::parseHttpUrl("http://" + server.address() + path);
}

TEST(HttpGet, ParsesServerAddressesAndUrls) {
    struct Case {
        std::string text;
        bool ok;
        std::string host;
        int port;
        std::string path;
    };
    const Case cases[] = {
        {"127.0.0.1:8418", true, "127.0.0.1", 8418, "/"},
        {"examples.test", true, "examples.test", 80, "/"},
        {"http://h:81/a/b.xml", true, "h", 81, "/a/b.xml"},
        {"HTTP://H/x", true, "H", 80, "/x"},
        {"  h:9/p  ", true, "h", 9, "/p"},
        {"https://h/x", false, "", 0, ""},
        {"h:0", false, "", 0, ""},
        {"h:70000", false, "", 0, ""},
        {"h:x", false, "", 0, ""},
        {":80/x", false, "", 0, ""},
        {"", false, "", 0, ""},
    };
    for (const Case& c : cases) {
        const auto url = zr::parseHttpUrl(c.text);
        ASSERT_EQ(url.has_value(), c.ok) << c.text;
        if (!url) continue;
        EXPECT_EQ(url->host, c.host) << c.text;
        EXPECT_EQ(url->port, c.port) << c.text;
        EXPECT_EQ(url->path, c.path) << c.text;
    }
    EXPECT_EQ(zr::joinServerPath("h:1", "/a.xml"), "h:1/a.xml");
    EXPECT_EQ(zr::joinServerPath("h:1/", "qat1/source.x12"), "h:1/qat1/source.x12");
}

TEST(HttpGet, RequestCarriesHostAgentAndClose) {
    EXPECT_EQ(zr::httpGetRequest(*zr::parseHttpUrl("h:81/m.xml")),
              "GET /m.xml HTTP/1.1\r\nHost: h:81\r\nUser-Agent: Mozilla/3.0 compatible\r\n"
              "Connection: close\r\n\r\n");
    EXPECT_EQ(zr::httpGetRequest(*zr::parseHttpUrl("h")).substr(0, 29), "GET / HTTP/1.1\r\nHost: h\r\nUser");
}

TEST(HttpGet, ReplyRules) {
    struct Case {
        std::string bytes;
        bool ok;
        int status;
        std::string body;
    };
    const Case cases[] = {
        {"HTTP/1.1 200 OK\r\nContent-Length: 3\r\n\r\nabc", true, 200, "abc"},
        {"HTTP/1.1 200 OK\r\ncontent-length:  3 \r\n\r\nabcdef", true, 200, "abc"},
        {"HTTP/1.0 404 Not Found\r\n\r\n<html>gone</html>", true, 404, "<html>gone</html>"},
        {"HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n3\r\nabc\r\nA;x=1\r\n0123456789\r\n0\r\n\r\n", true, 200,
         "abc0123456789"},
        {"HTTP/1.1 200 OK\r\nContent-Length: 0\r\n\r\n", true, 200, ""},
        {std::string("HTTP/1.1 200 OK\r\n\r\n\0\xff\r\n", 23), true, 200, std::string("\0\xff\r\n", 4)},
        // cut short: the length or the last chunk never arrives
        {"HTTP/1.1 200 OK\r\nContent-Length: 10\r\n\r\nabc", false, 0, ""},
        {"HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n3\r\nabc\r\n", false, 0, ""},
        {"HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n9\r\nabc", false, 0, ""},
        {"HTTP/1.1 200 OK\r\nContent-Length: 3\r\n", false, 0, ""},
        // not HTTP at all
        {"", false, 0, ""},
        {"hello\r\n\r\nbody", false, 0, ""},
        {"HTTP/1.1 2x0 OK\r\n\r\n", false, 0, ""},
        {"HTTP/1.1 200 OK\r\nContent-Length: -1\r\n\r\n", false, 0, ""},
    };
    for (const Case& c : cases) {
        const auto reply = zr::parseHttpReply(c.bytes);
        ASSERT_EQ(reply.has_value(), c.ok) << c.bytes;
        if (!reply) continue;
        EXPECT_EQ(reply->status, c.status) << c.bytes;
        EXPECT_EQ(reply->body, c.body) << c.bytes;
    }
}

TEST(HttpGet, GetsBodiesFromLoopbackServer) {
    LoopbackHttpServer server;
    server.set("/manifest.xml", 200, "<QATEST><NAME>1</NAME></QATEST>");
    server.set("/chunked", LoopbackHttpServer::Answer{
                               "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n4\r\nISA*\r\n2\r\n00\r\n0\r\n\r\n"});
    const std::string big(300000, 'x');
    server.set("/big", 200, big);

    auto got = zr::httpGet(httpTestUrl(server, "/manifest.xml"));
    ASSERT_TRUE(got.connected) << got.error;
    ASSERT_TRUE(got.reply);
    EXPECT_EQ(got.reply->status, 200);
    EXPECT_EQ(got.reply->body, "<QATEST><NAME>1</NAME></QATEST>");

    got = zr::httpGet(httpTestUrl(server, "/chunked"));
    ASSERT_TRUE(got.reply);
    EXPECT_EQ(got.reply->body, "ISA*00");

    got = zr::httpGet(httpTestUrl(server, "/big"));
    ASSERT_TRUE(got.reply);
    EXPECT_EQ(got.reply->body, big);

    const auto requests = server.requests();
    ASSERT_EQ(requests.size(), 3u);
    EXPECT_EQ(requests[0], "GET /manifest.xml HTTP/1.1\r\nHost: " + server.address() +
                               "\r\nUser-Agent: Mozilla/3.0 compatible\r\nConnection: close\r\n\r\n");
}

TEST(HttpGet, HostileAnswersAreNotTakenForFiles) {
    LoopbackHttpServer server;
    server.set("/500", 500, "<html>boom</html>");
    server.set("/cut", LoopbackHttpServer::Answer{LoopbackHttpServer::reply(200, std::string(1000, 'y')), 0, true});
    server.set("/slow", LoopbackHttpServer::Answer{LoopbackHttpServer::reply(200, "late"), 1500, false});

    auto got = zr::httpGet(httpTestUrl(server, "/missing"));
    ASSERT_TRUE(got.reply);
    EXPECT_EQ(got.reply->status, 404);
    EXPECT_FALSE(zr::httpSuccess(got.reply->status));

    got = zr::httpGet(httpTestUrl(server, "/500"));
    ASSERT_TRUE(got.reply);
    EXPECT_EQ(got.reply->status, 500);

    got = zr::httpGet(httpTestUrl(server, "/cut"));
    EXPECT_TRUE(got.connected);
    EXPECT_FALSE(got.reply) << "a cut reply is not a whole file";

    got = zr::httpGet(httpTestUrl(server, "/slow"), 200);
    EXPECT_TRUE(got.connected);
    EXPECT_FALSE(got.reply) << "a reply that does not come in time is nothing";
}

TEST(HttpGet, RefusedConnectionGivesErrorText) {
    int port = 0;
    {
        LoopbackHttpServer gone;
        port = gone.port();
    }
    const auto got = zr::httpGet(*zr::parseHttpUrl("127.0.0.1:" + std::to_string(port)), 2000);
    EXPECT_FALSE(got.connected);
    EXPECT_FALSE(got.error.empty());
    EXPECT_FALSE(got.reply);
}

}  // namespace
