// Job files for the preview's tests, written by the controller library's own job calls and read back
// through the job reader, as the program makes and previews them.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "JobCommand.h"
#include "PreviewJob.h"

namespace simscope::testing {

// Writes a job whose body the function makes (between the start and the end of the job) into the test's
// program folder and returns its path.
std::filesystem::path WriteJob(const std::string& name, const std::function<void()>& body);

// A job with a bit of everything: travel, cuts in several powers, a ramped cut, a dot (delay) and cuts
// at negative coordinates, about 120 mm x 80 mm.
void WriteMixedJob();

// A scan-engraving job of `rows` rows of `runs` ramped runs each, as the bitmap output writes it.
void WriteScanJob(int rows, int runs, double rowPitchMm);

// Small closed contours (letters of a sign, say): `count` circles of 24 cuts each in a grid.
void WriteContourJob(int count);

PreviewJob LoadedJob(const std::filesystem::path& file, Corner corner = Corner::BottomLeft,
                     double defaultSpeed = 100.0);

JobCommand Rec(JobCommand::Kind kind, double a = 0.0, double b = 0.0);

// The job's commands (feed shifts applied, not mirrored) in order.
std::vector<JobCommand> ToVector(const PreviewJob& job);

}  // namespace simscope::testing
