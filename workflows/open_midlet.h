// workflows/open_midlet.h — choosing the MIDlet to work on.
//
// Both ways empty the work folder and unpack the archive into it, flattened.
// OpenMidlet (menu 10, button 1) accepts any file larger than 10 bytes;
// DropMidlet accepts the first dropped file when at least one file could be
// unpacked from it, and clears the icon view.
#pragma once

void OpenMidlet();
void DropMidlet(int drop);
void ClearIconView();
