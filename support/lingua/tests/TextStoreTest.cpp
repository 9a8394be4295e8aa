#include "TextStore.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>

#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "TempHome.h"

namespace {

std::filesystem::path WriteFile(const std::string& name, const std::string& content) {
    const std::filesystem::path file = cutrix::testing::TempHome() / name;
    std::ofstream(file, std::ios::binary) << content;
    return file;
}

std::string ReadFile(const std::filesystem::path& file) {
    std::ifstream stream(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(stream), {});
}

}  // namespace

TEST(TextStore, ReadsSectionsAndKeysAsTheFileGivesThem) {
    CTextStore store;
    ASSERT_EQ(store.LoadIni(WriteFile("a.ini", "[A]\r\nx=1\r\ny=a=b\r\n")), 0);
    EXPECT_EQ(store.GetString("A", "x"), "1");
    EXPECT_EQ(store.GetString("A", "y"), "a=b");
    EXPECT_EQ(store.GetString("A", "missing"), "");
}

TEST(TextStore, RepeatedHeaderAndKeysBeforeAnyHeader) {
    CTextStore store;
    ASSERT_EQ(store.LoadIni(WriteFile("a.ini", "lead=0\r\n[A]\r\nx=1\r\n[B]\r\n[A]\r\nz=3\r\nx=2\r\n")), 0);
    // Keys before the first header land in the section with the empty name; both parts of A merge.
    EXPECT_EQ(store.FormatText(), "[]\r\nlead=0\r\n\r\n[A]\r\nx=2\r\nz=3\r\n\r\n[B]\r\n\r\n");
}

TEST(TextStore, WritesTheExactTextForm) {
    CTextStore store;
    store.SetString("A", "x", "1");
    ASSERT_EQ(store.AddSection("B"), 0);
    const std::filesystem::path file = cutrix::testing::TempHome() / "out.ini";
    ASSERT_EQ(store.SaveIni(file), 0);
    EXPECT_EQ(ReadFile(file), "[A]\r\nx=1\r\n\r\n[B]\r\n\r\n");
}

TEST(TextStore, SecondFileMergesIntoTheFirst) {
    CTextStore store;
    ASSERT_EQ(store.LoadIni(WriteFile("1.ini", "[A]\r\nx=1\r\ny=2\r\n")), 0);
    ASSERT_EQ(store.LoadIni(WriteFile("2.ini", "[A]\r\ny=20\r\nw=4\r\n[C]\r\nk=v\r\n")), 0);
    EXPECT_EQ(store.FormatText(), "[A]\r\nx=1\r\ny=20\r\nw=4\r\n\r\n[C]\r\nk=v\r\n\r\n");
}

TEST(TextStore, MissingFileIsReportedAndChangesNothing) {
    CTextStore store;
    store.SetString("A", "x", "1");
    EXPECT_EQ(store.LoadIni(cutrix::testing::TempHome() / "missing.ini"), 1);
    EXPECT_EQ(store.LoadRecords(cutrix::testing::TempHome() / "missing.rec"), 1);
    EXPECT_EQ(store.FormatText(), "[A]\r\nx=1\r\n\r\n");
}

TEST(TextStore, LongValueSurvivesSaveAndLoadAsOneKey) {
    const std::string value(3000, 'w');
    CTextStore store;
    store.SetString("A", "long", value);
    const std::filesystem::path file = cutrix::testing::TempHome() / "long.ini";
    ASSERT_EQ(store.SaveIni(file), 0);

    CTextStore reread;
    ASSERT_EQ(reread.LoadIni(file), 0);
    EXPECT_EQ(reread.GetString("A", "long"), value);
    EXPECT_EQ(reread.FormatText(), store.FormatText());
}

TEST(TextStore, SaveReportsFailureWhenTheFileCannotBeCreated) {
    CTextStore store;
    store.SetString("A", "x", "1");
    EXPECT_NE(store.SaveIni(cutrix::testing::TempHome() / "no-such-folder" / "out.ini"), 0);
    EXPECT_NE(store.SaveRecords(cutrix::testing::TempHome() / "no-such-folder" / "out.rec"), 0);
}

// A disk that fills up halfway through the write must leave the previous file as it was.
TEST(TextStore, SaveReportsFailureAndKeepsTheOldFileWhenWritingFails) {
    const std::string oldContent = "[A]\r\nx=old\r\n\r\n";
    const std::filesystem::path file = WriteFile("lang.ini", oldContent);
    CTextStore store;
    store.SetString("A", "x", std::string(4096, 'n'));

    rlimit previous{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &previous), 0);
    signal(SIGXFSZ, SIG_IGN);
    rlimit small = previous;
    small.rlim_cur = 1024;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const std::uint16_t result = store.SaveIni(file);
    setrlimit(RLIMIT_FSIZE, &previous);
    signal(SIGXFSZ, SIG_DFL);

    EXPECT_NE(result, 0);
    EXPECT_EQ(ReadFile(file), oldContent);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(file.parent_path()), {}), 1)
        << "no temporary file is left behind";
}

