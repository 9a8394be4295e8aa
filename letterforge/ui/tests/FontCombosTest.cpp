// The font lists: the SHX fonts of a fonts/ folder with their marks and the big-font message, and the
// TrueType list of the test fonts with its row height.
#include "FontCombos.h"

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QStyleOptionViewItem>

#include "DialogMessages.h"
#include "LetterforgeIcons.h"
#include "RecordingMessageSink.h"
#include "ShxFontWriter.h"
#include "TestFontConfig.h"
#include "TextEdit.h"
#include "WidgetTestApplication.h"

namespace letterforge {
namespace {

class FontCombosTest : public platform::WidgetTest {
  protected:
    static void SetUpTestSuite() { platform::testing::UseTestFontConfig(); }
    FontCombosTest() {
        dialogkit::SetMessageSink(&messages);
        DialogLanguage = 1;
    }
    ~FontCombosTest() override { dialogkit::SetMessageSink(nullptr); }

    static void InstallShx(const char* name) {
        testing::InstallFont(name, testing::IndexLayoutFont({{65, {0x0}}}));
    }

    static QImage IconPicture(const QIcon& icon) { return icon.pixmap(kFontIconSize).toImage(); }

    static std::vector<std::string> Names(const QComboBox& combo) {
        std::vector<std::string> names;
        for (int i = 0; i < combo.count(); ++i) {
            names.push_back(combo.itemText(i).toStdString());
        }
        return names;
    }

    platform::RecordingMessageSink messages;
};

TEST_F(FontCombosTest, ShxListNamesTheFilesAsFoundAndMarksTheStrokeFontsIgnoringCase) {
    InstallShx("ROMANS.SHX");
    InstallShx("FS.SHX");
    InstallShx("fs.shx");
    InstallShx("BIG.SHX");
    CShxFontCombo combo;
    combo.SetItemFontHeight(14, true);
    ASSERT_EQ(Names(combo), (std::vector<std::string>{"BIG.SHX", "FS.SHX", "ROMANS.SHX", "fs.shx"}));
    const QImage strokeMark = IconPicture(ShxFontIcon(true));
    const QImage plainMark = IconPicture(ShxFontIcon(false));
    EXPECT_EQ(IconPicture(combo.itemIcon(1)), strokeMark);
    EXPECT_EQ(IconPicture(combo.itemIcon(3)), strokeMark);
    EXPECT_EQ(IconPicture(combo.itemIcon(2)), plainMark);
    EXPECT_NE(strokeMark, plainMark);
    EXPECT_EQ(combo.currentIndex(), 0);
    EXPECT_TRUE(messages.Shown().empty());
}

TEST_F(FontCombosTest, MissingBigFontIsToldAtEachFillingAndTheListIsFilledAllTheSame) {
    InstallShx("ROMANS.SHX");
    for (int opening = 1; opening <= 2; ++opening) {
        CShxFontCombo combo;
        combo.SetItemFontHeight(14, true);
        EXPECT_EQ(combo.count(), 1);
        ASSERT_EQ(messages.Shown().size(), static_cast<std::size_t>(opening));
        EXPECT_EQ(messages.Shown().back().text, "Not find shx font file BIG.SHX!");
    }
    DialogLanguage = 0;
    CShxFontCombo chinese;
    chinese.SetItemFontHeight(14, true);
    EXPECT_EQ(messages.Shown().back().text, "未找到字体BIG.SHX文件");
}

TEST_F(FontCombosTest, ShxListIsEmptyWithoutFontFiles) {
    CShxFontCombo combo;
    combo.SetItemFontHeight(14, true);
    EXPECT_EQ(combo.count(), 0);
    combo.SelectFontName("");
    EXPECT_EQ(combo.SelectedFontName(), "");
}

TEST_F(FontCombosTest, TrueTypeListHoldsTheTestFamiliesMarkedAndRowsOfFontHeightPlusFour) {
    CTrueTypeFontCombo combo;
    EXPECT_EQ(combo.count(), 0);  // filled when the dialog sets its height
    combo.SetItemFontHeight(14, true);
    ASSERT_EQ(Names(combo), (std::vector<std::string>{"Cantarell", "DejaVu Sans", "DejaVu Serif"}));
    for (int i = 0; i < combo.count(); ++i) {
        EXPECT_TRUE(combo.itemData(i).toBool()) << i;
        QStyleOptionViewItem option;
        EXPECT_EQ(combo.itemDelegate()->sizeHint(option, combo.model()->index(i, 0)).height(), 18);
    }
    EXPECT_EQ(combo.ItemFont("DejaVu Serif").family(), "DejaVu Serif");
    EXPECT_EQ(combo.ItemFont("DejaVu Serif").pixelSize(), 14);
}

TEST_F(FontCombosTest, ANameTheListLacksIsKeptAsAnEntryOfItsOwnAndAKnownOneIsFoundIgnoringCase) {
    CTrueTypeFontCombo combo;
    combo.SetItemFontHeight(14, true);
    combo.SelectFontName("dejavu serif");
    EXPECT_EQ(combo.SelectedFontName(), "DejaVu Serif");
    combo.SelectFontName("Tahoma");
    EXPECT_EQ(combo.SelectedFontName(), "Tahoma");
    EXPECT_EQ(combo.count(), 4);
}

}  // namespace
}  // namespace letterforge
