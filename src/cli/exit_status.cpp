#include "exit_status.h"
