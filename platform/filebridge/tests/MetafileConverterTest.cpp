#include "MetafileConverter.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>

#include <cerrno>
#include <chrono>
#include <string>

#include "EmfTestWriter.h"
#include "Filebridge.h"
#include "HelperProcess.h"
#include "ImportTestSupport.h"

namespace filebridge::testing {
namespace {

using namespace std::chrono_literals;

// A sound metafile of one rectangle.
std::string Rectangle() {
    EmfWriter writer;
    writer.Record(43, {10, 10, 60, 40});
    return writer.Bytes({0, 0, 100, 50}, {0, 0, 2540, 1270});
}

class MetafileConverterTest : public ::testing::Test {
  protected:
    ~MetafileConverterTest() override { SetMetafileHelper(std::nullopt); }

    // A shell script standing in for the helper.
    std::string Script(const std::string& name, const std::string& body) const {
        const std::string path = folder_.Write(name, "#!/bin/sh\n" + body + "\n");
        ::chmod(path.c_str(), 0700);
        return path;
    }

    ScratchFolder folder_;
};

TEST_F(MetafileConverterTest, TheInstalledHelperLiesBesideTheLibrary) {
    const MetafileHelper helper = InstalledMetafileHelper();
    EXPECT_EQ(helper.program.filename(), kMetafileHelperName);
    EXPECT_TRUE(std::filesystem::exists(helper.program)) << helper.program;
}

// Whatever becomes of the helper, the import fails as any unreadable file does, adds nothing to the
// caller's list, and leaves no process behind.
TEST_F(MetafileConverterTest, AFailingHelperFailsTheImportAndAddsNothing) {
    const std::string pidFile = folder_.File("helper.pid");
    struct Case {
        const char* name;
        std::string program;
        const char* reason;
    };
    const Case cases[] = {
        {"crashes", Script("crash", "kill -SEGV $$"), "signal 11"},
        {"hangs", Script("hang", "echo $$ > " + pidFile + "\nexec sleep 60"), "did not finish in time"},
        {"hangs after closing its output",
         Script("mute", "echo $$ > " + pidFile + "\nexec sleep 60 > /dev/null < /dev/null"),
         "did not finish in time"},
        {"refuses", Script("refuse", "cat > /dev/null; exit 1"), "status 1"},
        {"stops reading at once", Script("deaf", "exit 3"), "status 3"},
        {"is missing", folder_.File("no-such-helper"), "cannot be started"},
        {"writes no SVG", Script("junk", "cat > /dev/null; echo not-svg"), "draws nothing"},
    };
    const std::string metafile = folder_.Write("drawing.emf", Rectangle());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove(pidFile);
        SetMetafileHelper(MetafileHelper{c.program, 500ms});
        CDbList<CFileDraw*> records;
        CFilePoint earlier;
        records.AddTail(&earlier);
        const auto started = std::chrono::steady_clock::now();
        EXPECT_EQ(_file_ImportFile(metafile.c_str(), 1, 1016.0, 1.0, nullptr, 0, 0, 0, &records), 1);
        EXPECT_LT(std::chrono::steady_clock::now() - started, 5s);
        EXPECT_EQ(records.GetCount(), 1);
        const ImportOutcome outcome = ImportPath(metafile, TestOptions());
        EXPECT_NE(outcome.failure.find(c.reason), std::string::npos) << outcome.failure;
        if (std::filesystem::exists(pidFile)) {
            const pid_t pid = std::stoi(ReadFile(pidFile));
            EXPECT_EQ(::kill(pid, 0), -1) << "the helper still runs or was not reaped";
            EXPECT_EQ(errno, ESRCH);
        }
    }
}

TEST_F(MetafileConverterTest, TheRealHelperConvertsThroughIt) {
    std::string failure;
    const std::optional<std::string> svg = ConvertMetafileToSvg(Rectangle(), failure);
    ASSERT_TRUE(svg.has_value()) << failure;
    EXPECT_NE(svg->find("<svg"), std::string::npos);
}

// Input and output each far larger than the channel holds: writing all before reading would block both
// processes for good.
TEST_F(MetafileConverterTest, LargeInputAndOutputPassWithoutDeadlock) {
    std::string input(8 << 20, '\0');
    for (std::size_t i = 0; i < input.size(); ++i) {
        input[i] = static_cast<char>(i * 131 % 251);
    }
    std::string failure;
    const std::optional<std::string> echoed = RunHelper("/bin/cat", input, {10s, input.size()}, failure);
    ASSERT_TRUE(echoed.has_value()) << failure;
    EXPECT_TRUE(*echoed == input);
    EXPECT_FALSE(RunHelper("/bin/cat", input, {10s, input.size() - 1}, failure).has_value());
    EXPECT_EQ(failure, "helper output larger than the import limit");
}

}  // namespace
}  // namespace filebridge::testing
