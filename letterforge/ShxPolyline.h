// ShxPolyline: one stroke that an SHX shape decoder hands over, as vertices in mm with a bulge per
// vertex (always 0 from the decoders).
#pragma once

#include <vector>

#include "SDPoint.h"

class ShxPolyline {
  public:
    std::vector<SDPoint> vertices;
    std::vector<double> bulges;  // one per vertex

    void AddVertex(SDPoint vertex, double bulge) {
        vertices.push_back(vertex);
        bulges.push_back(bulge);
    }
    void AddPoint(double x, double y, double bulge) { AddVertex({x, y}, bulge); }
    // Appends count vertices; without bulges theirs are 0. A count of 0 or less adds nothing.
    void AddVertices(int count, const SDPoint* newVertices, const double* newBulges) {
        for (int i = 0; i < count; ++i) {
            AddVertex(newVertices[i], newBulges != nullptr ? newBulges[i] : 0.0);
        }
    }
};
