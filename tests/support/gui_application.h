#pragma once
// Text drawing needs a QGuiApplication: a test program that draws text calls
// this once from a static initialiser, and gets one on the offscreen platform.

namespace lumivo::test {

bool RegisterGuiApplication();

}  // namespace lumivo::test
