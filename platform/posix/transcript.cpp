// The transcript of the scenario runner: one line per effect on stdout.
#include "platform/transcript.h"

#include <cstdio>

namespace {
bool Active = false;
}

void SetTranscriptActive(bool active) { Active = active; }

bool TranscriptActive() { return Active; }

void NoteEffect(const std::string& line) {
  if (!Active) return;
  std::fwrite(line.data(), 1, line.size(), stdout);
  std::fputc('\n', stdout);
  std::fflush(stdout);
}

std::string QuoteText(const std::string& text) {
  std::string quoted = "\"";
  for (unsigned char c : text) {
    switch (c) {
      case '\\': quoted += "\\\\"; break;
      case '"': quoted += "\\\""; break;
      case '\r': quoted += "\\r"; break;
      case '\n': quoted += "\\n"; break;
      case '\t': quoted += "\\t"; break;
      default:
        if (c < 0x20 || c == 0x7f) {
          char hex[8];
          std::snprintf(hex, sizeof hex, "\\x%02X", c);
          quoted += hex;
        } else {
          quoted += static_cast<char>(c);
        }
    }
  }
  return quoted + "\"";
}
