// Vertex insertion of the crossing splitter.
#include "CrossingSplitter.h"

namespace pathsmith {

CrossingSplitter::CrossingSplitter(std::vector<SDPoint> points, std::vector<Edge> edges)
    : edges_(std::move(edges)) {
    vertices_.reserve(points.size() + points.size() / 4);
    for (const SDPoint& point : points) {
        vertices_.push_back({point});
    }
    pieces_.reserve(edges_.size() + edges_.size() / 4);
    for (const Edge& edge : edges_) {
        pieces_.push_back({edge.startVertex, edge.endVertex, -1});
    }
}

int CrossingSplitter::VertexAt(int piece, double t, SDPoint point) {
    if (t <= 0.0) {
        return pieces_[piece].startVertex;
    }
    if (t >= 1.0) {
        return pieces_[piece].endVertex;
    }
    const int vertex = static_cast<int>(vertices_.size());
    vertices_.push_back({point});
    const int cutOff = static_cast<int>(pieces_.size());
    pieces_.push_back({vertex, pieces_[piece].endVertex, pieces_[piece].next});
    pieces_[piece].endVertex = vertex;
    pieces_[piece].next = cutOff;
    return vertex;
}

void CrossingSplitter::MarkCrossing(int vertexA, int vertexB) {
    vertices_[vertexA].crossing = true;
    vertices_[vertexB].crossing = true;
    vertices_[vertexA].partner = vertexB;
    vertices_[vertexB].partner = vertexA;
    ++crossingCount_;
}

std::vector<int> CrossingSplitter::VerticesAlong(int edge) const {
    std::vector<int> along;
    ForEachVertexAlong(edge, [&](int vertex) { along.push_back(vertex); });
    return along;
}

std::vector<Chord> CrossingSplitter::Pieces(std::vector<int>* edgeOfPiece) const {
    std::vector<Chord> chords;
    chords.reserve(pieces_.size());
    for (int edge = 0; edge < static_cast<int>(edges_.size()); ++edge) {
        for (int piece = edge; piece != -1; piece = pieces_[piece].next) {
            chords.push_back(ChordOfPiece(piece));
            if (edgeOfPiece != nullptr) {
                edgeOfPiece->push_back(edge);
            }
        }
    }
    return chords;
}

}  // namespace pathsmith
