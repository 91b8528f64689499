// Indexes that follow a toolbar's button slots as slots are taken out.
#pragma once

#include <vector>

namespace toolbar_slots {

// An index after a removed position moves down with its slot.
inline void FollowRemoval(const std::vector<int*>& follow, int position)
{
    for (int* pIndex : follow)
        if (pIndex && *pIndex > position)
            --*pIndex;
}

}   // namespace toolbar_slots
