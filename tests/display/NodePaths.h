#pragma once
// Finds a node of a built archive by its path of captions, "MS > Dataset (0) > CSIB(Par)".

#include "tests/archive/ArchiveBuilder.h"

namespace orvik::test {

inline NodeId nodeAtPath(const CategoryTree& tree, const std::string& path, NodeId parent = noNode,
                         const std::string& prefix = "")
{
    for (NodeId child : tree.children(parent)) {
        const std::string here = prefix + tree.text(child);
        if (here == path)
            return child;
        if (path.rfind(here + " > ", 0) == 0)
            return nodeAtPath(tree, path, child, here + " > ");
    }
    return noNode;
}

} // namespace orvik::test
