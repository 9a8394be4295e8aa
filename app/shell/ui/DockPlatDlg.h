// CDockPlatDlg: the tab panel of the main window's "DockingPlat" bar. It holds six pages and shows one
// at a time; a page whose dialog the program does not have yet stands disabled and says so.
#pragma once

#include <QWidget>

#include <array>
#include <cstdint>

class QLabel;
class QTabWidget;

class CDockPlatDlg : public QWidget {
    Q_OBJECT

  public:
    static constexpr int kTabControlId = 1004;
    static constexpr int kPageCount = 6;
    // The pages in tab order: work layers, output options, controller documents, user machine, axis
    // test, transform; each with its "DockPlat" caption key and its dialog template.
    struct PageInfo {
        const char* captionKey;
        const char* builtInCaption;
        std::uint32_t dialogTemplate;
    };
    static constexpr std::array<PageInfo, kPageCount> kPages = {{
        {"1", "加工", 130},
        {"2", "输出", 126},
        {"3", "文档", 187},
        {"4", "用户", 127},
        {"5", "调试", 114},
        {"6", "变换", 120},
    }};

    explicit CDockPlatDlg(QWidget* parent = nullptr);

    // Tab captions from the language's "DockPlat" texts, and the pages' own texts.
    void UpdateTexts();
    // Shows the page (index kept within 0..5), enabled unless it is not built yet; hides the others.
    void ShowPage(int index);
    int CurrentPage() const;
    QTabWidget& Tabs() const { return *tabs_; }
    QWidget* Page(int index) const;

  private:
    QTabWidget* tabs_;
    std::array<QLabel*, kPageCount> pages_{};
};
