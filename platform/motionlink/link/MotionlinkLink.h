// Motionlink's controller calls: opening the link, machine status, parameters, the document store,
// process control, direct moves, statistics, the panel logo and firmware updates. Every call returns its
// status (LinkStatus.h): 0 = done.
//
// Zint_Open opens the one connection that all later calls use, until Zint_Close; calls without an open
// connection return the communication error. Calls may come from any thread, one request at a time.
//
// Transfers (Zint_WritePort, a job streamed through the encoder, logos, firmware) keep a window of
// chunks in flight: a data call may return once its bytes are in the window. A failure that comes later
// (the controller refusing a chunk, or silent for 2.5 s) is returned by the next call, and by the call
// that ends the transfer: the job's end, the next call of another kind, or Zint_Close. Nothing counts as
// done that the controller has not confirmed.
// Where a connection goes (network port, COM port devices) is described in ControllerConnection.h.
// Index arguments: axes 1..4 (1 X, 2 Y, 3 Z, 4 U; backlash 1..2), lasers 1..2.
#pragma once

#include "LinkStatus.h"

#include <cstdint>
#include <string>

// Connection and machine state.
std::uint16_t Zint_Open(std::uint16_t kind, std::uint16_t port, const std::string& address);
// The status of a transfer that the close ended (0 when none was under way); the link closes anyway.
std::uint16_t Zint_Close();
// The card version that Zint_Open announces; the controller answers a version it does not serve with
// the mismatch status.
std::uint16_t Zint_SetCardVer(std::uint32_t version);
// byte 0: non-zero while processing or paused; byte 1: non-zero while paused; bytes 2..4: 0.
std::uint16_t Zint_GetMachineStauts(std::uint8_t status[5]);
std::uint16_t Zint_GetAxisPrfPos(std::uint32_t axis, std::int32_t* micrometres);
std::uint16_t Zint_ReadParam(std::uint32_t address, std::uint8_t value[5]);
std::uint16_t Zint_GetManiboardVer(std::string* version);

// Axis parameters.
std::uint16_t Zint_GetAxisCtrlPara(std::uint32_t axis, std::uint8_t word[8]);
std::uint16_t Zint_SetAxisCtrlPara(std::uint32_t axis, const std::uint8_t word[8]);
std::uint16_t Zint_GetAxisPrecision(std::uint32_t axis, double* micrometresPerPulse);
std::uint16_t Zint_SetAxisPrecision(std::uint32_t axis, double micrometresPerPulse);
std::uint16_t Zint_GetAxisMaxVel(std::uint32_t axis, double* value);
std::uint16_t Zint_SetAxisMaxVel(std::uint32_t axis, double value);
std::uint16_t Zint_GetAxisStrtVel(std::uint32_t axis, double* value);
std::uint16_t Zint_SetAxisStrtVel(std::uint32_t axis, double value);
std::uint16_t Zint_GetAxisMaxAcc(std::uint32_t axis, double* value);
std::uint16_t Zint_SetAxisMaxAcc(std::uint32_t axis, double value);
std::uint16_t Zint_GetAxisRange(std::uint32_t axis, double* millimetres);
std::uint16_t Zint_SetAxisRange(std::uint32_t axis, double millimetres);
std::uint16_t Zint_GetBtnStrtVel(std::uint32_t axis, double* value);
std::uint16_t Zint_SetAxisBtnStrtVel(std::uint32_t axis, double value);
std::uint16_t Zint_GetAxisBtnAcc(std::uint32_t axis, double* value);
std::uint16_t Zint_SetAxisBtnAcc(std::uint32_t axis, double value);
std::uint16_t Zint_GetAxisEstpAcc(std::uint32_t axis, double* value);
std::uint16_t Zint_SetAxisEstpAcc(std::uint32_t axis, double value);
std::uint16_t Zint_GetAxisHomeOffset(std::uint32_t axis, double* value);
std::uint16_t Zint_SetAxisHomeOffset(std::uint32_t axis, double value);
std::uint16_t Zint_GetAxisBackLash(std::uint32_t axis, double* value);
std::uint16_t Zint_SetAxisBackLash(std::uint32_t axis, double value);

