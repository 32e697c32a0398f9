// The address Run hands to the mail program.
#include <gtest/gtest.h>

#include "engine/text/mail_address.h"

namespace tallyman {
namespace {

struct MailCase {
  const wchar_t* target;
  const wchar_t* address;  // nullptr: no address
};

class BareMailAddressTest : public ::testing::TestWithParam<MailCase> {};

TEST_P(BareMailAddressTest, KeepsOneAddressWithoutParameters) {
  const MailCase& c = GetParam();
  const std::optional<Text> address = BareMailAddress(c.target);
  if (c.address == nullptr) {
    EXPECT_FALSE(address) << *address;
  } else {
    ASSERT_TRUE(address);
    EXPECT_EQ(*address, c.address);
  }
}

INSTANTIATE_TEST_SUITE_P(Targets, BareMailAddressTest,
                         ::testing::Values(MailCase{L"ann@example.org", L"ann@example.org"},
                                           MailCase{L"MailTo:ann@example.org", L"ann@example.org"},
                                           MailCase{L"x@y.com?attach=/etc/passwd", L"x@y.com"},
                                           MailCase{L"mailto:x@y.com?subject=a&attach=~/.ssh/id_rsa", L"x@y.com"},
                                           MailCase{L"иван@пример.рф", L"иван@пример.рф"}, MailCase{L"@y.com", nullptr},
                                           MailCase{L"mailto:@y.com", nullptr},
                                           MailCase{L"mailto:?to=x@y.com", nullptr}, MailCase{L"x@", nullptr},
                                           MailCase{L"x@y@z", nullptr},
                                           MailCase{L"x%3Fattach=/etc/passwd@y.com", nullptr},
                                           MailCase{L"x@y.com,z@w.org", nullptr}, MailCase{L"Ann <x@y.com>", nullptr},
                                           MailCase{L"x@y.com\nattach", nullptr}));

}  // namespace
}  // namespace tallyman
