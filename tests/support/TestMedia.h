#pragma once
#include <string>

namespace testsupport {

// Small media files written by the tests themselves, so the players can be
// checked on files of known length and size.

struct TestMovie {
    int width = 64;
    int height = 48;
    int framesPerSecond = 10;
    int frames = 20;
    // With an interleaved track of silence, as movies with sound have.
    bool withSound = false;
};

// An uncompressed AVI: each frame one flat colour that changes from frame
// to frame.
void writeTestAvi(const std::string& path, const TestMovie& movie);

// A PCM WAV of a quiet tone, 8 kHz mono 16-bit.
void writeTestWav(const std::string& path, double seconds);

} // namespace testsupport
