#include "core/editor/WebAddress.h"

#include <gtest/gtest.h>

namespace lk {
namespace {

struct AddressCase
{
    const char* name;
    std::u16string address;
    std::optional<std::string> opened;
};

class WebAddressTest : public ::testing::TestWithParam<AddressCase>
{};

TEST_P(WebAddressTest, OpensOnlyWebAddresses)
{
    EXPECT_EQ(WebAddressToOpen(GetParam().address), GetParam().opened);
}

INSTANTIATE_TEST_SUITE_P(
    Schemes, WebAddressTest,
    ::testing::Values(
        AddressCase{"Http", u"http://example.com/?LedgerAt=Mail", "http://example.com/?LedgerAt=Mail"},
        AddressCase{"Https", u"https://example.com?LedgerAt=Mail", "https://example.com?LedgerAt=Mail"},
        AddressCase{"SchemeInCapitals", u"HTTPS://example.com?LedgerAt=A", "HTTPS://example.com?LedgerAt=A"},
        AddressCase{"NoSchemeGetsHttp", u"www.example.com?LedgerAt=Mail", "http://www.example.com?LedgerAt=Mail"},
        AddressCase{"HostWithPortIsNoScheme", u"example.com:8080/x?LedgerAt=A", "http://example.com:8080/x?LedgerAt=A"},
        AddressCase{"LocalhostWithPort", u"localhost:8080?LedgerAt=A", "http://localhost:8080?LedgerAt=A"},
        AddressCase{"NameWithBlanksAndAmpersand", u"example.com?LedgerAt=A & B", "http://example.com?LedgerAt=A & B"},
        AddressCase{"NonAsciiName", u"example.com?LedgerAt=\u00C4rzte", "http://example.com?LedgerAt=\xC3\x84rzte"},
        AddressCase{"Javascript", u"javascript:alert(1)?LedgerAt=A", std::nullopt},
        AddressCase{"JavascriptInCapitals", u"JavaScript:alert(1)?LedgerAt=A", std::nullopt},
        AddressCase{"File", u"file:///etc/passwd?LedgerAt=A", std::nullopt},
        AddressCase{"Mailto", u"mailto:me@example.com?LedgerAt=A", std::nullopt},
        AddressCase{"Ftp", u"ftp://example.com?LedgerAt=A", std::nullopt},
        AddressCase{"Data", u"data:text/html,hi?LedgerAt=A", std::nullopt},
        AddressCase{"EmptyUrl", u"?LedgerAt=A", std::nullopt},
        AddressCase{"HttpWithoutHost", u"http://?LedgerAt=A", std::nullopt},
        AddressCase{"HttpWithoutSlashes", u"http:example.com?LedgerAt=A", std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

struct BlankCase
{
    const char* name;
    std::u16string url;
    std::u16string trimmed;
};

class SurroundingBlanksTest : public ::testing::TestWithParam<BlankCase>
{};

TEST_P(SurroundingBlanksTest, DropsOnlyTheBlanksAroundTheUrl)
{
    EXPECT_EQ(WithoutSurroundingBlanks(GetParam().url), GetParam().trimmed);
}

INSTANTIATE_TEST_SUITE_P(Urls, SurroundingBlanksTest,
                         ::testing::Values(BlankCase{"None", u"http://x.example", u"http://x.example"},
                                           BlankCase{"Leading", u"  http://x.example", u"http://x.example"},
                                           BlankCase{"Trailing", u"http://x.example \t", u"http://x.example"},
                                           BlankCase{"LineBreaks", u"\r\nx.example\n", u"x.example"},
                                           BlankCase{"InsideKept", u" http://x.example/a b ", u"http://x.example/a b"},
                                           BlankCase{"OnlyBlanks", u"   ", u""}, BlankCase{"Empty", u"", u""},
                                           BlankCase{"NoBreakSpaceIsNoBlank", u"\u00A0x.example", u"\u00A0x.example"}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace lk
