// Cuts edges at their mutual crossings in the order a walk over every pair would find them: each
// piece of the first list, front to back, against the later pieces (one list) or against every piece
// of the second list. A piece that was cut goes on shorter, and the cut-off part is met later as a
// piece of its own, so every crossing becomes a vertex once. A spatial grid supplies the candidates
// unless the caller holds an index of the second list that can.
#pragma once

#include <vector>

#include "ChordGrid.h"
#include "SegmentGeometry.h"

namespace pathsmith {

class CrossingSplitter {
  public:
    struct Vertex {
        SDPoint point;
        int partner = -1;  // the vertex at the same point on the other passage
        bool crossing = false;
    };
    struct Edge {
        int startVertex;
        int endVertex;
    };

    // A crossing test returns true with the meeting point and the parameters on both pieces; a
    // parameter strictly inside 0..1 cuts the piece there, 0 or 1 uses its start or end vertex.
    CrossingSplitter(std::vector<SDPoint> points, std::vector<Edge> edges);

    // Every piece against the pieces after it in the list, except its immediate successor.
    template <typename Test>
    void SplitWithinList(Test&& test) {
        Split(static_cast<int>(edges_.size()), 0, test);
    }
    // Every piece of edges [0, firstOfSecond) against every piece of the edges from firstOfSecond on.
    template <typename Test>
    void SplitBetweenLists(int firstOfSecond, Test&& test) {
        Split(firstOfSecond, firstOfSecond, test);
    }
    // The same walk with the candidates supplied by the caller, who holds an index of the second list
    // already: nearOf(edge, candidates) fills `candidates` with edges of the second list, ascending,
    // among them every one that comes within kCoincidence of the edge in x and in y.
    template <typename Near, typename Test>
    void SplitBetweenLists(int firstOfSecond, Near&& nearOf, Test&& test) {
        SplitAgainst(firstOfSecond, false, nearOf, test);
    }

    int CrossingCount() const { return crossingCount_; }
    const std::vector<Vertex>& Vertices() const { return vertices_; }
    std::vector<Vertex>& Vertices() { return vertices_; }
    // The vertices along an edge from its start, with the inserted ones in order; the end vertex is
    // not included.
    std::vector<int> VerticesAlong(int edge) const;
    // Calls visit(vertex) for the same vertices in the same order.
    template <typename Visit>
    void ForEachVertexAlong(int edge, Visit&& visit) const {
        for (int piece = edge; piece != -1; piece = pieces_[piece].next) {
            visit(pieces_[piece].startVertex);
        }
    }
    int EndVertex(int edge) const { return edges_[edge].endVertex; }
    // The pieces as chords, in list order; edgeOfPiece, when given, receives the edge each came from.
    std::vector<Chord> Pieces(std::vector<int>* edgeOfPiece = nullptr) const;

  private:
    // A pair of straight pieces meets at most at their two pairs of ends once they overlap.
    static constexpr int kMaxCutsPerPair = 4;

    struct Piece {
        int startVertex;
        int endVertex;
        int next;  // the following piece of the same edge, -1 for the last
    };

    Chord ChordOfPiece(int piece) const {
        return {vertices_[pieces_[piece].startVertex].point, vertices_[pieces_[piece].endVertex].point};
    }
    int VertexAt(int piece, double t, SDPoint point);
    void MarkCrossing(int vertexA, int vertexB);

    template <typename Test>
    void Split(int firstEdgeCount, int secondBegin, Test& test);
    template <typename Near, typename Test>
    void SplitAgainst(int firstEdgeCount, bool withinList, Near& nearOf, Test& test);

    std::vector<Vertex> vertices_;
    std::vector<Edge> edges_;
    std::vector<Piece> pieces_;  // the first piece of edge i is piece i
    int crossingCount_ = 0;
};

// secondBegin == 0 means one list: candidates are the edges after the current one.
template <typename Test>
void CrossingSplitter::Split(int firstEdgeCount, int secondBegin, Test& test) {
    const bool withinList = secondBegin == 0;
    std::vector<Chord> chords;
    chords.reserve(edges_.size());
    for (const Edge& edge : edges_) {
        chords.push_back({vertices_[edge.startVertex].point, vertices_[edge.endVertex].point});
    }
    ChordGrid grid(chords, 4 * kCoincidence);
    auto nearOf = [&](int edge, std::vector<int>& candidates) {
        grid.SortedNearItem(edge, candidates);
        const int lowest = withinList ? edge + 1 : secondBegin;
        candidates.erase(candidates.begin(), std::lower_bound(candidates.begin(), candidates.end(), lowest));
    };
    SplitAgainst(firstEdgeCount, withinList, nearOf, test);
}

template <typename Near, typename Test>
void CrossingSplitter::SplitAgainst(int firstEdgeCount, bool withinList, Near& nearOf, Test& test) {
    const int edgeCount = static_cast<int>(edges_.size());
    LineMeeting meeting;
    std::vector<int> candidates;
    for (int edge = 0; edge < firstEdgeCount; ++edge) {
        nearOf(edge, candidates);
        if (candidates.empty()) {
            continue;
        }
        for (int piece = edge; piece != -1; piece = pieces_[piece].next) {
            // The successor is fixed when the walk over the later pieces begins.
            const int successor =
                withinList && pieces_[piece].next == -1 && edge + 1 < edgeCount ? edge + 1 : -1;
            for (const int other : candidates) {
                for (int otherPiece = other; otherPiece != -1; otherPiece = pieces_[otherPiece].next) {
                    if (otherPiece == successor) {
                        continue;
                    }
                    // Each cut leaves both pieces shorter, so a pair is tested again until it has no
                    // cut left: two touching points of one pair each become a vertex.
                    for (int cuts = 0; cuts < kMaxCutsPerPair &&
                                       test(ChordOfPiece(piece), ChordOfPiece(otherPiece), meeting);
                         ++cuts) {
                        const std::size_t vertexCount = vertices_.size();
                        const int vertexA = VertexAt(piece, meeting.t1, meeting.point);
                        const int vertexB = VertexAt(otherPiece, meeting.t2, meeting.point);
                        MarkCrossing(vertexA, vertexB);
                        if (vertices_.size() == vertexCount) {
                            break;
                        }
                    }
                }
            }
        }
    }
}

}  // namespace pathsmith
