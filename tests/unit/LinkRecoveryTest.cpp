#include <gtest/gtest.h>

#include "base/Punycode.h"
#include "portal/LinkRecovery.h"

namespace ruvo {
namespace {

EngineUrl Private(const char* scheme, const char* host, const char* afterHost = "") {
    EngineUrl url;
    url.scheme = scheme;
    url.host = host;
    url.afterHost = afterHost;
    return url;
}

TEST(LinkRecovery, PunycodeHostsComeBackAsWritten) {
    EXPECT_EQ(DecodePunycode("12-0-0--hg6pu15bet6d"), "12-0-0-海贼王");
    EXPECT_EQ(DecodePunycode("27-0-1---mh8nn8hc8sis0i"), "27-0-1-城市-夜色");
    EXPECT_EQ(RecoverLinkText(Private("eebovod", "xn--12-0-0--hg6pu15bet6d")), "eebovod://12-0-0-海贼王");
    EXPECT_FALSE(DecodePunycode("!!"));
}

TEST(LinkRecovery, NumericHostsComeBackAsNumbers) {
    EXPECT_EQ(RecoverLinkText(Private("open", "0.0.0.3")), "open://3");
    EXPECT_EQ(RecoverLinkText(Private("delk", "0.0.0.3", "/")), "delk://3/");
    EXPECT_EQ(RecoverLinkText(Private("open", "0.0.1.0")), "open://256");
}

TEST(LinkRecovery, InvalidAddressesComeBackFromTheErrorText) {
    EngineUrl url;
    url.valid = false;
    url.errorString = R"(Invalid hostname (contains invalid characters); source was "eetvs://news&&&ch=1"; host = "")";
    EXPECT_EQ(RecoverLinkText(url), "eetvs://news&&&ch=1");
    url.errorString = "no source here";
    EXPECT_EQ(RecoverLinkText(url), "");
}

TEST(LinkRecovery, OnlyUtf8EscapesOfNonAsciiAreDecoded) {
    EXPECT_EQ(RecoverLinkText(Private("eeshow", "show", "/%E4%B8%AD%3A%u6D77")), "eeshow://show/中%3A%u6D77");
    EXPECT_EQ(DecodeUtf8Escapes("%E4%B8"), "%E4%B8");  // half a character stays escaped
    EXPECT_EQ(DecodeUtf8Escapes("%41%"), "%41%");
}

TEST(LinkRecovery, OrdinaryAddressesStayAsTheEngineWroteThem) {
    EngineUrl url = Private("http", "127.0.0.1", "/box/");
    url.encodedText = "http://127.0.0.1/box/";
    EXPECT_EQ(RecoverLinkText(url), "http://127.0.0.1/box/");
}

}  // namespace
}  // namespace ruvo
