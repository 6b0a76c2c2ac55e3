// Stream words fed straight to the science-stream parser: records of any tag and
// length must yield their datasets or stop the parse, never read past the stream.

#include "archive/ScienceStream.h"

#include <memory>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // A copy of exactly the input, so that a read past its end is caught.
    const auto words = std::make_unique<uint8_t[]>(size);
    std::copy(data, data + size, words.get());
    orvik::CategoryTree tree;
    const orvik::NodeId gc = tree.addGroup(orvik::noNode, "GC");
    const orvik::NodeId gcms = tree.addGroup(orvik::noNode, "GCMS");
    const orvik::NodeId ms = tree.addGroup(orvik::noNode, "MS");
    uint64_t datasets = 0;
    orvik::parseScienceStream(orvik::WordView(words.get(), size), size % 2 == 1,
                              orvik::DatasetTarget{tree, gc, gcms, ms, datasets});
    for (orvik::NodeId node : tree.ids())
        (void)tree.text(node);
    return 0;
}
