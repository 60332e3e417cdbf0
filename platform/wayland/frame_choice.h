// SPDX-License-Identifier: MIT
// Which frame shows the Wayland window's title. Where the compositor draws
// frames the window asks it to draw one; the compositor answers before the
// window's first picture, and may answer that the window must frame itself
// (KWin can, by a rule). A window without a frame would have no title, the
// game's whole display: libdecor then frames it, or another window plays.
#pragma once

namespace titletype {

/// Which frames a Wayland window may have.
enum class WaylandFrame {
  kAny,          // the compositor's, or else libdecor's
  kCompositors,  // the compositor's only: without one, another window plays
};

/// What the window does after the compositor's answer.
enum class FrameAfterAnswer { kCompositors, kLibdecor, kGiveWay };

constexpr FrameAfterAnswer frame_after_answer(WaylandFrame allowed, bool compositor_frames) {
  if (compositor_frames) return FrameAfterAnswer::kCompositors;
  return allowed == WaylandFrame::kAny ? FrameAfterAnswer::kLibdecor : FrameAfterAnswer::kGiveWay;
}

}  // namespace titletype
