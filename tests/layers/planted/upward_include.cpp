// A solver file that includes a header of the run layer above it: must not compile.
#include "fluxeta/run/result_file.h"
