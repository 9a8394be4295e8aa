// The manual cutting-order dialog without its window: the elements not yet placed ("remaining") and the
// new order ("ordered"), the selection of each, the buttons that move elements between and within them,
// and OK, which gives the drawing the new order.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "CadRect.h"
#include "DeviceContext.h"

class CCadElement;
class CCadMgr;

class CDlgSetOrder {
  public:
    static constexpr int kRemainingList = 1000;
    static constexpr int kOrderedList = 1001;
    static constexpr int kShowPathCheck = 1002;
    static constexpr int kReverseButton = 1003;
    static constexpr int kReOrderOrderedButton = 1004;
    static constexpr int kReOrderRemainingButton = 1006;
    static constexpr int kPreviewArea = 1009;
    static constexpr int kMoveSelectedButton = 1015;  // ">>"
    static constexpr int kRestartButton = 1017;       // "<<<"
    static constexpr int kMoveAllButton = 1018;       // ">>>"
    static constexpr int kFitButton = 1030;
    static constexpr int kSelectModeButton = 1036;
    static constexpr int kMoveDownButton = 1037;
    static constexpr int kMoveUpButton = 1038;
    static constexpr int kOkButton = 1186;
    static constexpr int kCancelButton = 1187;

    enum class OrderList : int { kRemaining = 1, kOrdered = 2 };

    // A list row as the window shows it.
    struct Row {
        int number;
        std::string name;
        bool selected;
        bool operator==(const Row&) const = default;
    };

    explicit CDlgSetOrder(CCadMgr& manager) : manager_(manager) {}
    CDlgSetOrder(const CDlgSetOrder&) = delete;
    CDlgSetOrder& operator=(const CDlgSetOrder&) = delete;

    // Keeps the show-path switch, empties the drawing's selection and fills the remaining list with every
    // element in drawing order, each named "Element<n>" after its row.
    void OnInitDialog();

    const std::vector<CCadElement*>& Elements(OrderList list) const;
    const std::vector<CCadElement*>& Selection(OrderList list) const;
    std::vector<Row> Rows(OrderList list) const;
    OrderList ActiveList() const { return active_; }
    // The extent of every element, mm.
    const CCadRect& UnionRect() const { return unionRect_; }

    // ">>": the remaining selection, in the order it was selected, joins the end of the order and stays
    // selected there.
    void OnMoveSelected();
    // ">>>": every remaining element joins the end of the order; the selected ones stay selected.
    void OnMoveAll();
    // "<<<": both lists emptied and filled again from the drawing, as at opening.
    void OnRestart();
    // Reverses the cutting direction of every selected element. The drawing changes at once and keeps the
    // change even when the dialog is cancelled.
    void OnReverse();
    // "ReOrder": the list reversed; the row numbers stay where they are.
    void OnReOrder(OrderList list);
    // Each selected element of the order, in selection order, swaps places with its predecessor; the
    // first one that is already first stops the command there.
    void OnMoveUp();
    // The same from the last selected element back, with the successor; stops at one already last.
    void OnMoveDown();
    void OnShowPath();
    bool ShowPathOn() const;

    // A click in a list: it becomes the active list and its selection is the rows given, in row order.
    void SelectRows(OrderList list, const std::vector<int>& rows);
    // A press in the preview at a logical point (0.001 mm): in each list the first element hit there
    // becomes its only selected element. `viewDC` carries the preview's mapping for the pick tolerance.
    void PickAt(platform::Point logical, platform::DeviceContext& viewDC);
    // A rubber band (mm): in both lists exactly the elements inside it within 0.001 mm are selected. A
    // band narrower or lower than 0.001 mm changes nothing; returns whether it selected.
    bool SelectInBand(const CCadRect& bandMm);
    // A double click in select mode: the point goes to the path pick of the selected elements.
    void PickPathAt(platform::Point logical, platform::DeviceContext& viewDC);
    bool HasSelection() const;
    // Whether Reverse changed the drawing: then it has changed even when the dialog is cancelled.
    bool ReversedAny() const { return reversedAny_; }

    // OK: the drawing takes the order, then the remaining elements, and is renumbered, as one change; the
    // switch is put back and the lists emptied.
    void OnOK();
    // Cancel and close: the switch put back, the lists emptied; the order stays as it was (a reversal made
    // meanwhile is told to the drawing as one change).
    void OnCancel();

  private:
    std::vector<CCadElement*>& ListOf(OrderList list);
    std::vector<CCadElement*>& SelectionOf(OrderList list);
    // Sets each element's selected flag from the list's selection.
    void MirrorSelection(OrderList list);
    void Fill();
    void Empty();

    CCadMgr& manager_;
    std::vector<CCadElement*> remaining_;
    std::vector<CCadElement*> ordered_;
    std::vector<CCadElement*> remainingSelection_;
    std::vector<CCadElement*> orderedSelection_;
    OrderList active_ = OrderList::kRemaining;
    CCadRect unionRect_{0, 0, 0, 0, 0};
    int savedShowPath_ = 0;
    bool reversedAny_ = false;
};
