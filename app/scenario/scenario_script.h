// app/scenario/scenario_script.h — the scenario runner's script lines.
//
// One step per line: a word, then numbers or double-quoted texts with the
// escapes \\ \" \r \n \t \xNN. Blank lines and lines starting with "#" are
// skipped (they parse as a step with an empty word).
#pragma once

#include <string>
#include <vector>

struct ScenarioStep {
  std::string word;
  std::vector<std::string> texts;  // the quoted texts, unescaped
  std::vector<long> numbers;
};

// False for a line that does not parse.
bool ParseScenarioLine(const std::string& line, ScenarioStep* step);
