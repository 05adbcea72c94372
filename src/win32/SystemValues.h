#pragma once
// The values of a snippet's placeholders that only Windows knows: the local clock, the user's
// name and a new GUID.

#include "app/SnippetInsert.h"

namespace tavrill {

// Reads only what `needs` asks for; a value that cannot be had stays empty.
TemplateValues ReadSystemValues(TemplateNeeds needs);

}  // namespace tavrill
