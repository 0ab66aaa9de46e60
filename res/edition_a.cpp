// The standard edition.
#include "Edition.h"

const Edition theEdition = {0, "StmtPortA.env", "Zentallo２１"};
