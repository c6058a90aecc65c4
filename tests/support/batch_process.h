// fluxeta-batch run as a separate process by the shell, as a script runs it.
#pragma once

#include <sys/wait.h>

#include <cstdlib>
#include <string>

#include "scratch_directory.h"

namespace fluxeta::testing {

struct BatchProcess {
  int status = -1;  // the exit status, or 128 + the signal that ended the process
  std::string out;
  std::string err;
};

// Runs fluxeta-batch with `arguments` (shell words, which may redirect its streams
// elsewhere) in `directory` under `locale`;
// `setup` is shell text run first in the same shell (ulimit, trap), whose settings the
// program inherits.
inline BatchProcess RunBatchProcess(const ScratchDirectory& directory, const std::string& arguments,
                                    const std::string& setup = "",
                                    const std::string& locale = "C") {
  const std::string command =
      "cd '" + directory.path().string() + "' && " + setup + (setup.empty() ? "" : "; ") +
      "LC_ALL=" + locale + " exec '" FLUXETA_BATCH "' >.stdout 2>.stderr </dev/null " + arguments;
  const int raw = std::system(command.c_str());
  BatchProcess result;
  result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
  result.out = FileBytes(directory.path() / ".stdout").value_or("");
  result.err = FileBytes(directory.path() / ".stderr").value_or("");
  return result;
}

}  // namespace fluxeta::testing
