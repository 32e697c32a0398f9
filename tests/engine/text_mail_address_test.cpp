// The address Run hands to the mail program.
#include <gtest/gtest.h>

#include "engine/text/mail_address.h"

namespace tallyman {
namespace {

TEST(BareMailAddress, KeepsOneAddressWithoutParameters) {
  struct Case {
    const wchar_t* target;
    const wchar_t* address;  // nullptr: no address
  };
  const Case cases[] = {
      {L"ann@example.org", L"ann@example.org"},
      {L"MailTo:ann@example.org", L"ann@example.org"},
      {L"x@y.com?attach=/etc/passwd", L"x@y.com"},
      {L"mailto:x@y.com?subject=a&attach=~/.ssh/id_rsa", L"x@y.com"},
      {L"иван@пример.рф", L"иван@пример.рф"},
      {L"@y.com", nullptr},
      {L"mailto:?to=x@y.com", nullptr},
      {L"x@", nullptr},
      {L"x@y@z", nullptr},
      {L"x%3Fattach=/etc/passwd@y.com", nullptr},
      {L"x@y.com,z@w.org", nullptr},
      {L"Ann <x@y.com>", nullptr},
      {L"x@y.com\nattach", nullptr},
  };
  for (const Case& c : cases) {
    const std::optional<Text> address = BareMailAddress(c.target);
    EXPECT_EQ(address.value_or(L"(none)"), c.address ? c.address : L"(none)") << ToUtf8(c.target);
  }
}

}  // namespace
}  // namespace tallyman
