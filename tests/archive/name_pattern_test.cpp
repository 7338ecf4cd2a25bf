// The wildcard matcher, case by case.
#include "archive/name_pattern.h"

#include <gtest/gtest.h>

namespace {

struct PatternCase {
  const char* name;
  const char* pattern;
  int fits;
};

const PatternCase kCases[] = {
    {"readme", "*.*", 1},
    {"a.b.c", "*.*", 1},
    {".profile", "*.*", 1},
    {"", "*.*", 1},
    {"game.jar", "*.jar", 1},
    {"GAME.JAR", "*.jar", 1},
    {".jar", "*.jar", 1},
    {"my.game.jar", "*.jar", 0},
    {"game.jar.bak", "*.jar", 0},
    {"manifest.mf", "MANIFEST.MF", 1},
    {"abc", "a?c", 0},
    {"abc", "a?c.", 1},
    {"abc", "a?c*", 1},
    {"abc", "a?c?", 1},
    {"a.jar", "?.jar", 1},
    {"ab.jar", "?.jar", 0},
    {".jar", "?.jar", 1},
    {"file.txt", "f*e.txt", 1},
    {"fxe.txt", "f*e.txt", 1},
    {"fee.txt", "f*e.txt", 1},
    {"fe.txt", "f*e.txt", 0},
    {"a.jar", "a*.jar", 0},
    {"abc.jar", "a*.jar", 1},
    {"x.jar", "*.jar|*.jad", 1},
    {"x.jad", "*.jar|*.jad", 1},
    {"x.jarx", "*.jar|*.jad", 0},
    {"ab.c", "a|b.c", 1},
    {"b.c", "a|b.c", 1},
    {"a", "a|b.c", 0},
    {"b.c", "a|*", 1},
    {"b.c", "a|*|x", 0},
    {"x.y", "*|x.y", 0},
    {"anything.at.all", "*", 1},
    {"noext", "*", 1},
    {"", "*", 1},
    {"", "", 1},
    {"x", "", 0},
    {"", "?", 0},
    {"", ".", 0},
    {"", "*.", 1},
    // Letter case: Windows-1251 capitals 0xC0-0xDE fold, 0xDF does not.
    {"\xC0\xC1.TXT", "\xE0\xE1.txt", 1},
    {"\xDF.txt", "\xFF.txt", 0},
    // A name equal to the pattern fits even when the pattern holds "?".
    {"a?b", "A?B", 1},
};

TEST(NamePattern, FitsAsTheScanDecides) {
  for (const PatternCase& c : kCases)
    EXPECT_EQ(NamePattern(c.name, c.pattern), c.fits)
        << "name \"" << c.name << "\" pattern \"" << c.pattern << "\"";
}

}  // namespace
