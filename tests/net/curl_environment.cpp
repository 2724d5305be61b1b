// libcurl is initialised once per process, and every transfer of the test
// run trusts the loopback servers' test CA instead of the Windows store and
// may use the plain http server; tests of the https rule turn that off.
#include <curl/curl.h>
#include <gtest/gtest.h>

#include "net/curl_settings.h"
#include "tests/net/loopback.h"

namespace {

class CurlEnvironment : public testing::Environment {
 public:
  void SetUp() override {
    ASSERT_EQ(curl_global_init(CURL_GLOBAL_ALL), CURLE_OK);
    vxtest::LoopbackState state;
    ASSERT_TRUE(vxtest::loadLoopbackState(state));
    CCurlSettings::setCaBundle(state.caFile);
    CCurlSettings::setPlainHttpAllowed(true);
  }
  // No curl_global_cleanup: a reporter's worker may still be posting.
};

testing::Environment* const kCurlEnvironment = testing::AddGlobalTestEnvironment(new CurlEnvironment);

}  // namespace
