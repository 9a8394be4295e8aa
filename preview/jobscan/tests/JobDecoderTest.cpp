// The decoder's two forms against each other on real jobs: the bulk form, expanded, gives the list
// form's records bit for bit, on every prefix of a job (a file cut off anywhere), from stored bytes and
// from the opcode stream; a ramped cut stays one bulk record. And list nodes outlive the thread that
// made them.
#include "JobDecoder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <thread>
#include <vector>

#include "AtomicFile.h"
#include "ByteTransform.h"
#include "JobCommandTestSupport.h"
#include "JobMemorySink.h"
#include "Jobscan.h"
#include "MotionlinkJob.h"
#include "TempHome.h"

namespace {

using jobscan::DecodeJob;
using jobscan::JobBytes;
using jobscan::JobRecord;
using jobscan::testing::ToVector;

// Travel, straight cuts along both axes and relative steps, and ramped runs between two powers.
std::vector<std::uint8_t> StoredJobWithRamps(int parts) {
    motionlink::JobMemorySink sink;
    Zint_StrtWFile(&sink);
    for (int part = 0; part < parts; ++part) {
        const double x = part * 3.0;
        EXPECT_EQ(Zint_wSetEngVel(40.0 + part % 50), 0);
        EXPECT_EQ(Zint_ExwSetMaxPower(60.0, 60.0, 1), 0);
        EXPECT_EQ(Zint_wMoveTo(nullptr, nullptr, x, 1.0), 0);
        EXPECT_EQ(Zint_wLineTo(nullptr, nullptr, x + 2.0, 1.0), 0);
        EXPECT_EQ(Zint_wLineTo(nullptr, nullptr, x + 2.0, 1.5), 0);
        EXPECT_EQ(Zint_wLineTo(nullptr, nullptr, x + 2.25, 1.6), 0);
        EXPECT_EQ(Zint_ExwSetImdPower(20.0 + part % 50, 20.0, 1), 0);
        EXPECT_EQ(Zint_ExwSetEndPower(80.0, 80.0, 1), 0);
        EXPECT_EQ(Zint_wLineTo(nullptr, nullptr, x + 40.0, -7.5), 0);
        EXPECT_EQ(Zint_wSetBlockEnd(), 0);
    }
    EXPECT_EQ(Zint_wSetFileEnd(), 0);
    return sink.Bytes();
}

std::vector<JobCommand> ListForm(std::span<const std::uint8_t> bytes, JobBytes form) {
    CDbList<JobCommand> list;
    DecodeJob(bytes, form, &list);
    return ToVector(list);
}

std::vector<JobCommand> Expanded(const std::vector<JobRecord>& records) {
    std::vector<JobCommand> commands;
    for (const JobRecord& record : records) {
        jobscan::ExpandRecord(record, [&](const JobCommand& command) { commands.push_back(command); });
    }
    return commands;
}

std::vector<JobCommand> ExpandedBulkForm(std::span<const std::uint8_t> bytes, JobBytes form,
                                         std::vector<JobRecord>& records) {
    DecodeJob(bytes, form, records);
    return Expanded(records);
}

std::vector<std::uint8_t> OpcodesOf(std::vector<std::uint8_t> stored) {
    for (std::uint8_t& byte : stored) {
        byte = motionlink::OpcodeByteFromStored(byte);
    }
    return stored;
}

TEST(JobDecoderTest, BulkFormExpandsToTheListFormOnEveryPrefixOfAJob) {
    const std::vector<std::uint8_t> stored = StoredJobWithRamps(6);
    const std::vector<std::uint8_t> opcodes = OpcodesOf(stored);
    std::vector<JobRecord> records;  // one buffer for every prefix, as a caller reusing it does
    for (std::size_t length = 0; length <= stored.size(); ++length) {
        const std::span<const std::uint8_t> storedPrefix = std::span(stored).first(length);
        const std::vector<JobCommand> list = ListForm(storedPrefix, JobBytes::kStored);
        ASSERT_EQ(ExpandedBulkForm(storedPrefix, JobBytes::kStored, records), list) << "prefix " << length;
        ASSERT_EQ(ListForm(std::span(opcodes).first(length), JobBytes::kOpcodes), list) << "prefix " << length;
    }
}

TEST(JobDecoderTest, RampedCutStaysOneBulkRecordAndGivesTwentyListRecords) {
    constexpr int kParts = 6;
    const std::vector<std::uint8_t> stored = StoredJobWithRamps(kParts);
    std::vector<JobRecord> records;
    DecodeJob(stored, JobBytes::kStored, records);
    const auto ramps = std::count_if(records.begin(), records.end(), [](const JobRecord& record) {
        return record.kind == JobRecord::kPowerRamp;
    });
    EXPECT_EQ(ramps, kParts);
    const std::vector<JobCommand> list = ListForm(stored, JobBytes::kStored);
    EXPECT_EQ(list.size(), records.size() - ramps + 20 * ramps);
}

TEST(JobDecoderTest, FileReadersGiveTheFormsOfTheFile) {
    const std::vector<std::uint8_t> stored = StoredJobWithRamps(3);
    const auto path = cutrix::testing::TempHome() / "ramps.zint";
    ASSERT_TRUE(platform::WriteFileAtomically(path, stored));
    CDbList<JobCommand> list;
    ASSERT_EQ(Zint_ReadZintFile(path.c_str(), &list, 0), 0);
    EXPECT_EQ(ToVector(list), ListForm(stored, JobBytes::kStored));
    std::vector<JobRecord> records;
    ASSERT_TRUE(jobscan::ReadJobRecords(path.c_str(), records));
    EXPECT_EQ(Expanded(records), ToVector(list));
    EXPECT_FALSE(jobscan::ReadJobRecords((path.string() + ".missing").c_str(), records));
    EXPECT_EQ(Expanded(records), ToVector(list));  // untouched
    // Read again into the kept buffer, after a longer job: the shorter one's end is not the longer one's.
    const std::vector<std::uint8_t> shorter(stored.begin(), stored.begin() + stored.size() / 3);
    ASSERT_TRUE(platform::WriteFileAtomically(path, shorter));
    CDbList<JobCommand> again;
    ASSERT_EQ(Zint_ReadZintFile(path.c_str(), &again, 0), 0);
    EXPECT_EQ(ToVector(again), ListForm(shorter, JobBytes::kStored));
}

// The nodes of a job's list come from a pool per thread; a list read by a worker is freed by the
// window's thread after the worker has ended, and a list freed while its slab is still open on another
// thread frees nothing twice (the sanitizers check both).
TEST(JobDecoderTest, ListNodesMadeOnOneThreadAreFreedOnAnother) {
    const std::vector<std::uint8_t> stored = StoredJobWithRamps(2000);  // several slabs' worth of nodes
    CDbList<JobCommand> fromWorker;
    std::thread([&] { DecodeJob(stored, JobBytes::kStored, &fromWorker); }).join();
    const std::vector<JobCommand> expected = ToVector(fromWorker);
    EXPECT_GT(expected.size(), 30000u);
    fromWorker.RemoveAll();

    auto mine = std::make_unique<CDbList<JobCommand>>();
    DecodeJob(stored, JobBytes::kStored, mine.get());
    std::thread([&] { mine.reset(); }).join();
    CDbList<JobCommand> afterwards;
    DecodeJob(stored, JobBytes::kStored, &afterwards);
    EXPECT_EQ(ToVector(afterwards), expected);
}

}  // namespace
