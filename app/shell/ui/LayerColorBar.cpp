// The layer colour buttons and what a click on one does to the selection.
#include "LayerColorBar.h"

#include <QHBoxLayout>

#include "CadMgr.h"
#include "ImageButton.h"
#include "WindowMessage.h"

namespace {

constexpr int kButtonSize = 22;

}  // namespace

CLayerColorBar::CLayerColorBar(CCadMgr& manager, QWidget* parent) : QWidget(parent), manager_(manager) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(2);
    for (int n = 1; n <= kButtonCount; ++n) {
        auto* button = new CColorButton(this);
        platform::SetControlId(*button, kFirstButtonId + n - 1);
        button->SetColor(manager_.vectorLayerTable[static_cast<std::size_t>(n - 1)].commonParams.COM_Color);
        button->setFixedSize(kButtonSize, kButtonSize);
        connect(button, &QPushButton::clicked, this, [this, n] { SelectLayer(n); });
        layout->addWidget(button);
        buttons_[static_cast<std::size_t>(n - 1)] = button;
    }
    layout->addStretch(1);
    Button(current_)->SetToggled(true);
}

CColorButton* CLayerColorBar::Button(int n) const {
    return n >= 1 && n <= kButtonCount ? buttons_[static_cast<std::size_t>(n - 1)] : nullptr;
}

void CLayerColorBar::SelectLayer(int n) {
    if (Button(n) == nullptr) {
        return;
    }
    for (CColorButton* button : buttons_) {
        button->SetToggled(button == Button(n));
    }
    current_ = n;
    manager_.SetSelectionLayer(
        manager_.vectorLayerTable[static_cast<std::size_t>(n - 1)].commonParams.COM_Color);
    update();
    for (CColorButton* button : buttons_) {
        button->update();
    }
    emit DrawingChanged();
}
