// Probing many places for a controller at once, as the device search does: each probe greets on a
// connection of its own with a short deadline, so that a subnet of silent hosts costs a few deadlines
// instead of 256 full ones, and the shared connection is never touched.
#pragma once

#include "ControllerConnection.h"

#include <chrono>
#include <vector>

// A controller on the local network or a serial line answers a greeting within milliseconds.
inline constexpr std::chrono::milliseconds kProbeGreetingDeadline{400};

// Whether a controller of the program's card version answered at each target, in the targets' order.
std::vector<bool> ProbeControllers(const std::vector<motionlink::link::ConnectionTarget>& targets);
