// The main window's status bar: flat panes, each outlined by a thin shadow frame, at least 20 pixels high.
#pragma once

#include <QStatusBar>

#include <span>
#include <vector>

class QLabel;

class CStatusBarXP : public QStatusBar {
    Q_OBJECT

  public:
    static constexpr int kMinimumHeight = 20;

    explicit CStatusBarXP(QWidget* parent = nullptr);

    // One pane per id, in order; id 0 is the message pane, which takes the spare width. Replaces the
    // panes there were; false for an empty list.
    bool SetIndicators(std::span<const int> ids);
    int PaneCount() const { return static_cast<int>(panes_.size()); }
    // False for an index out of range.
    bool SetPaneText(int index, const QString& text);
    QString PaneText(int index) const;
    // The pane's rectangle in the bar; empty for an index out of range.
    QRect PaneRect(int index) const;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    std::vector<QLabel*> panes_;  // owned by the bar as its children
};
