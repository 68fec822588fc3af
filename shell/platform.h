#pragma once

// Detaches the game from its console window where the platform has one; the trace
// keeps going to standard output everywhere.
void hideConsoleWindow();
