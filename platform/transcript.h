// platform/transcript.h — what the scenario runner prints.
//
// Normally off. When the scenario runner turns it on, every effect a user
// would see (a message, a requester and its answer, a progress change, a
// program started) is written as one line to standard output, in order, and
// the modal boxes are answered instead of shown. Texts are quoted with the
// escapes \\ \" \r \n \t and \xNN for other control bytes; bytes of 0x80 and
// above are written as they are.
#pragma once

#include <string>

void SetTranscriptActive(bool active);
bool TranscriptActive();
// Writes one line (a newline is added) when the transcript is active.
void NoteEffect(const std::string& line);
// The text in double quotes with the escapes above.
std::string QuoteText(const std::string& text);
