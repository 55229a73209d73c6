#include "learner.h"

#include <cmath>
#include <stdexcept>

platform::Rgb Snapshot::at(int x, int y) const
{
    const auto dx = static_cast<int>(std::floor((x + 0.5) * scale));
    const auto dy = static_cast<int>(std::floor((y + 0.5) * scale));
    if (dx < 0 || dy < 0 || dx >= width || dy >= height)
        throw std::out_of_range("outside the snapshot");
    return pixels[static_cast<std::size_t>(dy) * static_cast<std::size_t>(width) + static_cast<std::size_t>(dx)];
}

void platform::PrintTo(const Rgb &colour, std::ostream *os)
{
    *os << "RGB(" << colour.red << ", " << colour.green << ", " << colour.blue << ")";
}
