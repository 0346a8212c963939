// A quick upper estimate of how deeply an HTML text nests its elements, taken before parsing.
#pragma once

#include <QByteArray>

namespace vemo {

// Counts start tags against end tags, ignoring elements that close by themselves (cells, rows,
// paragraphs, void elements), and returns the deepest point. The HTML parser slows down with
// the square of the depth and frees its tree recursively, so very deep texts are refused first.
int markup_depth_estimate(const QByteArray& html);

}  // namespace vemo
