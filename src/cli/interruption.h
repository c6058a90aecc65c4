// What fluxeta-batch does on SIGINT, SIGTERM and SIGHUP (a Ctrl+C, a kill, a closed
// terminal, a pre-empted batch job): remove the temporary files of outputs not yet
// complete, so that nothing partial is left behind, and exit with 128 + the signal.
#pragma once

namespace fluxeta::cli {

// Installs the handlers; once per process, before any thread is started. A signal ignored
// from the start stays ignored. Also has a write beyond the file-size limit fail with
// EFBIG instead of killing the process.
void HandleInterruptions();

}  // namespace fluxeta::cli
