// Arbitrary bytes opened as an archive: reading, classifying, assembling the
// science stream and building the tree must hold whatever the bytes.

#include "tests/fuzz/FuzzInput.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    orvik::ArchiveDocument doc;
    if (orvik::fuzz::openBytes(doc, data, size))
        for (orvik::NodeId node : doc.tree().ids())
            (void)doc.tree().text(node); // texts are made on demand: make every one
    return 0;
}
