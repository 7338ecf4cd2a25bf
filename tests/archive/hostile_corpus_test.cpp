// ArchiveExtractor over the hostile corpus that make_hostile_corpus.py
// writes: each archive gives the count its table lists, with stored folders
// flattened and recreated, and nothing outside the destination changes.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "archive/archive_extractor.h"
#include "platform/files.h"
#include "tests/archive/test_archives.h"

namespace {

struct CorpusCase {
  std::string name;
  int flattened = 0;
  int recreated = 0;
};

std::vector<CorpusCase> ReadCorpusTable() {
  std::vector<CorpusCase> cases;
  std::ifstream table(HOSTILE_CORPUS_TABLE);
  std::string line;
  while (std::getline(table, line)) {
    if (line.empty() || line[0] == '#') continue;
    std::istringstream fields(line);
    CorpusCase c;
    if (fields >> c.name >> c.flattened >> c.recreated) cases.push_back(c);
  }
  return cases;
}

// Places the corpus names aim at outside any scratch folder.
const char* const kEscapeTargets[] = {
    "/tmp/tolvanex-hostile-absolute.txt", "/tmp/tolvanex-hostile-absolute2.txt",
    "/tmp/tolvanex-hostile-deep.txt"};

class HostileCorpusTest : public ::testing::Test {
 protected:
  void SetUp() override {
    scratch = MakeScratchFolder();
    ASSERT_FALSE(scratch.empty());
    corpus = scratch + "/corpus";
    std::string command = std::string("\"") + PYTHON3_COMMAND + "\" \"" HOSTILE_CORPUS_SCRIPT
                          "\" \"" + corpus + "\"";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    // The destination sits two levels down in a tree of bystanders.
    root = scratch + "/root";
    ASSERT_TRUE(MakeFolderPath(root + "/dest/"));
    WriteWholeFile(root + "/bystander.txt", "left alone");
    WriteWholeFile(root + "/dest/bystander.txt", "left alone too");
    for (const char* target : kEscapeTargets) DeleteFileAt(target);
  }
  void TearDown() override { RemoveScratchFolder(scratch); }

  std::string scratch, corpus, root;
};

TEST_F(HostileCorpusTest, EveryArchiveGivesItsCountAndStaysInside) {
  std::vector<CorpusCase> cases = ReadCorpusTable();
  ASSERT_FALSE(cases.empty());
  std::vector<std::string> listed;
  for (const CorpusCase& c : cases) listed.push_back(c.name);
  std::sort(listed.begin(), listed.end());
  EXPECT_EQ(NamesIn(corpus), listed) << "the table and the corpus list the same files";

  const std::string destination = root + "/dest/out";
  const std::map<std::string, std::string> before = SnapshotTree(root);
  for (const CorpusCase& c : cases) {
    for (int keepPaths : {0, 1}) {
      const int expected = keepPaths ? c.recreated : c.flattened;
      EXPECT_EQ(ArchiveExtractor(corpus + "/" + c.name, "*.*", destination, keepPaths), expected)
          << c.name << " keep-paths " << keepPaths;
      RemoveScratchFolder(destination);
      EXPECT_EQ(SnapshotTree(root), before) << c.name << " keep-paths " << keepPaths;
      for (const char* target : kEscapeTargets)
        EXPECT_FALSE(PathExists(target)) << c.name << " wrote " << target;
    }
  }
}

}  // namespace
