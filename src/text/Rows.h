#pragma once
// The row scanner moved to base/Rows.h; this name stays for the streaming filter's sources.
#include "base/Rows.h"
