// The main window's client: the drawing view framed by a horizontal ruler above it and a vertical one on
// its left, with an empty corner pane; the rulers take no room until they are first shown.
#pragma once

#include "RulerPane.h"

#include <QRect>
#include <QWidget>

#include <functional>
#include <memory>

class QGridLayout;

// Factories of the four panes; the shell gives its ruler views and its drawing view.
struct CCreateContext {
    std::function<std::unique_ptr<QWidget>()> newCorner;
    std::function<std::unique_ptr<QWidget>()> newRuler;  // the widget must also be a RulerPane
    std::function<std::unique_ptr<QWidget>()> newView;
};

class CRulerSplitterWnd : public QWidget {
    Q_OBJECT

  public:
    static constexpr int kRulerThickness = 16;
    static constexpr int kGapWithRulers = 3;
    static constexpr int kGapWithoutRulers = 1;

    explicit CRulerSplitterWnd(QWidget* parent = nullptr);

    // Makes the corner, the horizontal ruler, the vertical ruler and the view, in that order, rulers hidden
    // and the view focused. False at the first factory that gives nothing (or a ruler that is no ruler).
    bool Create(const CCreateContext& context);
    void ShowRulers(bool show, bool remember);
    // Hands the mapping unchanged to the horizontal ruler, then the vertical one, and shows the rulers
    // without changing the remembered state.
    void UpdateRulers(int kind, const RulerMapping& mapping);
    // Screen rectangles of the ruler panes; the argument stays as it was when there is no such pane.
    void GetHorzRulerRect(QRect& rect) const;
    void GetVertRulerRect(QRect& rect) const;

    bool RulersRemembered() const { return rulersShown_; }
    QWidget* Pane(int row, int column) const;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QGridLayout* grid_;
    QWidget* corner_ = nullptr;
    QWidget* horizontalRuler_ = nullptr;
    QWidget* verticalRuler_ = nullptr;
    QWidget* view_ = nullptr;
    bool rulersShown_ = false;
};
