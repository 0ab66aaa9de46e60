// The Amaryl edition.
#include "Edition.h"

const Edition theEdition = {4, "StmtPortC.env", "Zentallo２１ Amaryl"};
