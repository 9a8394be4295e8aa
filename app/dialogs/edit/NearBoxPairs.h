// The pairs of boxes that come within a gap of each other, found by a sweep over the boxes sorted by
// their left side instead of by trying every pair: the data check screens its curve pairs with it.
#pragma once

#include <vector>

#include "FileLine.h"

namespace dialogs::edit {

// For each box i, the indexes j > i (ascending) of the boxes that are apart from it by no more than
// `gap` on either axis.
std::vector<std::vector<int>> NearBoxPairs(const std::vector<CFileLine::Box>& boxes, double gap);

}  // namespace dialogs::edit
