// shellapi.h needs the types of windows.h first.
// clang-format off
#include <windows.h>
#include <shellapi.h>
// clang-format on

#include <io.h>

#include "core/console.h"
#include "core/utf16_windows.h"

namespace zelas {

// The files zelas opens are handles, never numbers of the C runtime, so a closed standard
// stream cannot be taken over by one of them as on POSIX; only the console's code page is set,
// so that the UTF-8 names in messages show as written.
void prepareStandardStreams() {
  ::SetConsoleOutputCP(CP_UTF8);
}

// The argv of main holds the arguments in the ANSI code page, which loses every character
// outside it: the wide command line holds them all.
std::vector<std::string> programArguments(int, char**) {
  std::vector<std::string> args;
  int count = 0;
  LPWSTR* wide = ::CommandLineToArgvW(::GetCommandLineW(), &count);
  if (wide == nullptr) return args;
  for (int i = 1; i < count; ++i) args.push_back(toUtf8(wide[i]));
  ::LocalFree(wide);
  return args;
}

// A console shows colour sequences only once virtual terminal processing is on; a console too
// old to turn it on gets none. A redirected stream (a file, a pipe, NUL) has no console mode.
bool isColorTerminal(std::FILE* stream) {
  HANDLE handle = reinterpret_cast<HANDLE>(::_get_osfhandle(::_fileno(stream)));
  DWORD mode = 0;
  if (handle == INVALID_HANDLE_VALUE || !::GetConsoleMode(handle, &mode)) return false;
  return (mode & ENABLE_VIRTUAL_TERMINAL_PROCESSING) != 0 ||
         ::SetConsoleMode(handle, mode | ENABLE_VIRTUAL_TERMINAL_PROCESSING) != 0;
}

}  // namespace zelas
