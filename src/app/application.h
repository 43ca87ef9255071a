#pragma once
// The program from start to end: single instance, settings folder, the
// window and its message loop.

namespace lumivo::app {

int RunLumivo(int argc, char** argv);

}  // namespace lumivo::app
