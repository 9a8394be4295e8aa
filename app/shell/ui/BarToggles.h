// The View menu's bar switches: the widget each switch shows and hides, and the visibility its check
// mark follows however the bar was hidden (its menu item, its close button, the frame's bar menu).
#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>

#include <array>
#include <functional>

#include "CommandTable.h"

class CBarToggles : public QObject {
    Q_OBJECT

  public:
    using Visibility = std::array<bool, static_cast<std::size_t>(Bar::kCount)>;

    // `changed` runs whenever a registered bar is shown or hidden.
    explicit CBarToggles(std::function<void()> changed);

    // The widget the bar's switch shows and hides; a later registration replaces an earlier one.
    void Register(Bar bar, QWidget* widget);
    bool Has(Bar bar) const;
    // Shows the bar when it is hidden, else hides it; nothing for a bar without a widget.
    void Toggle(Bar bar);
    // Whether each bar is shown within the frame (a bar counts as shown while the frame itself is not).
    Visibility Visible() const;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QWidget* WidgetOf(Bar bar) const { return bars_[static_cast<std::size_t>(bar)]; }

    std::function<void()> changed_;
    std::array<QPointer<QWidget>, static_cast<std::size_t>(Bar::kCount)> bars_;
};
