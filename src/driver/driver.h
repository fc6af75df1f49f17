// The assembly driver: command line, the two passes, the output files and the exit status.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "core/file_system.h"
#include "diag/diagnostic.h"

namespace zelas {

struct Assembler;

// The version text shown in the banner (five characters, the last a blank).
inline constexpr char kVersionText[] = "1.94 ";
// Largest ROM image the driver allocates: far beyond every product's ROM, reachable only with -e.
// Fuzzing builds use a smaller one: writing the .rom and .hex text of 16 MB takes seconds.
#ifdef FUZZING_BUILD_MODE_UNSAFE_FOR_PRODUCTION
inline constexpr int kMaxImageSize = 256 * 1024;
#else
inline constexpr int kMaxImageSize = 16 * 1024 * 1024;
#endif

// Runs zelas with args (without the program name), writing to the two console streams and
// reading and writing files through files. Returns the process exit status.
int runZelas(const std::vector<std::string>& args, std::FILE* out, std::FILE* err,
             FileSystem& files);
// The same, telling listeners of every report shown (as records, whatever the console style).
int runZelas(const std::vector<std::string>& args, std::FILE* out, std::FILE* err,
             FileSystem& files, std::vector<DiagnosticListener> listeners);
// The same run on an assembler the caller set up (its file system, console streams, listeners,
// an observer), which keeps the whole state of the run for the caller to read afterwards.
int runZelas(Assembler& as, const std::vector<std::string>& args);

}  // namespace zelas
