#pragma once
#include <array>
#include <cstdint>

namespace qv::sim {

// The picture the simulated processor puts on its outputs: seven vertical 75 %
// bars. The preview encoder draws them and a pixel grab reads them back, so the
// colour the console grabs is the colour it sees in the preview.
class ColourBars {
 public:
  struct Rgb {
    uint8_t r, g, b;
  };

  // Colour of column x of a picture `width` pixels wide; columns outside are black.
  static Rgb At(int x, int width) {
    static constexpr std::array<Rgb, 7> kBars = {{{191, 191, 191},
                                                  {191, 191, 0},
                                                  {0, 191, 191},
                                                  {0, 191, 0},
                                                  {191, 0, 191},
                                                  {191, 0, 0},
                                                  {0, 0, 191}}};
    if (width <= 0 || x < 0 || x >= width) return {0, 0, 0};
    return kBars[static_cast<std::size_t>(x) * kBars.size() / static_cast<std::size_t>(width)];
  }
};

}  // namespace qv::sim
