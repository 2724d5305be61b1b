// The analytics request text: URL and compact body, member order and escaping.
#include "net/analytics_body.h"

#include <gtest/gtest.h>

namespace {

TEST(AnalyticsBody, BuildsTheCollectUrlFromTheProperty) {
  EXPECT_EQ(analytics::buildCollectUrl("https://collect.example:8443", "G-AB12CD34EF", "k2ccl_Plf_osD6UP2QQNFP"),
            "https://collect.example:8443/mp/collect?measurement_id=G-AB12CD34EF&api_secret=k2ccl_Plf_osD6UP2QQNFP");
}

TEST(AnalyticsBody, IsCompactInMemberOrderWithStandardEscaping) {
  struct Case {
    const char* clientId;
    const char* name;
    const char* label;
    const char* body;
  };
  const Case cases[] = {
      {"2-95a09ebb99f6586c7785ea29f4e791e4", "ad_run", "100",
       R"({"client_id":"2-95a09ebb99f6586c7785ea29f4e791e4","events":[{"name":"ad_run","params":)"
       R"({"event_category":"3.3","event_label":"100"}}]})"},
      {"", "ad_installError", "2503_errWaitTimeout",
       R"({"client_id":"","events":[{"name":"ad_installError","params":)"
       R"({"event_category":"3.3","event_label":"2503_errWaitTimeout"}}]})"},
      {"a\"b", "x\\y", "line\nfeed\x01",
       R"({"client_id":"a\"b","events":[{"name":"x\\y","params":)"
       R"({"event_category":"3.3","event_label":"line\nfeed\u0001"}}]})"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(analytics::buildEventBody(c.clientId, c.name, c.label), c.body);
  }
}

}  // namespace
