// Row tables of the settings records.
#include "SettingsRows.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

// A total order for the sort even when a file brought in a NaN: NaN sorts after every number.
bool SortsBefore(double a, double b) {
    return !std::isnan(a) && (std::isnan(b) || a < b);
}

// Collects the nodes, sorts them stably by the row's first value and links them again in that order.
template <typename Row, typename Key>
void SortNodes(CDbList<Row>& rows, Key key) {
    if (rows.GetCount() < 2) {
        return;
    }
    using Node = typename CDbList<Row>::Node;
    std::vector<Node*> nodes;
    for (Node* node = rows.head->next; node != rows.head; node = node->next) {
        nodes.push_back(node);
    }
    std::stable_sort(nodes.begin(), nodes.end(),
                     [&](const Node* a, const Node* b) { return SortsBefore(key(a->value), key(b->value)); });
    Node* previous = rows.head;
    for (Node* node : nodes) {
        previous->next = node;
        node->prev = previous;
        previous = node;
    }
    previous->next = rows.head;
    rows.head->prev = previous;
}

}  // namespace

void ReverseIntervalRow::Serialize(platform::Archive& archive) {
    archive.Exchange(speedMmPerS);
    archive.Exchange(reverseIntervalMm);
    archive.Exchange(offsetRepayMm);
}

void SerializeDoublePair(platform::Archive& archive, double& first, double& second) {
    archive.Exchange(first);
    archive.Exchange(second);
}

void SortAscending(CDbList<SpeedLimitRow>& rows) {
    SortNodes(rows, [](const SpeedLimitRow& row) { return row.diameterMm; });
}

void SortAscending(CDbList<ReverseIntervalRow>& rows) {
    SortNodes(rows, [](const ReverseIntervalRow& row) { return row.speedMmPerS; });
}

void AddSpeedLimitRow(CDbList<SpeedLimitRow>& rows, const SpeedLimitRow& row) {
    if (!(row.diameterMm > 0.0)) {
        return;
    }
    for (auto* node = rows.head->next; node != rows.head; node = node->next) {
        if (node->value.diameterMm == row.diameterMm) {
            node->value.speedMmPerS = row.speedMmPerS;
            return;
        }
    }
    rows.AddTail(row);
    SortAscending(rows);
}
