// zelas --lsp: the server on standard input and output.
#pragma once

namespace zelas::lsp {

// Serves the client on the two file descriptors until "exit" or the end of the input; returns
// the process exit status.
int serveStdio(int inputFd, int outputFd);

}  // namespace zelas::lsp
