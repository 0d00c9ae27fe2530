#include "columnlayout.h"

#include <cmath>

namespace widgets {

QList<int> KolonYerlesimi(int gridWidth, const QList<int> &weights)
{
    int sum = 0;
    for (int w : weights)
        sum += w;
    if (sum <= 0)
        return {};
    const double share = double(gridWidth - 30) / double(sum);
    const int unit = share > 0 ? int(std::trunc(share)) : 0;
    QList<int> widths;
    widths.reserve(weights.size());
    for (int w : weights)
        widths.append(w > 0 ? w * unit : 0);
    return widths;
}

} // namespace widgets
