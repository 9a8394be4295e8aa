// Brings the segment lists of many curves into the cache together, ahead of passes that read them curve by
// curve. A walk down one list waits for each node before it knows the next; walking many lists in lockstep,
// one node of each per round, lets those waits overlap. Nothing is changed.
#pragma once

#include <cstddef>
#include <utility>
#include <vector>

#include "CadCurve.h"

// Fetches the first `nodesPerCurve` segment nodes (at most) of each curve.
inline void PrefetchSegmentLists(const std::vector<const CCadCurve*>& curves, int nodesPerCurve) {
    using Node = CDbList<CFileLine>::Node;
    std::vector<std::pair<const Node*, const Node*>> walks;  // (sentinel, node reached)
    walks.reserve(curves.size());
    for (const CCadCurve* curve : curves) {
        walks.emplace_back(curve->pathList.head, curve->pathList.head);
    }
    for (int round = 0; round < nodesPerCurve && !walks.empty(); ++round) {
        std::size_t kept = 0;
        for (std::size_t walk = 0; walk < walks.size(); ++walk) {
            const auto [sentinel, reached] = walks[walk];
            const Node* next = reached->next;
            if (next != sentinel) {
                __builtin_prefetch(&next->value);
                __builtin_prefetch(&next->next);
                walks[kept++] = {sentinel, next};
            }
        }
        walks.resize(kept);
    }
}

// The curves among the elements of a list, from `node` on, at most `count` elements.
inline std::vector<const CCadCurve*> CurvesFrom(const CDbList<CCadElement*>& list,
                                                const CDbList<CCadElement*>::Node* node, int count) {
    std::vector<const CCadCurve*> curves;
    for (; node != list.head && count > 0; node = node->next, --count) {
        if (node->value->typeCode == kCurveElement) {
            curves.push_back(static_cast<const CCadCurve*>(node->value));
        }
    }
    return curves;
}