TEST(TextStore, SectionNamesIgnoreCaseOnlyWhenFindingOrAdding) {
    CTextStore store;
    store.SetString("A", "x", "1");
    std::string value = "untouched";
    EXPECT_EQ(store.FindSection("a"), 1);
    EXPECT_EQ(store.Lookup("a", "x", &value), 1);
    EXPECT_EQ(value, "untouched");
    EXPECT_EQ(store.Lookup("A", "X", &value), 1);
    EXPECT_EQ(store.Lookup("A", "x", &value), 0);
    EXPECT_EQ(value, "1");

    EXPECT_EQ(store.FindSection(""), 0);
    EXPECT_EQ(store.AddSection(""), 1);
    EXPECT_EQ(store.AddSection("a"), 2);
    EXPECT_EQ(store.AddSection("C"), 0);
    std::vector<std::string> names{"before"};
    EXPECT_EQ(store.GetSectionList(&names), 0);
    EXPECT_EQ(names, (std::vector<std::string>{"before", "A", "C"}));
    EXPECT_EQ(store.GetSectionList(nullptr), 1);
}

TEST(TextStore, PutReachesEverySectionOfTheName) {
    CTextStore store;
    ASSERT_EQ(store.LoadIni(WriteFile("a.ini", "[A]\r\nx=1\r\n[a]\r\nx=2\r\n")), 0);
    store.Put("A", "x", "9");
    store.Put("N", "k", "v");
    EXPECT_EQ(store.FormatText(), "[A]\r\nx=9\r\n\r\n[a]\r\nx=2\r\n\r\n[N]\r\nk=v\r\n\r\n");
}

TEST(TextStore, DeletionsCompareNamesExactly) {
    CTextStore store;
    store.Put("A", "x", "1");
    store.Put("A", "y", "2");
    store.Put("a", "x", "3");
    store.DeleteKey("A", "x");
    store.DeleteKey("A", "Y");
    EXPECT_EQ(store.FormatText(), "[A]\r\ny=2\r\n\r\n[a]\r\nx=3\r\n\r\n");
    store.DeleteSection("a");
    EXPECT_EQ(store.FormatText(), "[A]\r\ny=2\r\n\r\n");
    store.RemoveAll();
    EXPECT_EQ(store.FormatText(), "");
    EXPECT_EQ(store.GetSectionList(nullptr), 1);
}

// Sections whose names differ only in case are distinct for lookups and deletions, yet one of them
// is enough for FindSection and AddSection; deleting one must not hide the other.
TEST(TextStore, FindingIgnoringCaseFollowsEveryDeletion) {
    CTextStore store;
    ASSERT_EQ(store.LoadIni(WriteFile("a.ini", "[Cut]\r\nx=1\r\n[CUT]\r\ny=2\r\n[Mark]\r\n")), 0);
    store.DeleteSection("Cut");
    EXPECT_EQ(store.FindSection("cut"), 1);
    EXPECT_EQ(store.AddSection("cUt"), 2);
    store.DeleteSection("CUT");
    EXPECT_EQ(store.FindSection("cut"), 0);
    EXPECT_EQ(store.AddSection("cUt"), 0);
    store.SetString("Cut", "z", "3");
    EXPECT_EQ(store.FormatText(), "[Mark]\r\n\r\n[cUt]\r\n\r\n[Cut]\r\nz=3\r\n\r\n");
}

// Deleting a key from the middle keeps the order of the others and the reach of every later key, in
// a small section and in one large enough to be searched through its index.
TEST(TextStore, KeysKeepTheirOrderAndReachAcrossDeletions) {
    for (int keyCount : {4, 9, 40}) {
        SCOPED_TRACE(keyCount);
        CTextStore store;
        std::string expected = "[S]\r\n";
        for (int k = 0; k < keyCount; ++k) {
            store.SetString("S", "k" + std::to_string(k), std::to_string(k));
            if (k != 1) {
                expected +=
                    "k" + std::to_string(k) + "=" + (k == keyCount - 1 ? "last" : std::to_string(k)) + "\r\n";
            }
        }
        store.DeleteKey("S", "k1");
        store.SetString("S", "k" + std::to_string(keyCount - 1), "last");
        store.SetString("S", "k1", "back");
        EXPECT_EQ(store.FormatText(), expected + "k1=back\r\n\r\n");
        for (int k = 2; k < keyCount - 1; ++k) {
            EXPECT_EQ(store.GetString("S", "k" + std::to_string(k)), std::to_string(k));
        }
    }
}

