#pragma once
#include "Score.h"

#include <cstdint>
#include <vector>

namespace tools::media {

// Plays a score into 16-bit mono samples, sampleCount of them (the score's
// own length when 0). Every note rings out to silence. In a looping score
// what rings past the end is added to the beginning, so the last sample
// runs on into the first; otherwise it is cut and the sound fades out over
// its last quarter second. The loudest sample is scaled to 70% of full scale.
std::vector<std::int16_t> synthesize(const Score& score, std::size_t sampleCount = 0);

} // namespace tools::media
