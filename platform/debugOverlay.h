#pragma once

// The debug overlay of boxes and anchors: the player toggles it from the controller and
// the scene draws it, so the flag sits below both.
extern bool debugging;
