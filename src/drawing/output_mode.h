// The outputs of the drawing, as the user's command or the tool's options name them.
#pragma once

namespace tavro {

// The window's sheet in its own units, the printed drawing fitted to the page, and the
// full-size template. Carried as it is from the command that asks for it to the drawing.
enum class OutputMode { Window, Drawing, Template };

// The template's shape: the whole contour, or the half profile (one wall and the axis) that the
// user mirrors.
enum class TemplateShape { Whole, Half };

}  // namespace tavro
