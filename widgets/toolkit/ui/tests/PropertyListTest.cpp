#include "DialogChooser.h"
#include "PropertyList.h"
#include "WidgetTestApplication.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <deque>
#include <memory>
#include <vector>

namespace {

struct Heard {
    std::uint32_t message;
    CPropertyItem* row;
    std::string value;
};

// The page that owns the list: it keeps every message with the value it carried.
class OwnerPage : public QWidget {
  public:
    std::vector<Heard> heard;

  protected:
    bool event(QEvent* event) override {
        if (event->type() != platform::WindowMessageEvent::EventType()) return QWidget::event(event);
        const auto* message = static_cast<platform::WindowMessageEvent*>(event);
        const auto* value = reinterpret_cast<const std::string*>(message->LParam());
        heard.push_back({message->Message(), reinterpret_cast<CPropertyItem*>(message->WParam()),
                         value == nullptr ? std::string() : *value});
        return true;
    }
};

class ScriptedChooser : public DialogChooser {
  public:
    std::optional<platform::ColorRef> color;
    std::optional<platform::ColorRef> ChooseColor(QWidget*, platform::ColorRef) override { return color; }
    std::optional<FontChoice> ChooseFont(QWidget*, const FontChoice&) override { return std::nullopt; }
    std::optional<QString> ChooseOpenFile(QWidget*, const QString&, const QString&, const QString& folder) override {
        askedFolder = folder;
        return std::nullopt;
    }
    QString askedFolder;
};

class PropertyListTest : public platform::WidgetTest {
  protected:
    void SetUp() override {
        list = new CPropertyList(&page);
        list->SetChooser(chooser);
        list->setGeometry(0, 0, 300, 400);
        page.resize(300, 400);
        page.show();
    }
    CPropertyItem& Add(std::string name, std::string value, std::int32_t kind, std::string options = "",
                       bool locked = false, bool header = false, std::int32_t group = -1) {
        rows.push_back(std::make_unique<CPropertyItem>(std::move(name), std::move(value), kind, std::move(options),
                                                       locked, header, group));
        list->AddItem(rows.back().get());
        return *rows.back();
    }
    QStringList DropDownEntries() const {
        QStringList entries;
        for (int index = 0; index < list->DropDown()->count(); ++index) entries << list->DropDown()->itemText(index);
        return entries;
    }
    // The list as it paints now; painting also places the fold boxes and the first divider.
    QImage Painted() {
        QApplication::processEvents();
        return list->viewport()->grab().toImage();
    }
    bool IsShown(QWidget* editor) const { return editor != nullptr && !editor->isHidden(); }

    OwnerPage page;
    CPropertyList* list = nullptr;
    ScriptedChooser chooser;
    std::deque<std::unique_ptr<CPropertyItem>> rows;
};

}  // namespace

TEST_F(PropertyListTest, DropDownOffersTheChoicesThatABarEnds) {
    Add("Mode", "Slow", kPropertyChoice, "Fast|Slow|");
    Add("Unit", "Inch", kPropertyChoice, "mm|Inch");
    list->setCurrentRow(0);
    EXPECT_EQ(DropDownEntries(), QStringList({"Fast", "Slow"}));
    EXPECT_EQ(list->DropDown()->currentText(), "Slow");
    list->setCurrentRow(1);
    // Without the last bar the second choice is no choice, and a value not offered selects the first.
    EXPECT_EQ(DropDownEntries(), QStringList({"mm"}));
    EXPECT_EQ(list->DropDown()->currentIndex(), 0);
    EXPECT_EQ(rows[1]->value, "Inch");
    EXPECT_TRUE(page.heard.empty());

    list->DropDown()->setCurrentIndex(0);
    list->setCurrentRow(0);
    list->DropDown()->setCurrentIndex(0);
    ASSERT_EQ(page.heard.size(), 1u);
    EXPECT_EQ(page.heard[0].message, platform::kPropertyChangedMessage);
    EXPECT_EQ(page.heard[0].row, rows[0].get());
    EXPECT_EQ(page.heard[0].value, "Fast");
    EXPECT_EQ(rows[0]->value, "Fast");
}

TEST_F(PropertyListTest, EditRowReportsItsValueOnOpeningAndEveryKey) {
    Add("Speed", "100", kPropertyText);
    list->setCurrentRow(0);
    ASSERT_TRUE(IsShown(list->Edit()));
    ASSERT_EQ(page.heard.size(), 1u);
    EXPECT_EQ(page.heard[0].value, "100");
    QTest::keyClicks(list->Edit(), "5");
    QTest::keyClick(list->Edit(), Qt::Key_Backspace);
    ASSERT_EQ(page.heard.size(), 3u);
    EXPECT_EQ(page.heard[1].value, "1005");
    EXPECT_EQ(page.heard[2].value, "100");
    EXPECT_EQ(rows[0]->value, "100");
}

