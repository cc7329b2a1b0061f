// A picture as terminal text: each character cell is an upper half block whose
// foreground is the upper pixel and whose background is the lower one, so a cell
// shows two rows of the picture. True colour where the terminal announces it,
// else the 256-colour palette.
#pragma once

#include <string>
#include <vector>

#include "apps/picture_source.h"

namespace host {

enum class ColourDepth { kTrueColour, k256 };

// True colour when COLORTERM (given here) says "truecolor" or "24bit".
ColourDepth ColourDepthFrom(const char* colorterm);

// The nearest colour of the 256-colour palette's 6 x 6 x 6 cube and grey ramp.
int Palette256(int r, int g, int b);

// `rows` lines of `columns` cells, the picture sampled evenly over them; each
// line ends with the colours reset. An empty picture gives black cells.
std::vector<std::string> HalfBlockLines(const RgbPicture& picture, int columns, int rows,
                                        ColourDepth depth);

}  // namespace host
