// The player's own files, outside the game folder: where they live by the XDG base directories,
// reading them, and writing them so that a write cut short never leaves a file half written.
// Every routine returns "" when all is well, or what is wrong, to follow the file's name.
#pragma once

#include <string>

// $VARIABLE/cupclash/NAME when the variable names an absolute folder, else $HOME/FALLBACK/cupclash/NAME
// ("XDG_DATA_HOME", ".local/share"; "XDG_CONFIG_HOME", ".config"). "" with *fault set when neither
// names a folder.
std::string user_path(const char* variable, const char* fallback, const char* name, std::string* fault);

// The folder part of a path: "." when it has none.
std::string folder_of(const std::string& path);

// Makes a folder and those above it that are missing.
std::string make_folders(const std::string& folder);

// Reads a whole file. *missing tells a file that is not there from one that cannot be read.
std::string read_user_file(const std::string& file, std::string* text, bool* missing);

// Writes the text to FILE.new-PID, flushes it to the disk, then renames it over the file: the file
// is either the old one whole or the new one whole. Makes the folder when it is missing.
std::string write_atomically(const std::string& file, const std::string& text);

// For the tests: the write stops after this many bytes, as a crash would leave it (-1: never).
extern long write_cut_after;
