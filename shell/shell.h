#pragma once

#include <string>

#include "SDL.h"

// Program-wide objects of the game shell.
extern SDL_Surface* screen; // the 800x600 32-bit video surface; every sprite draws on it
extern SDL_Surface* back;   // the stage bitmap in display format, owned by the shell

// Brings up SDL, the mixer and the video mode and sets `screen`; ends the process
// with exit code 1 when SDL or the video mode cannot start, or when there is no display
// to show the window on. No audio is only a warning. The window shows the screen
// `scale` times its size (1 to 4), or fills the display when `fullscreen`; the screen
// surface every drawing goes to stays 800x600 either way.
void sdlInit(int scale = 1, bool fullscreen = false);
// Loads a BMP in display format; null when it cannot be read.
SDL_Surface* ImageLoad(const std::string& path);
// Loads the stage into `back` from dataRoot/tBG2.bmp; a stage that cannot be read
// stops the game with a message and exit code 1. Returns 0.
int InitImages(const std::string& dataRoot = "data");
// Frees the stage; `back` is null after it.
void ReleaseImages();
// Blits the whole stage at (0, 0).
void DrawBG();
// Blits a whole surface with its top-left corner at (x, y).
void DrawIMG(SDL_Surface* surface, int x, int y);
