// What a module keeps per document: nothing so far, the record only has to exist.
#pragma once

struct CDocData {
};
