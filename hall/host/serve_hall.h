#pragma once

// `gohall --serve`: the hall as a headless server of tables for remote halls.
int ServeHall(int argc, char** argv);

// Whether the command line asks for the server (it needs no display, so it is known before any
// application object is made).
bool AsksToServe(int argc, char** argv);