// Laser parameters.
std::uint16_t Zint_GetLaserMaxPower(std::uint32_t laser, double* value);
std::uint16_t Zint_SetLaserMaxPower(std::uint32_t laser, double value);
std::uint16_t Zint_GetLaserMinPower(std::uint32_t laser, double* value);
std::uint16_t Zint_SetLaserMinPower(std::uint32_t laser, double value);
std::uint16_t Zint_GetLaserPWMFreq(std::uint32_t laser, double* value);
std::uint16_t Zint_SetLaserPWMFreq(std::uint32_t laser, double value);
std::uint16_t Zint_GetLaserStdbyFreq(std::uint32_t laser, double* value);
std::uint16_t Zint_SetLaserStdbyFreq(std::uint32_t laser, double value);
std::uint16_t Zint_GetLaserStdbyPulse(std::uint32_t laser, double* value);
std::uint16_t Zint_SetLaserStdbyPulse(std::uint32_t laser, double value);
std::uint16_t Zint_GetLaserAttenu(double* value);
std::uint16_t Zint_SetLaserAttenu(double value);

// Machine words.
std::uint16_t Zint_GetSystemCtrlMode(std::uint8_t word[8]);
std::uint16_t Zint_SetSystemCtrlMode(const std::uint8_t word[8]);
std::uint16_t Zint_GetSystemSettings(std::uint8_t word[6]);
std::uint16_t Zint_SetSystemSettings(const std::uint8_t word[6]);
std::uint16_t Zint_GetIOEnable(std::uint8_t word[4]);
std::uint16_t Zint_SetIOEnable(const std::uint8_t word[4]);
std::uint16_t Zint_GetMachineType(std::uint16_t* type);
std::uint16_t Zint_SetMachineType(std::uint16_t type);
std::uint16_t Zint_GetShutDownDelay(std::int32_t* milliseconds);
std::uint16_t Zint_SetShutDownDelay(std::int32_t milliseconds);
std::uint16_t Zint_GetCardLang(std::uint8_t* language);

// User motion values.
std::uint16_t Zint_GetG0Vel(double* value);
std::uint16_t Zint_SetG0Vel(double value);
std::uint16_t Zint_GetG0Acc(double* value);
std::uint16_t Zint_SetG0Acc(double value);
std::uint16_t Zint_GetTurnVel(double* value);
std::uint16_t Zint_SetTurnVel(double value);
std::uint16_t Zint_GetTurnAcc(double* value);
std::uint16_t Zint_SetTurnAcc(double value);
std::uint16_t Zint_GetSynAcc(double* value);
std::uint16_t Zint_SetSynAcc(double value);
std::uint16_t Zint_GetG0Delay(double* value);
std::uint16_t Zint_SetG0Delay(double value);
std::uint16_t Zint_GetXMinEngVel(double* value);
std::uint16_t Zint_SetXMinEngVel(double value);
std::uint16_t Zint_GetYMinEngVel(double* value);
std::uint16_t Zint_SetYMinEngVel(double value);
std::uint16_t Zint_GetXEngAcc(double* value);
std::uint16_t Zint_SetXEngAcc(double value);
std::uint16_t Zint_GetYEngAcc(double* value);
std::uint16_t Zint_SetYEngAcc(double value);
std::uint16_t Zint_GetEngVertVel(double* value);
std::uint16_t Zint_SetEngVertVel(double value);
std::uint16_t Zint_GetEngFacula(double* value);
std::uint16_t Zint_SetEngFacula(double value);
std::uint16_t Zint_GetHomeVel(double* value);
std::uint16_t Zint_SetHomeVel(double value);
std::uint16_t Zint_GetGoScaleBlank(double* value);
std::uint16_t Zint_SetGoScaleBlank(double value);
std::uint16_t Zint_GetFocusDepth(double* value);
std::uint16_t Zint_SetFocusDepth(double value);
std::uint16_t Zint_GetAccRatio(std::int32_t* value);
std::uint16_t Zint_SetAccRatio(std::int32_t value);
std::uint16_t Zint_GetAccG0Ratio(std::int32_t* value);
std::uint16_t Zint_SetAccG0Ratio(std::int32_t value);
std::uint16_t Zint_GetTurnRatio(std::int32_t* value);
std::uint16_t Zint_SetTurnRatio(std::int32_t value);
std::uint16_t Zint_GetFeedDelayPre(std::int32_t* milliseconds);
std::uint16_t Zint_SetFeedDelayPre(std::int32_t milliseconds);
std::uint16_t Zint_GetFeedDelayAft(std::int32_t* value);
std::uint16_t Zint_SetFeedDelayAft(std::int32_t value);

