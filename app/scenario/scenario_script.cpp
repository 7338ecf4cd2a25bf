// Parsing the scenario runner's script lines.
#include "app/scenario/scenario_script.h"

#include <cctype>
#include <cstdlib>

namespace {

bool ParseQuoted(const std::string& line, size_t* at, std::string* text) {
  ++*at;  // the opening quote
  while (*at < line.size()) {
    char c = line[(*at)++];
    if (c == '"') return true;
    if (c != '\\') {
      *text += c;
      continue;
    }
    if (*at >= line.size()) return false;
    char escape = line[(*at)++];
    switch (escape) {
      case '\\': *text += '\\'; break;
      case '"': *text += '"'; break;
      case 'r': *text += '\r'; break;
      case 'n': *text += '\n'; break;
      case 't': *text += '\t'; break;
      case 'x': {
        if (*at + 2 > line.size() || !std::isxdigit(static_cast<unsigned char>(line[*at])) ||
            !std::isxdigit(static_cast<unsigned char>(line[*at + 1])))
          return false;
        *text += static_cast<char>(std::strtol(line.substr(*at, 2).c_str(), nullptr, 16));
        *at += 2;
        break;
      }
      default: return false;
    }
  }
  return false;
}

bool ParseNumber(const std::string& line, size_t* at, long* number) {
  size_t start = *at;
  if (line[*at] == '-') ++*at;
  while (*at < line.size() && std::isdigit(static_cast<unsigned char>(line[*at]))) ++*at;
  if (*at == start || (*at == start + 1 && line[start] == '-')) return false;
  *number = std::strtol(line.substr(start, *at - start).c_str(), nullptr, 10);
  return true;
}

}  // namespace

bool ParseScenarioLine(const std::string& line, ScenarioStep* step) {
  *step = ScenarioStep();
  size_t at = 0;
  auto skipSpaces = [&]() {
    while (at < line.size() && (line[at] == ' ' || line[at] == '\t' || line[at] == '\r')) ++at;
  };
  skipSpaces();
  if (at >= line.size() || line[at] == '#') return true;
  while (at < line.size() && std::isalpha(static_cast<unsigned char>(line[at]))) step->word += line[at++];
  if (step->word.empty()) return false;
  for (;;) {
    size_t before = at;
    skipSpaces();
    if (at >= line.size()) return true;
    if (at == before) return false;  // arguments are separated by spaces
    if (line[at] == '"') {
      std::string text;
      if (!ParseQuoted(line, &at, &text)) return false;
      step->texts.push_back(text);
    } else {
      long number = 0;
      if (!ParseNumber(line, &at, &number)) return false;
      step->numbers.push_back(number);
    }
  }
}
