// Splitting a command line the way Windows does.
#include <gtest/gtest.h>

#include <vector>

#include "platform/process.h"

namespace {

struct SplitCase {
  std::string line;
  std::vector<std::string> expected;
};

TEST(SplitCommandLine, FollowsTheWindowsRules) {
  std::vector<SplitCase> cases = {
      {"", {}},
      {" \t ", {}},
      {"prog", {"prog"}},
      {"prog a b", {"prog", "a", "b"}},
      {"  prog \t a\t\tb  ", {"prog", "a", "b"}},
      // The program name: quoted up to the next quote, backslashes literal.
      {"\"C:\\Program Files\\x.exe\" -jar y", {"C:\\Program Files\\x.exe", "-jar", "y"}},
      {"\"a\\\"b c", {"a\\", "b", "c"}},
      {"\"a b\"c d", {"a b", "c", "d"}},
      {"\"unterminated name", {"unterminated name"}},
      {"C:\\dir\\prog.exe x", {"C:\\dir\\prog.exe", "x"}},
      {"pro\"g a", {"pro\"g", "a"}},
      // Quotes group and disappear.
      {"p \"a b\" c", {"p", "a b", "c"}},
      {"p a\"b c\"d", {"p", "ab cd"}},
      {"p \"\"", {"p", ""}},
      {"p \"\" x", {"p", "", "x"}},
      {"p \"open to the end", {"p", "open to the end"}},
      {"p \"tab\tinside\"", {"p", "tab\tinside"}},
      // Backslashes before a quote: 2n give n and the quote groups, 2n+1
      // give n and a literal quote; elsewhere they are literal.
      {"p \\\"a\\\"", {"p", "\"a\""}},
      {"p a\\\\\"b c\"", {"p", "a\\b c"}},
      {"p a\\\\\\\\\"b c\"", {"p", "a\\\\b c"}},
      {"p a\\\\\\\"b", {"p", "a\\\"b"}},
      {"p a\\b", {"p", "a\\b"}},
      {"p a\\\\\\\\b", {"p", "a\\\\\\\\b"}},
      {"p \\\\\"", {"p", "\\"}},
      {"p C:\\dir\\", {"p", "C:\\dir\\"}},
      {"p \"C:\\dir\\\\\"", {"p", "C:\\dir\\"}},
  };
  for (const SplitCase& c : cases) EXPECT_EQ(SplitCommandLine(c.line), c.expected) << c.line;
}

}  // namespace
