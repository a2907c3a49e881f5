#pragma once

// Whether tree item `item` lies under `target`: walking from the item to its
// parent again and again reaches the target (the item itself counts). A null
// item or target lies under nothing. parentOf(item) gives the parent, null at
// the top. Templated so the rule is the same for tree-view handles and for
// the portable tests.
template <class Item, class ParentOf>
bool LiesUnder(Item item, Item target, ParentOf parentOf) {
    if (!item || !target) return false;
    for (Item walk = item; walk; walk = parentOf(walk))
        if (walk == target) return true;
    return false;
}
