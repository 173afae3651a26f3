#include "render/borders/border_strips.h"

#include <array>

namespace {

// One strip as rows of 32 characters, outer edge first; a row of nullptr ends it
// early. Characters: '.' black, '#' pure red (recolorable), and the fixed colours of
// PaletteColor.
using StripRows = std::array<const char*, kMaxBorderThickness>;

// The single-colour family first, then the multicolour family.
constexpr std::array<StripRows, kSingleColorStrips + kMultiColorStrips> kStrips = {{
    // Single colour.
    {"?????#???????#???????#???????#??"},
    {"..####....####....####....####.."},
    {"....########........########...."},
    {"..####....####....####....####..", "..####....####....####....####.."},
    {"################################", "..####....####....####....####.."},
    {"..####....####....####....####..", "################################"},
    {"....#.......#.......#.......#...", ".#####...#####...#####...#####..",
     "....#.......#.......#.......#..."},
    {"####....####....####....####....", "################################",
     "####....####....####....####...."},
    {"##..##..##..##..##..##..##..##..", "################################",
     "##..##..##..##..##..##..##..##.."},
    {".#...#...#...#...#...#...#...#..", "..#...#...#...#...#...#...#...#.",
     ".#...#...#...#...#...#...#...#.."},
    {"#..#..#.#..#..#.#..#..#.#..#..#.", ".#..#..#.#..#..#.#..#..#.#..#..#",
     "#..#..#.#..#..#.#..#..#.#..#..#."},
    {".#....#..#....#..#....#..#....#.", "#.#..#.##.#..#.##.#..#.##.#..#.#",
     ".#....#..#....#..#....#..#....#."},
    {"...##......##......##......##...", "..####....####....####....####..",
     ".######..######..######..######.", "################################"},
    {"################################", ".######..######..######..######.",
     "..####....####....####....####..", "...##......##......##......##..."},
    {"#......##......##......##......#", ".#....#..#....#..#....#..#....#.",
     "..#..#....#..#....#..#....#..#..", "...##......##......##......##..."},
    {"###..######..######..######..###", "..#..#....#..#....#..#....#..#..",
     "..#..#....#..#....#..#....#..#..", "..####....####....####....####.."},
    {"..###.....###.....###.....###...", ".#####...#####...#####...#####..",
     "##...##.##...##.##...##.##...##.", "##...##.##...##.##...##.##...##.",
     "##...##.##...##.##...##.##...##.", ".#####...#####...#####...#####..",
     "..###.....###.....###.....###..."},
    {"..###.....###.....###.....###...", ".#...#...#...#...#...#...#...#..",
     "#.#.#.#.#.#.#.#.#.#.#.#.#.#.#.#.", "#.....#.#.....#.#.....#.#.....#.",
     "#..#..#.#..#..#.#..#..#.#..#..#.", ".#...#...#...#...#...#...#...#..",
     "..###.....###.....###.....###..."},
    {"#######.#######.#######.#######.", "#.....#.#.....#.#.....#.#.....#.",
     "###.###.###.###.###.###.###.###.", "..#.#.....#.#.....#.#.....#.#...",
     "###.###.###.###.###.###.###.###.", "#.....#.#.....#.#.....#.#.....#.",
     "#######.#######.#######.#######."},
    {"..#..#....#..#....#..#....#..#..", ".######..######..######..######.",
     ".#....#..#....#..#....#..#....#.", ".#....#..#....#..#....#..#....#.",
     ".#....#..#....#..#....#..#....#.", "..#..#....#..#....#..#....#..#..",
     "...##......##......##......##..."},
    // Multicolour. These use no pure red, so a border colour never changes them.
    {"???.yyy.ggg.ccc.???.yyy.ggg.ccc."},
    {"??..yy..??..yy..??..yy..??..yy..", "..??..yy..??..yy..??..yy..??..yy"},
    {"gggggggggggggggggggggggggggggggg", "y...y...y...y...y...y...y...y..."},
    {"??gg??gg??gg??gg??gg??gg??gg??gg", "gg??gg??gg??gg??gg??gg??gg??gg??"},
    {"ccccbbbbccccbbbbccccbbbbccccbbbb", "bbbbccccbbbbccccbbbbccccbbbbcccc"},
    {"yyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyy", "??..gg..cc..bb..??..gg..cc..bb..",
     "yyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyy"},
    {".y...y...y...y...y...y...y...y..", "y?y.y?y.y?y.y?y.y?y.y?y.y?y.y?y.",
     ".y...y...y...y...y...y...y...y.."},
    {"cccccccccccccccccccccccccccccccc", "b.b.b.b.b.b.b.b.b.b.b.b.b.b.b.b.",
     "cccccccccccccccccccccccccccccccc"},
    {"?gb.?gb.?gb.?gb.?gb.?gb.?gb.?gb.", ".?gb.?gb.?gb.?gb.?gb.?gb.?gb.?gb",
     "b.?gb.?gb.?gb.?gb.?gb.?gb.?gb.?g"},
    {"mmmm....mmmm....mmmm....mmmm....", "..mmmm....mmmm....mmmm....mmmm..",
     "....mmmm....mmmm....mmmm....mmmm"},
    {"yyyy????yyyy????yyyy????yyyy????", "????yyyy????yyyy????yyyy????yyyy",
     "yyyy????yyyy????yyyy????yyyy????"},
    {"gggg....bbbb....gggg....bbbb....", "..gggg....bbbb....gggg....bbbb..",
     "....gggg....bbbb....gggg....bbbb"},
    {"yyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyy", "?..??..??..??..??..??..??..??..?",
     "?..??..??..??..??..??..??..??..?", "yyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyy"},
    {".gg..gg..gg..gg..gg..gg..gg..gg.", "g??gg??gg??gg??gg??gg??gg??gg??g",
     "g??gg??gg??gg??gg??gg??gg??gg??g", ".gg..gg..gg..gg..gg..gg..gg..gg."},
    {"cccccccccccccccccccccccccccccccc", "bbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbb",
     "mmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmm", "????????????????????????????????"},
    {"o.......o.......o.......o.......", "oo......oo......oo......oo......",
     "ooo.....ooo.....ooo.....ooo.....", "oooo....oooo....oooo....oooo...."},
    {"g.g.g.g.g.g.g.g.g.g.g.g.g.g.g.g.", ".c.c.c.c.c.c.c.c.c.c.c.c.c.c.c.c",
     "g.g.g.g.g.g.g.g.g.g.g.g.g.g.g.g.", ".c.c.c.c.c.c.c.c.c.c.c.c.c.c.c.c"},
    {"wwwwwwwwwwwwwwwwwwwwwwwwwwwwwwww", "?...y...g...b...?...y...g...b...",
     "?...y...g...b...?...y...g...b...", "wwwwwwwwwwwwwwwwwwwwwwwwwwwwwwww"},
    {"...y.......y.......y.......y....", "..yyy.....yyy.....yyy.....yyy...",
     ".yy?yy...yy?yy...yy?yy...yy?yy..", "yy???yy.yy???yy.yy???yy.yy???yy.",
     ".yy?yy...yy?yy...yy?yy...yy?yy..", "..yyy.....yyy.....yyy.....yyy...",
     "...y.......y.......y.......y...."},
    {"..??......??......??......??....", ".????....????....????....????...",
     "??..??..??..??..??..??..??..??..", "?....?..?....?..?....?..?....?..",
     "??..??..??..??..??..??..??..??..", ".????....????....????....????...",
     "..??......??......??......??...."},
    {"yyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyy", "o.o.o.o.o.o.o.o.o.o.o.o.o.o.o.o.",
     "????????????????????????????????", "................................",
     "????????????????????????????????", ".o.o.o.o.o.o.o.o.o.o.o.o.o.o.o.o",
     "yyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyy"},
    {"...b.......b.......b.......b....", "..bcb.....bcb.....bcb.....bcb...",
     ".bcccb...bcccb...bcccb...bcccb..", "bcc?ccb.bcc?ccb.bcc?ccb.bcc?ccb.",
     ".bcccb...bcccb...bcccb...bcccb..", "..bcb.....bcb.....bcb.....bcb...",
     "...b.......b.......b.......b...."},
    {"mmm.....mmm.....mmm.....mmm.....", ".mmm.....mmm.....mmm.....mmm....",
     "..mmm.....mmm.....mmm.....mmm...", "...mmm.....mmm.....mmm.....mmm..",
     "....mmm.....mmm.....mmm.....mmm.", ".....mmm.....mmm.....mmm.....mmm",
     "m.....mmm.....mmm.....mmm.....mm"},
    {"gggggg..gggggg..gggggg..gggggg..", "g....g..g....g..g....g..g....g..",
     "g.yy.g..g.yy.g..g.yy.g..g.yy.g..", "g.yy.gggg.yy.gggg.yy.gggg.yy.ggg",
     "g.yy.g..g.yy.g..g.yy.g..g.yy.g..", "g....g..g....g..g....g..g....g..",
     "gggggg..gggggg..gggggg..gggggg.."},
    {"????????????????????????????????", "oooooooooooooooooooooooooooooooo",
     "yyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyy", "gggggggggggggggggggggggggggggggg",
     "cccccccccccccccccccccccccccccccc", "bbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbb",
     "mmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmm"},
    {"...w.......w.......w.......w....", "...w.......w.......w.......w....",
     "www?www.www?www.www?www.www?www.", "..www.....www.....www.....www...",
     ".ww.ww...ww.ww...ww.ww...ww.ww..", "w.....w.w.....w.w.....w.w.....w.",
     "................................"},
}};

ColorRef PaletteColor(char code) {
  switch (code) {
    case '#': return kRecolorableRed;
    case '?': return MakeColorRef(239, 28, 33);  // a red that keeps its colour
    case 'o': return MakeColorRef(255, 160, 0);
    case 'y': return MakeColorRef(255, 255, 0);
    case 'g': return MakeColorRef(0, 255, 0);
    case 'c': return MakeColorRef(0, 255, 255);
    case 'b': return MakeColorRef(0, 0, 255);
    case 'm': return MakeColorRef(255, 0, 255);
    case 'w': return MakeColorRef(255, 255, 255);
    default: return 0;
  }
}

const StripRows* FindStrip(int family, int number) {
  const int count = family == 0 ? kSingleColorStrips : kMultiColorStrips;
  if (number < 0 || number >= count) return nullptr;
  return &kStrips[static_cast<size_t>(family == 0 ? number : kSingleColorStrips + number)];
}

}  // namespace

int BorderStripThickness(int family, int number) {
  const StripRows* rows = FindStrip(family, number);
  if (!rows) return 0;
  int thickness = 0;
  while (thickness < kMaxBorderThickness && (*rows)[static_cast<size_t>(thickness)]) ++thickness;
  return thickness;
}

Dib24 BuiltInBorderStrip(int family, int number) {
  const int thickness = BorderStripThickness(family, number);
  if (thickness == 0) return {};
  const StripRows& rows = *FindStrip(family, number);
  Dib24 strip(kBorderStripLength, thickness);
  for (int y = 0; y < thickness; ++y) {
    const char* row = rows[static_cast<size_t>(y)];
    for (int x = 0; x < kBorderStripLength && row[x] != '\0'; ++x) {
      strip.SetPixel(x, y, PaletteColor(row[x]));
    }
  }
  return strip;
}

void RecolorBorderStrip(Dib24& strip, ColorRef color) {
  if ((color & 0xFFFFFF) == kRecolorableRed) return;
  for (int y = 0; y < strip.Height(); ++y) {
    for (int x = 0; x < strip.Width(); ++x) {
      if (strip.Pixel(x, y) == kRecolorableRed) strip.SetPixel(x, y, color);
    }
  }
}
