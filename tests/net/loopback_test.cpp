// The loopback servers as a Windows client sees them: plain Winsock
// requests reach the package server, and the collector keeps exact bodies.
#include <winsock2.h>
#include <ws2tcpip.h>

#include <gtest/gtest.h>

#include <string>

#include "tests/net/loopback.h"

namespace {

// Sends request to 127.0.0.1:port and returns everything received until the
// server closes the connection.
std::string roundTrip(int port, const std::string& request) {
  SOCKET s = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_port = ::htons(static_cast<u_short>(port));
  addr.sin_addr.s_addr = ::htonl(INADDR_LOOPBACK);
  std::string reply;
  if (::connect(s, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0 &&
      ::send(s, request.data(), static_cast<int>(request.size()), 0) == static_cast<int>(request.size())) {
    char buf[65536];
    for (int n; (n = ::recv(s, buf, sizeof buf, 0)) > 0;) reply.append(buf, n);
  }
  ::closesocket(s);
  return reply;
}

std::string bodyOf(const std::string& reply) {
  size_t end = reply.find("\r\n\r\n");
  return end == std::string::npos ? std::string() : reply.substr(end + 4);
}

class LoopbackServers : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    WSADATA data;
    ::WSAStartup(MAKEWORD(2, 2), &data);
  }
  static void TearDownTestSuite() { ::WSACleanup(); }
  void SetUp() override { ASSERT_TRUE(vxtest::loadLoopbackState(state_)); }

  vxtest::LoopbackState state_;
};

TEST_F(LoopbackServers, ServeTheDeterministicContentWithoutLength) {
  std::string reply = roundTrip(state_.httpPort, "GET /nolength/70000 HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n");
  EXPECT_EQ(reply.find("Content-Length"), std::string::npos);
  EXPECT_EQ(bodyOf(reply), vxtest::patternBytes(70000));
}

TEST_F(LoopbackServers, RecordExactPostBodiesAndHeaders) {
  const std::string prefix = vxtest::uniquePrefix();
  const std::string body("{\"a\":\"\x01\xff\"}\0tail", 15);
  roundTrip(state_.httpPort, "POST " + prefix +
                                 "/mp/collect?measurement_id=G-1 HTTP/1.1\r\n"
                                 "Host: 127.0.0.1\r\nX-Probe: yes\r\nConnection: close\r\nContent-Length: " +
                                 std::to_string(body.size()) + "\r\n\r\n" + body);
  auto records = vxtest::waitForRecords(state_, prefix, 1);
  ASSERT_EQ(records.size(), 1u);
  EXPECT_EQ(records[0].method, "POST");
  EXPECT_EQ(records[0].path, prefix + "/mp/collect");
  EXPECT_EQ(records[0].query, "measurement_id=G-1");
  EXPECT_EQ(records[0].header("x-probe"), "yes");
  EXPECT_EQ(records[0].body, body);
}

}  // namespace
