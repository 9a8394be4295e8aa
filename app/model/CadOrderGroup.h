// CCadOrderGroup: the element (type 100) with which the cut-order optimiser binds a cluster of elements to
// one reference curve, typically the closed curve that contains them, so that the cluster is ordered as
// one item and its contents come out before its reference (inner contours before the outer one). It is
// never part of a drawing and never stored; every operation but CalRect keeps the base behaviour.
#pragma once

#include "CadElement.h"
#include "DbList.h"

class CCadOrderGroup : public CCadElement {
  public:
    CCadElement* reference = nullptr;  // the cluster's curve, or none
    CDbList<CCadElement*> children;    // in order; a child may itself be an order group

    CCadOrderGroup();
    // A group destroyed without Detach owns its content: it deletes its curve, bitmap and order-group
    // children (other children are not its to delete), and its reference.
    ~CCadOrderGroup() override;

    // The union of the children's rectangles (the first taken as stored, the others normalised) and the
    // reference's; nested order groups recompute theirs first. Without children the reference's rectangle,
    // or the group's own when there is no reference.
    void CalRect() override;
    // Appends the cluster's elements to out in cutting order: each child (a nested group's content in its
    // place, recursively), then the reference. Nothing for no list.
    void Flatten(CDbList<CCadElement*>* out) const;
    // Lets go of the content without deleting it: nested order groups are detached and deleted, the child
    // list is emptied and the reference dropped. Used once the content lives on in a flattened list.
    void Detach();

  private:
    // The element as an order group, or null when it is another element.
    static CCadOrderGroup* AsOrderGroup(CCadElement* element);
};
