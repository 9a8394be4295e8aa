// The older file form of the machine parameter records: the record's fields one after another in a
// plain archive, with no header and no version. It is still read, never written.
#pragma once

#include "MachineParaRecords.h"

#include <cstddef>
#include <cstdint>
#include <span>

constexpr std::size_t kOlderVendorFormBytes = 490;
constexpr std::size_t kOlderUserFormBytes = 204;

// Reads the older form over a copy of the record and puts it in place only when the bytes are exactly
// the form's size and the record is then InRange, by the same ranges as the current form. Fields that the
// form lacks (the vendor's pre-ignition values and PWM rising edges; the user's line-by-line feeding) keep
// their values. false, with the record unchanged, otherwise.
bool ReadOlderVendorForm(std::span<const std::uint8_t> bytes, CVendorPara& record);
bool ReadOlderUserForm(std::span<const std::uint8_t> bytes, CUserPara& record);
