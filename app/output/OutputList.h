// The job's output list: what is to be output, in drawing order. It borrows the drawing's own leaf
// elements and owns the copies it makes of groups, texts and arrays (pruned to what is output) and the
// cells of expanded arrays; Clear frees exactly those copies.
#pragma once

#include <memory>
#include <vector>

#include "DbList.h"
#include "JobBuilder.h"

class OutputList {
  public:
    OutputList() = default;
    OutputList(const OutputList&) = delete;
    OutputList& operator=(const OutputList&) = delete;

    ElementList elements;

    // Appends a copy that the list keeps until Clear.
    void AppendCopy(std::unique_ptr<CCadElement> copy);
    // Replaces every array in the list by its cells, in place and in order.
    void ExpandArrays();
    // Frees the copies and empties the list.
    void Clear();
    std::size_t CopyCount() const { return copies_.size(); }

  private:
    std::vector<std::unique_ptr<CCadElement>> copies_;
};

// The output list of the job writer, for the whole run of the program.
extern OutputList gOutputList;

// Fills the list from the selection (output-selected-only) or the drawing: leaves on output layers as
// they are, groups, texts and arrays as pruned copies. Non-zero when the list is not empty.
int CollectOutputObjects(OutputList& list);
