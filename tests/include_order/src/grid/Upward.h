#pragma once
// A grid header reaching up into the dialog: the folder order must refuse it.
#include "ui/EditorDialog.h"
