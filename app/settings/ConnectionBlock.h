// The controller connection block inside "config". Its record belongs to the controller link, which
// sits above this library and registers its serialiser at start-up; until one is registered the block
// is carried through unchanged, so that saving "config" never loses the connection settings.
#pragma once

#include "Archive.h"

#include <functional>

// Stores or loads the connection block, as the archive's direction says.
using ConnectionSerializer = std::function<void(platform::Archive&)>;

// Registers the serialiser of the connection settings; an empty one restores the pass-through.
// Either way, bytes that the pass-through kept are dropped.
void SetConnectionSerializer(ConnectionSerializer serializer);

// Stores or loads the block through the registered serialiser, or through the pass-through: loading
// keeps the block's bytes, storing writes the kept bytes or, when none were loaded, a block with
// automatic port choice and no addresses.
void SerializeConnectionBlock(platform::Archive& archive);
