// Taking a window's entries into a form's copy: every bound field checked against its table row
// before anything is stored, and the problem pointing at the control of the first field refused.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "FieldText.h"
#include "RecordForm.h"

namespace dialogkit {
namespace {

struct Cutting {
    double speedMmPerS = 100.0;
    std::uint16_t passCount = 1;
    bool blowerOn = false;
    double hiddenMm = 5.0;  // no control: no dialog shows it
    std::string name = "cut";
};

template <typename Record, typename Visit>
void VisitFields(Record& record, Visit&& visit) {
    visit(FieldInfo{"Speed", "mm/s", {0.1, 1000, false}, 1, 1001}, record.speedMmPerS);
    visit(FieldInfo{"Passes", "", {1, 50, true}, 0, 1002}, record.passCount);
    visit(FieldInfo{"Blower", "", {0, 1, true}, 0, 1003}, record.blowerOn);
    visit(FieldInfo{"Hidden", "mm", {0, 10, false}, 3, 0}, record.hiddenMm);
    visit(FieldInfo{"Name", "", {0, 0, false}, 0, 1004}, record.name);
}

struct EntryCase {
    const char* speedTyped;
    const char* passesTyped;
    std::optional<FormProblem> problem;
};

TEST(RecordFormTest, EntriesAreCheckedAgainstTheirTableRowsBeforeAnythingIsStored) {
    const FormProblem noSpeed{1001, kNoNumberMessage, ""};
    const FormProblem speedRange{1001, kOutOfRangeMessage, "0.1 - 1000.0 mm/s"};
    const FormProblem passRange{1002, kOutOfRangeMessage, "1 - 50"};
    const EntryCase cases[] = {
        {"250", "3", std::nullopt},   {"0.1", "1", std::nullopt},  // both lower edges
        {"1000", "50", std::nullopt},                              // both upper edges
        {"0.09", "3", speedRange},    {"1000.01", "3", speedRange}, {"", "3", noSpeed}, {"nan", "3", noSpeed},
        {"1e999", "3", noSpeed},      {"250", "2.5", passRange},  // a whole-number field takes no fraction
        {"250", "51", passRange},     {"nan", "51", noSpeed},     // the first field of the table is reported
                                                                  // first
    };
    for (const EntryCase& c : cases) {
        Cutting copy;
        FormEntries entries;
        entries.EnterText(1001, c.speedTyped);
        entries.EnterText(1002, c.passesTyped);
        entries.EnterNumber(1003, 1);
        EXPECT_EQ(TakeEntries(copy, entries), c.problem) << c.speedTyped << " / " << c.passesTyped;
        const bool stored = !c.problem;
        EXPECT_EQ(copy.blowerOn, stored) << "a refused entry stores nothing, not even the good ones";
        if (stored) {
            EXPECT_EQ(copy.speedMmPerS, *ReadFieldNumber(c.speedTyped));
            EXPECT_EQ(copy.passCount, *ReadFieldNumber(c.passesTyped));
        }
    }
}

TEST(RecordFormTest, FieldsWithoutAControlOrAnEntryKeepTheirValues) {
    Cutting copy;
    copy.hiddenMm = 7.0;
    FormEntries entries;
    entries.EnterText(1002, "4");
    EXPECT_EQ(TakeEntries(copy, entries), std::nullopt);
    EXPECT_EQ(copy.passCount, 4);
    EXPECT_EQ(copy.speedMmPerS, 100.0);
    EXPECT_EQ(copy.hiddenMm, 7.0);
    EXPECT_EQ(copy.name, "cut");
}

TEST(RecordFormTest, WhileTypingOnlyTheAcceptableEntriesReachTheCopy) {
    Cutting copy;
    FormEntries entries;
    entries.EnterText(1001, "abc");
    entries.EnterText(1002, "9");
    TakeAcceptableEntries(copy, entries);
    EXPECT_EQ(copy.speedMmPerS, 100.0);
    EXPECT_EQ(copy.passCount, 9);
}

TEST(RecordFormTest, ARangeWithoutAnUpperBoundIsShownAsALowerLimit) {
    EXPECT_EQ(ShowRange(FieldInfo{"Amount", "mm", {0, 1.7e308, false}, 3, 1}), "\u2265 0.000 mm");
    EXPECT_EQ(ShowRange(FieldInfo{"Any", "", {-1.7e308, 1.7e308, false}, 3, 1}), "");
}

}  // namespace
}  // namespace dialogkit
