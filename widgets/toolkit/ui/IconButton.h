// A flat push button showing an icon beside, above or instead of its caption, with a raised frame while
// the mouse is over it; it can act as a toggle or open a link when clicked.
#pragma once

#include "GlyphMenu.h"
#include "IconButtonLayout.h"

#include <QImage>
#include <QPointer>
#include <QPushButton>

#include <functional>

class CIconButton : public QPushButton {
    Q_OBJECT

  public:
    // The second id asks for the automatic grey copy of the first icon as the out icon.
    static constexpr int kGrayOutIcon = -2;
    // Where icons come from by resource id; the program's own images in Qt resources by default.
    using IconSource = std::function<QImage(int id)>;
    static void SetIconSource(IconSource source);

    explicit CIconButton(QWidget* parent = nullptr);

    // Loads the in icon and, unless `outId` is 0, the out icon (or its grey copy for kGrayOutIcon).
    // 0 on success; 1 when an icon cannot be read, leaving the button without images.
    int SetIcon(int inId, int outId = 0);
    int SetIconHandles(const QImage& in, const QImage& out);
    static QImage MakeGrayIcon(const QImage& icon);

    void SetToggle(bool toggle) { toggle_ = toggle; }
    int SetChecked(bool checked, bool repaint = true);
    bool IsChecked() const { return checked_; }
    void SetAlignment(IconAlignment alignment) { alignment_ = alignment; }
    void SetFlat(bool flat) { flat_ = flat; }
    void SetLink(std::string_view link) { link_ = BoundedLink(link); }
    const std::string& Link() const { return link_; }
    // Opens the link; replaced by tests.
    void SetLinkOpener(std::function<void(const std::string&)> opener) { openLink_ = std::move(opener); }

    // The drop-down menu, owned by the button; its chosen command is posted as WM_COMMAND to the target.
    GlyphMenu& Menu() { return *menu_; }
    void SetMenuTarget(QObject* target) { menuTarget_ = target; }
    // How the menu is shown at a screen point, returning the chosen action; replaced by tests.
    void SetMenuRunner(std::function<QAction*(QMenu&, QPoint)> runner) { runMenu_ = std::move(runner); }
    static constexpr std::uint32_t kCommandMessage = 0x0111;

    bool IsHovered() const { return hovered_; }
    // The button as it paints now, and where its image went.
    QImage Render() const;
    QRect ImageRect() const;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

  private:
    void OnClicked();
    void EndHover();
    bool IsPressedLook() const;
    const QImage& ChosenImage() const;

    QImage inIcon_;
    QImage outIcon_;
    bool flat_ = true;
    bool hovered_ = false;
    bool toggle_ = false;
    bool checked_ = false;
    IconAlignment alignment_ = kIconLeftOfCaption;
    std::string link_;
    std::function<void(const std::string&)> openLink_;
    GlyphMenu* menu_;  // a child of the button
    QPointer<QObject> menuTarget_;
    bool menuShown_ = false;
    std::function<QAction*(QMenu&, QPoint)> runMenu_;
};
