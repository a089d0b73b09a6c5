#pragma once

#include "GroupList.h"
#include "ItemList.h"

// The lists the whole program works on. They are made before any window and released after the last
// one is gone; the windows and the scheduler only refer to them.
struct ProcessLists
{
    // The user's own messages, in display order: row i of the message list shows message i.
    TBWItemList PersonalList;
    // The groups, in the order of the group list file.
    TBWGroupList GroupList;
    // One working message list for every enabled group, sorted by group name.
    TBWGroupItemLists GroupItemLists;
};
