// The program's side of the console: the arguments it was started with and whether a stream is a
// terminal. One implementation per platform (console.cpp, console_windows.cpp).
#pragma once

#include <cstdio>
#include <string>
#include <vector>

namespace zelas {

// Readies the standard streams before anything else runs; due first thing in main.
void prepareStandardStreams();
// The command-line arguments after the program name, as UTF-8 texts.
std::vector<std::string> programArguments(int argc, char** argv);
// True when stream writes to a terminal that shows colour sequences.
bool isColorTerminal(std::FILE* stream);

}  // namespace zelas
