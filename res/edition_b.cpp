// The Velt edition.
#include "Edition.h"

const Edition theEdition = {3, "StmtPortB.env", "Zentallo２１ Velt"};