// A file beyond the size limit is refused from its size, leaving the store as it was; one at the limit
// loads.
TEST(TextStore, AFileBeyondTheSizeLimitIsRefusedWhole) {
    CTextStore store;
    store.SetString("Keep", "k", "v");
    std::string content = "[Big]\r\nk=";
    content.resize(CTextStore::kMaxFileBytes, 'x');
    const std::filesystem::path atLimit = WriteFile("at-limit.ini", content);
    const std::filesystem::path beyond = WriteFile("beyond.ini", content + "y");
    EXPECT_EQ(store.LoadIni(beyond), 1);
    EXPECT_EQ(store.LoadRecords(beyond), 1);
    EXPECT_EQ(store.FormatText(), "[Keep]\r\nk=v\r\n\r\n");
    EXPECT_EQ(store.LoadIni(atLimit), 0);
    EXPECT_EQ(store.GetString("Big", "k").size(), CTextStore::kMaxFileBytes - 9);
}

TEST(TextStore, TypedValuesUseTheLeadingNumber) {
    struct Case {
        const char* text;
        int asInt;
        double asDouble;
    };
    const Case cases[] = {
        {"42", 42, 42.0},
        {"  -7.9x", -7, -7.9},
        {"+3", 3, 3.0},
        {"2.5e2", 2, 250.0},
        {"1e", 1, 1.0},
        {".5", 0, 0.5},
        {"abc", 0, 0.0},
        {"", 0, 0.0},
        {"99999999999", 2147483647, 99999999999.0},
        {"-99999999999999999999", -2147483647 - 1, -99999999999999999999.0},
    };
    CTextStore store;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        store.SetString("N", "v", c.text);
        EXPECT_EQ(store.GetInt("N", "v"), c.asInt);
        EXPECT_DOUBLE_EQ(store.GetDouble("N", "v"), c.asDouble);
    }
    EXPECT_EQ(store.GetInt("N", "missing"), 0);
    EXPECT_EQ(store.GetDouble("N", "missing"), 0.0);

    store.SetDouble("N", "d", 2.5);
    store.SetInt("N", "i", -12);
    EXPECT_EQ(store.GetString("N", "d"), "2.500000");
    EXPECT_EQ(store.GetString("N", "i"), "-12");
}

TEST(TextStore, RecordFormRoundTripsAndReplacesTheStore) {
    CTextStore store;
    store.Put("S", "k", "line one\r\nline two");
    store.Put("S", "e", "");
    store.AddSection("Empty");
    const std::filesystem::path file = cutrix::testing::TempHome() / "para.rec";
    ASSERT_EQ(store.SaveRecords(file), 0);

    CTextStore reread;
    reread.Put("Old", "k", "v");
    ASSERT_EQ(reread.LoadRecords(file), 0);
    // Sections without pairs leave nothing in the record form.
    EXPECT_EQ(reread.FormatText(), "[S]\r\nk=line one\r\nline two\r\ne=\r\n\r\n");
}

TEST(TextStore, TruncatedRecordFileKeepsItsCompleteRecords) {
    CTextStore store;
    store.Put("S", "a", "1");
    store.Put("S", "b", "2");
    const std::filesystem::path file = cutrix::testing::TempHome() / "para.rec";
    ASSERT_EQ(store.SaveRecords(file), 0);
    const std::string bytes = ReadFile(file);
    std::filesystem::resize_file(file, bytes.size() - 1);

    CTextStore reread;
    ASSERT_EQ(reread.LoadRecords(file), 0);
    EXPECT_EQ(reread.FormatText(), "[S]\r\na=1\r\n\r\n");
}

// Writers, readers and a formatter on one store at once: every operation holds the store's lock, so
// the sanitizers see no race and every formatted text is a complete, well-formed snapshot.
TEST(TextStore, ConcurrentOperationsAreSerialised) {
    CTextStore store;
    constexpr int kRounds = 300;
    std::vector<std::jthread> threads;
    for (int writer = 0; writer < 3; ++writer) {
        threads.emplace_back([&store, writer] {
            const std::string section = "S" + std::to_string(writer);
            for (int round = 0; round < kRounds; ++round) {
                store.SetInt(section, "k" + std::to_string(round % 7), round);
                store.AddSection("T" + std::to_string(round % 5));
                if (round % 50 == 49) {
                    store.DeleteSection(section);
                    store.DeleteKey("T1", "none");
                }
            }
        });
    }
    threads.emplace_back([&store] {
        for (int round = 0; round < kRounds; ++round) {
            const std::string text = store.FormatText();
            EXPECT_TRUE(text.empty() || text.ends_with("\r\n\r\n"));
            store.FindSection("s1");
            store.GetInt("S0", "k1");
        }
    });
    threads.clear();
    // Each writer's last round deletes its section.
    EXPECT_EQ(store.FindSection("S0"), 0);
    std::vector<std::string> names;
    store.GetSectionList(&names);
    EXPECT_EQ(names.size(), 5u);
}
