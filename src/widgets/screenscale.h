#pragma once

namespace quoll::widgets {

// The layout's fixed sizes and font heights are given for a screen of 120
// pixels per inch; this converts them to the current screen's logical
// pixels. Sizes read from the settings file are applied as stored instead.
int scaled(int pixelsAt120Dpi);

// The factor `scaled` applies (1.0 on a 120 ppi screen).
double screenScale();

} // namespace quoll::widgets
