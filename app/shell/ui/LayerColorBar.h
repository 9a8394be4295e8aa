// CLayerColorBar: a row of twenty colour buttons, one for each of the first twenty vector layers of the
// drawing. A click moves the selected elements to that layer and marks its button as the current one.
// The buttons take their colours once, when the bar is made.
#pragma once

#include <QWidget>

#include <array>

class CCadMgr;
class CColorButton;

class CLayerColorBar : public QWidget {
    Q_OBJECT

  public:
    static constexpr int kButtonCount = 20;
    static constexpr int kFirstButtonId = 1023;  // button n (1..20) has id 1022 + n

    explicit CLayerColorBar(CCadMgr& manager, QWidget* parent = nullptr);

    // Button n (1..20) becomes the only current one and the selection moves to vector layer n - 1's
    // colour; other numbers do nothing.
    void SelectLayer(int n);
    CColorButton* Button(int n) const;
    // The current button's number.
    int Current() const { return current_; }

  signals:
    // The selection changed layer; the frame refreshes its panels.
    void DrawingChanged();

  private:
    CCadMgr& manager_;
    std::array<CColorButton*, kButtonCount> buttons_{};
    int current_ = 1;
};
