// ApplyOutline: brings a tree up to date with a scan, reusing its items in document order.
#pragma once

#include "outline/core/outline_item.h"

#include <vector>

// Tree is an adapter over the real tree with:
//   using Node = ...;               a handle of one item; Root() is the invisible top
//   Node Root();
//   int ChildCount(Node);
//   Node Child(Node, int index);
//   Node Append(Node parent, const OutlineItem&);
//   void Set(Node, const OutlineItem&);              changes only what differs
//   void RemoveChildrenFrom(Node parent, int index); removes children index..end
// Items that still stand at the same place keep their identity, so the tree
// keeps its scroll position and the expansion of its groups, and a scan that
// changes no structure changes no item.
template <class Tree>
void ApplyOutline(Tree& tree, const OutlineItems& items) {
    using Node = typename Tree::Node;
    struct Level {
        Node parent;
        int index;
    };
    std::vector<Level> outer;  // the levels above `parent`, with the group's place in each
    Node parent = tree.Root();
    int index = 0;  // `current` is child `index` of `parent`, or none past the end
    for (const OutlineItem& item : items) {
        if (item.IsGroupEnd()) {
            tree.RemoveChildrenFrom(parent, index);
            // At the root the remaining old items are gone and later ones are appended.
            if (!outer.empty()) {
                parent = outer.back().parent;
                index = outer.back().index + 1;
                outer.pop_back();
            }
            continue;
        }
        Node node;
        if (index < tree.ChildCount(parent)) {
            node = tree.Child(parent, index);
            tree.Set(node, item);
            if (!item.IsGroup())
                tree.RemoveChildrenFrom(node, 0);
        } else {
            node = tree.Append(parent, item);
        }
        if (item.IsGroup()) {
            outer.push_back({parent, index});
            parent = node;
            index = 0;
        } else {
            ++index;
        }
    }
    // Groups left open: stale items of every level go, not only the innermost.
    tree.RemoveChildrenFrom(parent, index);
    while (!outer.empty()) {
        tree.RemoveChildrenFrom(outer.back().parent, outer.back().index + 1);
        outer.pop_back();
    }
}
