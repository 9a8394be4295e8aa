#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "PathExports.h"
#include "TempHome.h"

namespace fs = std::filesystem;

namespace {

class FileOperations : public ::testing::Test {
  protected:
    static std::string Path(const std::string& relative) {
        return (cutrix::testing::TempHome() / relative).string();
    }

    static std::string Write(const std::string& relative, const std::string& content) {
        fs::create_directories(fs::path(Path(relative)).parent_path());
        std::ofstream(Path(relative), std::ios::binary) << content;
        return Path(relative);
    }

    static std::string Read(const std::string& relative) {
        std::ifstream stream(Path(relative), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(stream), {});
    }
};

}  // namespace

TEST_F(FileOperations, ExistenceTests) {
    const std::string file = Write("a.txt", "x");
    fs::create_directory(Path("folder"));
    EXPECT_EQ(_path_IsFileExist(file), 0);
    EXPECT_EQ(_path_IsFileExist(Path("folder")), 1) << "a folder is not a file";
    EXPECT_EQ(_path_IsFileExist(Path("missing")), 1);
    EXPECT_EQ(_path_IsFolderExist(file), 0) << "an existing file counts as well";
    EXPECT_EQ(_path_IsFolderExist(Path("folder")), 0);
    EXPECT_EQ(_path_IsFolderExist(Path("missing")), 1);
    EXPECT_EQ(_path_IsFolderExist(""), 1);
}

TEST_F(FileOperations, CopyFileResults) {
    const std::string source = Write("in/logo.bmp", "pixels");
    fs::create_directory(Path("out"));
    struct Case {
        std::string source;
        std::string folder;
        int quiet;
        std::uint16_t result;
    };
    const Case cases[] = {
        {"", Path("out/"), 0, 1},
        {source, "", 1, 1},
        {source, Path("nowhere/"), 0, 2},
        {source, Path("nowhere/"), 1, 0},
        {Path("in/missing.bmp"), Path("out/"), 0, 3},
        {Path("in/missing.bmp"), Path("out/"), 1, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.source + " -> " + c.folder);
        EXPECT_EQ(_path_CopyFile(c.source, c.folder, c.quiet), c.result);
    }
    EXPECT_FALSE(fs::exists(Path("out/logo.bmp"))) << "none of those copied anything";

    Write("out/logo.bmp", "old");
    EXPECT_EQ(_path_CopyFile(source, Path("out/"), 0), 0);
    EXPECT_EQ(Read("out/logo.bmp"), "pixels");
    EXPECT_EQ(_path_CopyFile(source, Path("out"), 0), 0) << "a folder without its final slash";
}

TEST_F(FileOperations, CopyFileReportsAFailedCopy) {
    const std::string source = Write("in/logo.bmp", "pixels");
    Write("out/logo.bmp/inside", "a folder where the copy should go");
    EXPECT_EQ(_path_CopyFile(source, Path("out/"), 0), 4);
    EXPECT_EQ(_path_CopyFile(source, Path("out/"), 1), 4);
    EXPECT_EQ(Read("out/logo.bmp/inside"), "a folder where the copy should go");
}

TEST_F(FileOperations, RemoveFileRemovesOnlyFiles) {
    const std::string file = Write("a.txt", "x");
    fs::create_directory(Path("folder"));
    EXPECT_EQ(_path_RemoveFile(file), 0);
    EXPECT_EQ(_path_RemoveFile(Path("folder")), 0);
    EXPECT_EQ(_path_RemoveFile(Path("missing")), 0);
    EXPECT_FALSE(fs::exists(file));
    EXPECT_TRUE(fs::exists(Path("folder")));
}

TEST_F(FileOperations, RemoveFolderRemovesTheWholeTreeButNotWhatLinksPointTo) {
    Write("tree/a.txt", "a");
    Write("tree/sub/deeper/b.txt", "b");
    Write("tree/locked/c.txt", "c");
    fs::permissions(Path("tree/locked"), fs::perms::owner_read | fs::perms::owner_exec);
    const std::string outside = Write("outside/keep.txt", "keep");
    fs::create_directory_symlink(Path("outside"), Path("tree/link"));

    EXPECT_EQ(_path_RemoveFolder(Path("tree")), 0);
    EXPECT_FALSE(fs::exists(Path("tree")));
    EXPECT_EQ(Read("outside/keep.txt"), "keep");

    EXPECT_EQ(_path_RemoveFolder(Path("tree")), 1);
    EXPECT_EQ(_path_RemoveFolder(outside), 0);
    EXPECT_TRUE(fs::exists(outside)) << "a file is not a folder to remove";
}

TEST_F(FileOperations, RenameFileNeverReplacesAnotherFile) {
    const std::string file = Write("old.txt", "content");
    EXPECT_EQ(_path_RenameFile(file, Path("new.txt")), 0);
    EXPECT_EQ(Read("new.txt"), "content");
    EXPECT_EQ(_path_RenameFile(file, Path("again.txt")), 1);

    Write("other.txt", "other");
    EXPECT_EQ(_path_RenameFile(Path("new.txt"), Path("other.txt")), 1);
    EXPECT_EQ(Read("new.txt"), "content");
    EXPECT_EQ(Read("other.txt"), "other");
    EXPECT_EQ(_path_RenameFile(Path("new.txt"), Path("missing/x.txt")), 1);
}
