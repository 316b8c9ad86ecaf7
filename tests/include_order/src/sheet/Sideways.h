#pragma once
// The sheet toolkit reaching sideways into the command folder, on its own level.
#include "command/CommandUi.h"
#include "sheet/CellGrid.h"
