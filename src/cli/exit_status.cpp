#include "cli/exit_status.h"
