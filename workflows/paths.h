// workflows/paths.h — the names every workflow gives its files.
//
// The separator is "/". CurrentFolder is the current directory with one "/"
// appended; the work folder Test/ lies directly under it. Linux volumes have
// no short names, so ShortPathOf gives a path back unchanged. Names derived
// from an archive's path cut its last three characters and append "exe" or
// "jad", whatever those characters were. None of these operations fails: a
// missing file gives the defined texts below (empty long name and so on).
#pragma once

#include <string>

// The current directory followed by "/" (the root gives "//"). Any length.
std::string CurrentFolder();
// CurrentFolder followed by "Test/", computed afresh on every call.
std::string WorkFolder();
// The path unchanged: there are no short names to look up.
std::string ShortPathOf(const std::string& path);
// The last component of an existing path (a link counts, not followed), cut
// to 255 bytes; empty text when nothing is there.
std::string LongNameOf(const std::string& path);
// The name without its last three characters (all of it when shorter),
// followed by extension: "game.jar" + "exe" gives "game.exe".
std::string ReplaceExtension(const std::string& name, const std::string& extension);

// Where the converter leaves its program: the archive path with "exe".
std::string ConverterOutputOf(const std::string& archivePath);
// The program's place in the current folder, named after the archive.
std::string ProducedProgramOf(const std::string& archivePath);
// The bare name of the descriptor file: the archive's name with "jad".
std::string DescriptorFileOf(const std::string& archivePath);

// The converter's command line: "Quarnell.exe -jar " and the archive path.
// A path with a space or a tab is written in double quotes so that it stays
// one argument; a path with neither stays unquoted. Double quotes inside the
// path, and backslashes in front of them, are escaped so that the converter
// receives the path exactly.
std::string ConverterCommandOf(const std::string& archivePath);

// Deletes the files directly inside the work folder (read-only ones too) and
// then the folder when it has become empty. Subfolders are never entered, and
// links are never followed: a Test that is a link is removed as a link, and
// links inside are removed as links. Says nothing, whatever happens.
void RemoveWorkFolder();
