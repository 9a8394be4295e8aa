#include "LoadExports.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "TempHome.h"

namespace {

// The stores live for the whole process: every test starts from empty ones.
class LoadExports : public ::testing::Test {
  protected:
    void SetUp() override {
        _load_dellang();
        _load_i_del();
        _load_delpara();
    }
    void TearDown() override { SetUp(); }

    static std::string PathOf(const std::string& name) {
        return (cutrix::testing::TempHome() / name).string();
    }

    static std::string Write(const std::string& name, const std::string& content) {
        std::ofstream(PathOf(name), std::ios::binary) << content;
        return PathOf(name);
    }

    static std::string Read(const std::string& path) {
        std::ifstream stream(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(stream), {});
    }

    static std::string Lang(const std::string& section, const std::string& key) {
        std::string value = "stale";
        EXPECT_EQ(_load_getlang(section, key, &value), 0);
        return value;
    }
};

}  // namespace

TEST_F(LoadExports, EmptyOrNullPathIsRefusedAndChangesNothing) {
    _load_setlang("A", "x", "1");
    EXPECT_EQ(_load_lang(nullptr), 1);
    EXPECT_EQ(_load_lang(""), 1);
    EXPECT_EQ(_load_outlang(""), 1);
    EXPECT_EQ(_load_i(nullptr), 1);
    EXPECT_EQ(_load_i_out(nullptr), 1);
    EXPECT_EQ(_load_para(""), 1);
    EXPECT_EQ(_load_outpara(nullptr), 1);
    EXPECT_EQ(Lang("A", "x"), "1");
}

TEST_F(LoadExports, TwoLanguageFilesMerge) {
    ASSERT_EQ(_load_lang(Write("1.ini", "[Dlg]\r\nOk=OK\r\nCancel=Cancel\r\n").c_str()), 0);
    ASSERT_EQ(_load_lang(Write("2.ini", "[Dlg]\r\nCancel=Abort\r\n[Menu]\r\nFile=File\r\n").c_str()), 0);
    EXPECT_EQ(Lang("Dlg", "Ok"), "OK");
    EXPECT_EQ(Lang("Dlg", "Cancel"), "Abort");
    EXPECT_EQ(Lang("Menu", "File"), "File");
    EXPECT_EQ(_load_lang(PathOf("missing.ini").c_str()), 1);
}

TEST_F(LoadExports, MissingLanguageKeyReadsAsEmpty) {
    EXPECT_EQ(Lang("Dlg", "None"), "");
    _load_setlang("Dlg", "Ok", "OK");
    EXPECT_EQ(Lang("dlg", "Ok"), "") << "section names compare exactly";
    EXPECT_EQ(_load_getlang("Dlg", "Ok", nullptr), 1);
}

TEST_F(LoadExports, OutputToAPathThatCannotBeCreatedReportsFailure) {
    _load_setlang("A", "x", "1");
    EXPECT_NE(_load_outlang(PathOf("missing/lang.ini").c_str()), 0);
    EXPECT_NE(_load_i_out(PathOf("missing/Param.lib").c_str()), 0);
    EXPECT_EQ(_load_outlang(PathOf("lang.ini").c_str()), 0);
    EXPECT_EQ(Read(PathOf("lang.ini")), "[A]\r\nx=1\r\n\r\n");
}

TEST_F(LoadExports, StoresAreSeparate) {
    _load_setlang("S", "k", "lang");
    _load_i_set("S", "k", "item");
    _load_setpara("S", "k", "para");
    std::string item, para;
    EXPECT_EQ(_load_i_get("S", "k", &item), 0);
    EXPECT_EQ(_load_getpara("S", "k", &para), 0);
    EXPECT_EQ(Lang("S", "k"), "lang");
    EXPECT_EQ(item, "item");
    EXPECT_EQ(para, "para");

    _load_i_del();
    EXPECT_EQ(Lang("S", "k"), "lang");
    EXPECT_EQ(_load_i_findk("S"), 0);
}

TEST_F(LoadExports, ItemSectionsAreAddedFoundListedAndDeleted) {
    EXPECT_EQ(_load_i_getlist(nullptr), 1);
    std::vector<std::string> names;
    EXPECT_EQ(_load_i_getlist(&names), 1) << "an empty store gives no list";

    EXPECT_EQ(_load_i_addk("Steel"), 0);
    EXPECT_EQ(_load_i_addk("STEEL"), 2);
    EXPECT_EQ(_load_i_addk(""), 1);
    EXPECT_EQ(_load_i_addk("Wood"), 0);
    EXPECT_EQ(_load_i_findk("wood"), 1);
    EXPECT_EQ(_load_i_findk(""), 0);

    _load_i_delk("wood");
    EXPECT_EQ(_load_i_findk("Wood"), 1) << "deletion compares names exactly";
    _load_i_delk("Wood");
    EXPECT_EQ(_load_i_getlist(&names), 0);
    EXPECT_EQ(names, std::vector<std::string>{"Steel"});
}

TEST_F(LoadExports, ItemFileRoundTrip) {
    _load_i_set("Steel", "Speed", "12.500000");
    _load_i_set("Steel", "Power", "80");
    const std::string path = PathOf("Param.lib");
    ASSERT_EQ(_load_i_out(path.c_str()), 0);
    _load_i_del();
    ASSERT_EQ(_load_i(path.c_str()), 0);
    std::string speed;
    EXPECT_EQ(_load_i_get("Steel", "Speed", &speed), 0);
    EXPECT_EQ(speed, "12.500000");
}

TEST_F(LoadExports, ParaStoreUsesTheRecordForm) {
    _load_setpara("S", "k", "v");
    const std::string path = PathOf("para.rec");
    ASSERT_EQ(_load_outpara(path.c_str()), 0);
    _load_setpara("S", "extra", "gone after load");
    ASSERT_EQ(_load_para(path.c_str()), 0);
    std::string value;
    _load_getpara("S", "extra", &value);
    EXPECT_EQ(value, "");
    _load_getpara("S", "k", &value);
    EXPECT_EQ(value, "v");
    EXPECT_EQ(_load_para(PathOf("missing.rec").c_str()), 1);
}

TEST_F(LoadExports, PropertyCallsStoreNothing) {
    std::string value = "untouched";
    EXPECT_EQ(_load_setprop("S", "k", "v"), 0);
    EXPECT_EQ(_load_getprop("S", "k", &value), 0);
    EXPECT_EQ(value, "untouched");
    EXPECT_EQ(_load_pro("a", "b"), 0);
    EXPECT_EQ(_load_outpro("a", "b"), 0);
    EXPECT_EQ(_load_delpro(), 0);
}
