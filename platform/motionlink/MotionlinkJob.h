// The job-writing calls of the controller library. Zint_StrtWFile opens a job on a sink (a job file or
// the open connection); every call after it appends commands to that job, and Zint_wSetFileEnd ends it.
// Each call returns its status: 0 when the command is part of the job, else a JobStatus code.
//
// Units as the callers pass them: positions and distances in mm, speeds in mm/s, laser delays in ms,
// dot times in s, the Exw powers in percent and the per-layer list powers as fractions 0..1. Layer
// indexes of the per-layer lists run from 0 to 127.
#pragma once

#include <cstdint>

#include "ByteTransform.h"
#include "JobSink.h"

// Starts a new job. A null sink streams the job into the open connection (status 1 when none is
// open). The caller keeps the sink alive until Zint_wSetFileEnd; an unfinished earlier job is dropped.
std::uint16_t Zint_StrtWFile(motionlink::JobSink* sink);

// Job header.
std::uint16_t Zint_wSetRefPointMode(std::uint8_t mode);  // 0 current position, 1 anchor, 2 machine zero
std::uint16_t Zint_wSetAbsProcess();
std::uint16_t Zint_wStrtProcess();
std::uint16_t Zint_wSetFeedRepeat(std::uint32_t count, double distanceMm);
std::uint16_t Zint_SetRotateRatio(std::uint32_t on, double ratio);
std::uint16_t Zint_wSetProcessTopLeft(double xMm, double yMm);
std::uint16_t Zint_wSetProcessBottomRight(double xMm, double yMm);
std::uint16_t Zint_wSetProcessRepeat(std::uint32_t columns, std::uint32_t rows, double pitchXMm,
                                     double pitchYMm);
std::uint16_t Zint_wArrayDir(std::uint32_t directionX, std::uint32_t directionY);

// Per-layer parameter lists; laser is 1 or 2.
std::uint16_t Zint_wPListVel(std::uint32_t layer, double speedMmPerS);
std::uint16_t Zint_wPListMinP(std::uint32_t layer, std::uint32_t laser, double powerFraction);
std::uint16_t Zint_wPListMaxP(std::uint32_t layer, std::uint32_t laser, double powerFraction);
std::uint16_t Zint_wPListColor(std::uint32_t layer, std::uint32_t colour);
std::uint16_t Zint_wPListMaxLayer(std::uint32_t lastLayer);

// Block head.
std::uint16_t Zint_wSetWorkMode(std::uint8_t mode);
std::uint16_t Zint_wSetLayerNum(std::uint8_t layer);
std::uint16_t Zint_wSetLayerDevice(std::uint8_t device);
std::uint16_t Zint_wSetLayerBlower(std::uint32_t on);
std::uint16_t Zint_wSetEngVel(double speedMmPerS);
std::uint16_t Zint_wSetForceEngVel(double speedMmPerS);
std::uint16_t Zint_wSetAxisVel(double speedMmPerS);
std::uint16_t Zint_wLaserOn(double delayMs);
std::uint16_t Zint_wLaserOff(double delayMs);
std::uint16_t Zint_wLaserOn2(double delayMs);
std::uint16_t Zint_wLaserOff2(double delayMs);
std::uint16_t Zint_wEnLaserTube(std::uint32_t laser1On, std::uint32_t laser2On);
std::uint16_t Zint_wEnExIO(std::uint32_t value, std::uint32_t reserved1, std::uint32_t reserved2,
                           std::uint32_t reserved3);

// Powers in percent for laser 1 and laser 2. Min and Max are the block's powers; Imd and End are the
// powers at the start and at the end of the next lines (equal values give a constant power, different
// values a ramp along each line). powerMode is carried with the powers.
std::uint16_t Zint_ExwSetMinPower(double percent1, double percent2, int powerMode);
std::uint16_t Zint_ExwSetMaxPower(double percent1, double percent2, int powerMode);
std::uint16_t Zint_ExwSetImdPower(double percent1, double percent2, int powerMode);
std::uint16_t Zint_ExwSetEndPower(double percent1, double percent2, int powerMode);

// Travel move and cut line to an absolute job position. Positions are rounded to the micrometre; the
// two cells, when not null, receive the rounded running position in micrometres (x, y).
std::uint16_t Zint_wMoveTo(std::int32_t* cellX, std::int32_t* cellY, double xMm, double yMm);
std::uint16_t Zint_wLineTo(std::int32_t* cellX, std::int32_t* cellY, double xMm, double yMm);

// One dot: the laser fires for the given time at the current position.
std::uint16_t Zint_wSetLaserInterval(double seconds);

// A move of an extra axis (3 = Z) by distanceMm; mode bit 0 switches the laser on during the move.
// Axis 0..7, mode 0..15.
std::uint16_t Zint_wAxisMove(std::uint32_t axis, double distanceMm, std::uint32_t reserved1,
                             std::uint32_t reserved2, std::uint32_t mode);

std::uint16_t Zint_wSetBlockEnd();
// Ends the job: writes the end command and finishes the sink (a job file is written then).
std::uint16_t Zint_wSetFileEnd();
