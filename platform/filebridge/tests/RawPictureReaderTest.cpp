#include <gtest/gtest.h>

#include <libraw.h>

#include <string>

#include "ImportTestSupport.h"
#include "RawPictureReader.h"

namespace filebridge::testing {
namespace {

TEST(RawPictureReaderTest, RawExtensionsChooseTheRawReader) {
    for (const char* path : {"a.CR2", "b.nef", "c.dng", "d.arw", "e.raf", "dir.nef/f.orf"}) {
        EXPECT_EQ(KindOfPath(path), FileKind::kRawPicture) << path;
    }
    EXPECT_EQ(KindOfPath("a.emf"), FileKind::kEmfPicture);
}

TEST(RawPictureReaderTest, GarbageFailsWithTheDecodersReason) {
    std::string tiffHeaderOnly = "II*";
    tiffHeaderOnly += std::string("\0\x08\0\0\0", 5);
    const std::pair<const char*, std::string> cases[] = {
        {"empty", ""},
        {"text", "not a camera raw file at all"},
        {"noise", std::string(4096, '\x5a')},
        {"picture header only", tiffHeaderOnly},
    };
    for (const auto& [name, bytes] : cases) {
        const ImportOutcome outcome = ImportBytes(FileKind::kRawPicture, bytes, TestOptions());
        EXPECT_FALSE(outcome.Succeeded()) << name;
        EXPECT_TRUE(outcome.records.empty()) << name;
        EXPECT_EQ(outcome.failure.rfind("unreadable camera raw file: ", 0), 0u) << name << ": " << outcome.failure;
    }
}

TEST(RawPictureReaderTest, EveryDecoderErrorHasItsOwnReason) {
    const std::pair<int, const char*> cases[] = {
        {LIBRAW_FILE_UNSUPPORTED, "not a camera raw file or a camera not supported"},
        {LIBRAW_REQUEST_FOR_NONEXISTENT_IMAGE, "the file holds no such image"},
        {LIBRAW_OUT_OF_ORDER_CALL, "decoder used out of order"},
        {LIBRAW_NOT_IMPLEMENTED, "image kind not supported"},
        {LIBRAW_UNSUFFICIENT_MEMORY, "file needs more memory than is available"},
        {LIBRAW_TOO_BIG, "file needs more memory than is available"},
        {LIBRAW_DATA_ERROR, "damaged image data"},
        {LIBRAW_IO_ERROR, "file cut short or unreadable"},
        {LIBRAW_BAD_CROP, "bad crop area"},
        {-12345, "error -12345"},
    };
    for (const auto& [code, reason] : cases) {
        EXPECT_EQ(RawFailureReason(code), reason) << code;
    }
}

}  // namespace
}  // namespace filebridge::testing
