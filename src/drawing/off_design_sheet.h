// The window's sheet after a design was refused: why, and what would work.
#pragma once

#include <string>
#include <vector>

#include "drawing_target.h"

namespace tavro {

// In place of the blank-sheet prompt, which asks for fields that are all filled: the words
// "Нерасчетный режим" and the detail lines, each wrapped to the sheet's width and centred.
void OffDesignSheet(DrawingTarget& sheet, Rgb buttonFace, const std::vector<std::string>& lines);

}  // namespace tavro
