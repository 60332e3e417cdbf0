// SPDX-License-Identifier: MIT
// The window's one picture: its plain grey background, in a buffer of
// shared memory that the compositor reads.
#pragma once

#include "platform/wayland/wayland_client.h"

namespace titletype {

/// A buffer of `width` x `height` pixels, all grey; nothing if the memory
/// cannot be had (the window then shows no content, its frame still the
/// title).
wl_buffer* grey_buffer(wl_shm* shm, int width, int height);

}  // namespace titletype
