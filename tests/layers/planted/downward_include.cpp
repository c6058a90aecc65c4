// A solver file that includes headers of its own layer and of the layer below it.
#include "fluxeta/case/station_table.h"
#include "fluxeta/solver/search.h"