TEST_F(PropertyListTest, LockedRowsOpenNothingExceptTheButtonRow) {
    struct Case {
        std::int32_t kind;
        bool buttonShown;
    };
    const Case cases[] = {{kPropertyChoice, false}, {kPropertyText, false}, {kPropertyColor, false},
                          {kPropertyTextButton, false}, {kPropertyButton, true}};
    for (const Case& c : cases) {
        list->ResetContent();
        Add("Filler", "", kPropertyButton);
        Add("Locked", "v", c.kind, "a|b|", true);
        list->setCurrentRow(0);
        list->setCurrentRow(1);
        EXPECT_EQ(IsShown(list->Button()), c.buttonShown) << c.kind;
        EXPECT_FALSE(IsShown(list->Edit())) << c.kind;
        EXPECT_FALSE(IsShown(list->DropDown())) << c.kind;
    }
    page.heard.clear();
    QTest::mouseClick(list->Button(), Qt::LeftButton);
    ASSERT_EQ(page.heard.size(), 1u);
    EXPECT_EQ(page.heard[0].message, platform::kPropertyButtonMessage);
    EXPECT_EQ(page.heard[0].row, rows.back().get());
}

TEST_F(PropertyListTest, ColourButtonTakesTheChosenColourAndCancelChangesNothing) {
    CPropertyItem& colour = Add("Colour", "0h", kPropertyColor);
    list->setCurrentRow(0);
    ASSERT_TRUE(IsShown(list->Button()));
    QTest::mouseClick(list->Button(), Qt::LeftButton);
    EXPECT_EQ(colour.value, "0h");
    EXPECT_TRUE(IsShown(list->Button()));
    chooser.color = platform::Rgb(0, 0, 200);
    QTest::mouseClick(list->Button(), Qt::LeftButton);
    EXPECT_EQ(colour.value, "C80000h");
    EXPECT_EQ(colour.color, platform::Rgb(0, 0, 200));
    EXPECT_FALSE(IsShown(list->Button()));
    EXPECT_TRUE(page.heard.empty());
}

TEST_F(PropertyListTest, FileButtonStartsInTheValuesFolder) {
    Add("Logo", "/home/user/logos/a.gif", kPropertyFile);
    list->setCurrentRow(0);
    QTest::mouseClick(list->Button(), Qt::LeftButton);
    EXPECT_EQ(chooser.askedFolder, "/home/user/logos");
}

TEST_F(PropertyListTest, HeaderFoldsAndUnfoldsItsGroupInOrder) {
    CPropertyItem& header = Add("Motion", "", kPropertyText, "", true, true, 1);
    Add("Speed", "1", kPropertyText, "", false, false, 1);
    Add("Accel", "2", kPropertyText, "", false, false, 1);
    CPropertyItem& loose = Add("Other", "", kPropertyText, "", true, true, -1);
    Add("Tail", "3", kPropertyText, "", false, false, 2);
    Painted();
    const QPoint box = QRect(header.box.left, header.box.top, 20, 20).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, box);
    EXPECT_FALSE(header.expanded);
    ASSERT_EQ(list->count(), 3);
    EXPECT_EQ(list->RowAt(1), &loose);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, box);
    ASSERT_EQ(list->count(), 5);
    EXPECT_EQ(list->RowAt(1)->name, "Speed");
    EXPECT_EQ(list->RowAt(2)->name, "Accel");

    Painted();
    const QPoint looseBox = QRect(loose.box.left, loose.box.top, 20, 20).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, looseBox);
    EXPECT_FALSE(loose.expanded);
    EXPECT_EQ(list->count(), 5);
}

TEST_F(PropertyListTest, FoldBoxesShowMinusWhenOpenAndPlusWhenFolded) {
    CPropertyItem& open = Add("Open", "", kPropertyText, "", true, true, 1);
    CPropertyItem& folded = Add("Folded", "", kPropertyText, "", true, true, 2);
    folded.expanded = false;
    const QImage image = Painted();
    const auto pixel = [&image](const CPropertyItem& row, int x, int y) {
        return image.pixel(row.box.left + 3 + x, row.box.top + 3 + y) | 0xFF000000u;
    };
    for (const CPropertyItem* row : {&open, &folded}) {
        EXPECT_EQ(pixel(*row, 0, 0), 0xFF000000u);
        EXPECT_EQ(pixel(*row, 12, 12), 0xFF000000u);
        EXPECT_EQ(pixel(*row, 3, 6), 0xFF000000u);
        EXPECT_EQ(pixel(*row, 1, 1), 0xFFFFFFFFu);
    }
    EXPECT_EQ(pixel(open, 6, 3), 0xFFFFFFFFu);
    EXPECT_EQ(pixel(folded, 6, 3), 0xFF000000u);
}

TEST_F(PropertyListTest, DividerDragStopsShortOfBothEdges) {
    Add("Speed", "1", kPropertyText);
    Painted();
    const int width = list->viewport()->width();
    EXPECT_EQ(list->Divider(), 2 * width / 3);
    struct Case {
        int releaseX;
        int divider;
    };
    const Case cases[] = {{2, 30}, {width + 50, width - 10}, {100, 100}};
    for (const Case& c : cases) {
        const int y = 10;
        QTest::mousePress(list->viewport(), Qt::LeftButton, {}, QPoint(list->Divider() + 3, y));
        EXPECT_EQ(list->DragLine(), ClampDivider(list->Divider() + 3, width));
        QTest::mouseRelease(list->viewport(), Qt::LeftButton, {}, QPoint(c.releaseX, y));
        EXPECT_EQ(list->Divider(), c.divider) << c.releaseX;
        EXPECT_EQ(list->DragLine(), -1);
    }
}
