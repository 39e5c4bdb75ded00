#pragma once
// The render pass: clears the back buffer, draws every active actor in slot order
// (its DrawProc, or the default sprite drawing with table animation, pattern cycling,
// scaling, translucency and blink/flash) and shows the frame.
namespace tolvane {

// Does nothing at all (no clear, no flip, no state change) while the display cannot be
// drawn on. Animation and blink state advance only on frames that are drawn.
void DrawActors();

}  // namespace tolvane