// Statistics: times in seconds (previous work time in ms), travel in metres.
std::uint16_t Zint_GetTotalOpenTime(std::uint32_t* seconds);
std::uint16_t Zint_SetTotalOpenTime(std::uint32_t seconds);
std::uint16_t Zint_GetTotalWorkTime(std::uint32_t* seconds);
std::uint16_t Zint_SetTotalWorkTime(std::uint32_t seconds);
std::uint16_t Zint_GetTotalCutrixTime(std::uint32_t* seconds);
std::uint16_t Zint_SetTotalCutrixTime(std::uint32_t seconds);
std::uint16_t Zint_GetTotalWorkNum(std::uint32_t* count);
std::uint16_t Zint_SetTotalWorkNum(std::uint32_t count);
std::uint16_t Zint_GetTotalWorkLengthX(std::uint32_t* metres);
std::uint16_t Zint_SetTotalWorkLengthX(std::uint32_t metres);
std::uint16_t Zint_GetTotalWorkLengthY(std::uint32_t* metres);
std::uint16_t Zint_SetTotalWorkLengthY(std::uint32_t metres);
std::uint16_t Zint_GetPreWorkTime(std::uint32_t* milliseconds);
std::uint16_t Zint_SetPreWorkTime(std::uint32_t milliseconds);

// Process control and direct moves.
std::uint16_t Zint_PauseProcess();
std::uint16_t Zint_RestoreProcess();
std::uint16_t Zint_StopProcess();
std::uint16_t Zint_SetEngVel(double millimetresPerSecond);
std::uint16_t Zint_ExSetMinPower(double percentLaser1, double percentLaser2, std::int32_t mode);
std::uint16_t Zint_ExSetMaxPower(double percentLaser1, double percentLaser2, std::int32_t mode);
// axis 1 X, 2 Y, 3 Z, 5 X and Y together; mode 0 to the distance from the origin with the laser off,
// 1 the same with the laser on, 2 by the distance from the current position with the laser off, 3 the
// same with the laser on. A move of distance 0 from the origin sends the axis home.
std::uint16_t Zint_AxisMove(std::uint32_t axis, double millimetres, std::uint32_t reserved1,
                            std::uint32_t reserved2, std::uint32_t mode);

// The document store; documents are numbered from 1 (0 = all, for delete only). Names are UTF-8 here
// and GBK in the controller, at most 64 GBK bytes.
std::uint16_t Zint_GetTotalDocNum(std::uint32_t* count);
std::uint16_t Zint_GetDocumentName(std::uint32_t number, std::string* name);
std::uint16_t Zint_GetDocumentTime(std::uint32_t number, std::int32_t* milliseconds);
std::uint16_t Zint_DeleteDocument(std::uint32_t number);
std::uint16_t Zint_StrtSelDocument(std::uint32_t number);
std::uint16_t Zint_CalDocumentTime(std::uint32_t number);
// Starts storing a new document under the name; the bytes follow through Zint_WritePort. The controller
// stores the document when the transfer ends (the next call of another kind, or Zint_Close) with every
// byte confirmed; a download that fails leaves its document store as it was.
std::uint16_t Zint_StrtDownFile(const std::string& name);
// Sends job bytes: into the document that Zint_StrtDownFile started, else into the job the controller
// runs as soon as it ends. Longer data travel as several chunks.
std::uint16_t Zint_WritePort(const std::uint8_t* data, std::uint32_t length);
std::uint16_t Zint_GetDocumentPageNum(std::uint16_t number, std::uint32_t* pages);
// One page of up to 2112 bytes into the buffer: 0 or 3 more pages follow, 4 last page, 2 busy (ask
// again). Page 0 starts with a header that ends with the byte that Zint_UBCmd turns into 0. A page that
// the controller reports longer than 2112 bytes, or longer than what arrived, is a communication error.
std::uint16_t Zint_GetDocumentPageData(std::uint16_t number, std::uint32_t page, std::uint8_t buffer[2112],
                                       std::uint32_t* length);

// Panel logo and firmware.
// The 128 x 64 monochrome logo, 1024 bytes.
std::uint16_t Zint_UpdateLogo(const std::uint8_t* logo, std::uint32_t length);
// A colour panel picture: a packed device-independent bitmap (info header, pixel rows) of 24 bits per
// pixel and 640 x 480, 320 x 240 or 800 x 480 pixels.
std::uint16_t Zint_UpdateColorLogo(const std::uint8_t* packedDib, std::uint32_t length);
// 0 usable, 1 cannot be read, 2 not an update file for the target (1 = mainboard); format in UpdateFile.h.
std::uint16_t Zint_IsUpdateFileValid(const std::string& path, std::uint32_t target);
// Sends the update file to the controller that was opened last, over a connection of its own; 0 once
// the controller has checked and taken it. A file that is not valid is not sent (5).
std::uint16_t Zint_Update(const std::string& path, std::uint32_t target);
