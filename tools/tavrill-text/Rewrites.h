#pragma once
// The verbs added with the later sets of rewrites (sentence case, toggle comment, sort, align,
// reverse, quote, unquote; trim, untabify, the blank lines, join, align-on), the comment pairs and
// format, whose safe marks need the whole text before the
// first byte can be written. Each reads standard input and writes standard output itself, in
// pieces where the rewrite allows it, and answers running out of memory with a one-line message.

#include "Filter.h"

namespace tavrill::filter {

bool IsRewriteVerb(Verb verb);

// The exit code: 0 done, 1 unquote could not read the text (nothing written), 3 a read or write
// error or too little memory for a rewrite that holds the whole text.
int RunRewrite(const Request& request);

}  // namespace tavrill::filter
