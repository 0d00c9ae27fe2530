#pragma once

#include <QList>

namespace widgets {

// A screen (or window) this wide or narrower gets the narrow layouts: best
// fit instead of the weighted widths, the stock list's narrow column set.
inline constexpr int kNarrowLayoutMaxWidth = 1152;
inline bool isWideLayout(int width) { return width > kNarrowLayoutMaxWidth; }

// The weighted column layout: the grid's width less 30 pixels is shared
// among the visible columns in proportion to their weights. The unit is
// that width divided by the sum of the weights, truncated to a whole pixel;
// each column gets weight × unit. Returns one width per weight, or an empty
// list when the weights sum to 0 or less (nothing to share by). A grid
// narrower than 30 pixels gives every column the width 0, never a negative
// one.
QList<int> KolonYerlesimi(int gridWidth, const QList<int> &weights);

} // namespace widgets
