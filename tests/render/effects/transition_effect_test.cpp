// Entry effects drawn pixel by pixel: the old picture is one colour, the new picture
// encodes its coordinates (red x, green y, blue 255), so every target pixel tells
// where it came from.

#include <gtest/gtest.h>

#include <QImage>

#include <cstdint>
#include <set>
#include <vector>

#include "render/common/random_source.h"
#include "render/effects/transition_codes.h"
#include "render/effects/transition_effect.h"

namespace {

const QRgb kOld = qRgb(200, 100, 7);
const QRgb kBlack = qRgb(0, 0, 0);

QImage NewPicture(int width, int height) {
  QImage picture(width, height, QImage::Format_RGB32);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) picture.setPixel(x, y, qRgb(x, y, 255));
  }
  return picture;
}

QImage Solid(int width, int height, QRgb color) {
  QImage picture(width, height, QImage::Format_RGB32);
  picture.fill(color);
  return picture;
}

// An area picture showing the old colour and the new picture to come in.
struct Scene {
  Scene(int width, int height, int speed, int effect)
      : fresh(NewPicture(width, height)), target(Solid(width, height, kOld)) {
    started = transition.Init(&fresh, &target, width, height, speed, effect);
  }
  QImage fresh;
  QImage target;
  TransitionEffect transition;
  int started = 0;
};

// The columns of row y that show the new picture in place; every other pixel must be
// the old colour.
std::vector<int> NewColumns(const QImage& target, int y) {
  std::vector<int> columns;
  for (int x = 0; x < target.width(); ++x) {
    if (target.pixel(x, y) == qRgb(x, y, 255)) {
      columns.push_back(x);
    } else {
      EXPECT_EQ(target.pixel(x, y), kOld) << x << "," << y;
    }
  }
  return columns;
}

// Effects whose new pixels come in at their own place (neither pushed, slid nor
// stretched).
bool DrawsInPlace(int effect) {
  return effect == 15 || effect == 16 || (effect >= 19 && effect <= 30) || effect >= 35;
}

TEST(TransitionEffect, InitAcceptsTheEffectsWithADrawing) {
  QImage fresh = NewPicture(4, 4);
  QImage target = Solid(4, 4, kOld);
  for (int effect : {0, -1, 39, 40}) {
    TransitionEffect transition;
    EXPECT_EQ(transition.Init(&fresh, &target, 4, 4, 5, effect), 0) << effect;
    EXPECT_EQ(transition.Step(), 0) << effect;
  }
  for (int effect = 1; effect <= 38; ++effect) {
    TransitionEffect transition;
    EXPECT_EQ(transition.Init(&fresh, &target, 4, 4, 5, effect), 1) << effect;
  }
  EXPECT_EQ(kEffectControllerCodes,
            (std::array<int, 39>{1,  99, 2,  4,  3,  5,  97, 96, 94, 95, 6,  12, 13,
                                 14, 15, 16, 17, 61, 62, 50, 51, 52, 53, 8,  9,  10,
                                 11, 20, 21, 22, 23, 24, 25, 26, 27, 28, 29, 30, 31}));
}

TEST(TransitionEffect, StepsAreThreePerSpeedAndTheLastCallDrawsNothing) {
  EXPECT_EQ(Scene(8, 8, 160, 20).transition.Steps(), 480);
  Scene scene(8, 8, 5, 35);
  ASSERT_EQ(scene.transition.Steps(), 15);
  for (int n = 1; n <= 15; ++n) ASSERT_EQ(scene.transition.Step(), 1) << n;
  scene.target.fill(kOld);
  EXPECT_EQ(scene.transition.Step(), 0);
  EXPECT_EQ(scene.transition.Step(), 0);
  EXPECT_EQ(scene.target, Solid(8, 8, kOld));
}

TEST(TransitionEffect, BlinkAlternatesBlackAndTheNewPictureFromBlack) {
  Scene scene(16, 4, 5, 10);
  for (int n = 1; n <= 15; ++n) {
    ASSERT_EQ(scene.transition.Step(), 1);
    EXPECT_EQ(scene.target, n % 2 == 1 ? Solid(16, 4, kBlack) : scene.fresh) << n;
  }
}

TEST(TransitionEffect, PushLeftMovesTheOldPictureByP) {
  QImage fresh = NewPicture(64, 16);
  QImage target(64, 16, QImage::Format_RGB32);
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 64; ++x) target.setPixel(x, y, qRgb(x, y, 0));
  }
  TransitionEffect transition;
  ASSERT_EQ(transition.Init(&fresh, &target, 64, 16, 5, 2), 1);
  ASSERT_EQ(transition.Step(), 1);  // p = 64 x 1 / 15 = 4
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 64; ++x) {
      EXPECT_EQ(target.pixel(x, y), x < 60 ? qRgb(x + 4, y, 0) : qRgb(x - 60, y, 255))
          << x << "," << y;
    }
  }
}

TEST(TransitionEffect, BlindsAndClosingBandsAtTheirFirstStep) {
  Scene blinds(100, 50, 5, 23);  // s = 13, a = 0: eight one-pixel columns
  ASSERT_EQ(blinds.transition.Step(), 1);
  const std::vector<int> columns = {0, 12, 25, 37, 50, 62, 75, 87};
  for (int y = 0; y < 50; ++y) EXPECT_EQ(NewColumns(blinds.target, y), columns) << y;
  Scene leftwards(100, 50, 5, 24);  // each blind opens at its right end, s - a - 1 = 12 on
  ASSERT_EQ(leftwards.transition.Step(), 1);
  const std::vector<int> ends = {12, 24, 37, 49, 62, 74, 87, 99};
  for (int y = 0; y < 50; ++y) EXPECT_EQ(NewColumns(leftwards.target, y), ends) << y;

  Scene closing(64, 16, 5, 29);  // c = 32 x 1 / 15 + 1 = 3.13
  ASSERT_EQ(closing.transition.Step(), 1);
  for (int y = 0; y < 16; ++y) {
    EXPECT_EQ(NewColumns(closing.target, y), (std::vector<int>{0, 1, 2, 61, 62, 63})) << y;
  }
}

TEST(TransitionEffect, StretchedBandsRepeatTheirSourcePixels) {
  Scene trail(8, 16, 5, 11);  // rise: p = 16 x 3 / 15 = 3, q = 13
  for (int n = 0; n < 3; ++n) trail.transition.Step();
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 8; ++x) EXPECT_EQ(trail.target.pixel(x, y), qRgb(x, std::max(y, 13), 255));
  }
  Scene stretch(64, 4, 5, 32);  // from the right: p = 64 x 3 / 15 = 12
  for (int n = 0; n < 3; ++n) stretch.transition.Step();
  for (int x = 0; x < 64; ++x)
    EXPECT_EQ(stretch.target.pixel(x, 2), qRgb(52 + x * 12 / 64, 2, 255));
}

// Every effect but the blink, at every step: each pixel is the old colour or a pixel of
// the new picture (at its own place for the effects that draw in place), and the last
// step leaves exactly the new picture. The sanitizer build catches any access outside
// a picture.
TEST(TransitionEffect, EveryStepShowsOnlyOldAndNewPixelsAndEndsOnTheNewPicture) {
  const std::pair<int, int> sizes[] = {{1, 1}, {1, 16}, {7, 3}, {64, 16}, {100, 50}};
  for (int effect = 2; effect <= 38; ++effect) {
    if (effect == 10) continue;
    for (const auto& [width, height] : sizes) {
      for (int speed : {5, 160}) {
        Scene scene(width, height, speed, effect);
        ASSERT_EQ(scene.started, 1);
        bool clean = true;
        for (int n = 1; n <= scene.transition.Steps() && clean; ++n) {
          ASSERT_EQ(scene.transition.Step(), 1);
          for (int y = 0; y < height && clean; ++y) {
            const auto* line = reinterpret_cast<const QRgb*>(scene.target.constScanLine(y));
            for (int x = 0; x < width && clean; ++x) {
              const QRgb pixel = line[x];
              const bool isNew = qBlue(pixel) == 255 && qRed(pixel) < width &&
                                 qGreen(pixel) < height &&
                                 (!DrawsInPlace(effect) || pixel == qRgb(x, y, 255));
              clean = pixel == kOld || isNew;
              EXPECT_TRUE(clean) << "effect " << effect << " " << width << "x" << height
                                 << " speed " << speed << " step " << n << " at " << x << "," << y;
            }
          }
        }
        EXPECT_EQ(scene.target, scene.fresh)
            << "effect " << effect << " " << width << "x" << height << " speed " << speed;
      }
    }
  }
}

// A fixed sequence of draws for the random effect.
class FixedDraws final : public RandomSource {
 public:
  std::uint32_t Next() override { return kDraws[next_++ % 4]; }

 private:
  static constexpr std::uint32_t kDraws[] = {0, 36, 37, 73};
  int next_ = 0;
};

// Puts a source in place of the process's for one scope.
struct ScopedRandom {
  explicit ScopedRandom(RandomSource* source) { SetProcessRandom(source); }
  ~ScopedRandom() { SetProcessRandom(nullptr); }
};

TEST(TransitionEffect, RandomEffectIsOneOfTwoToThirtyEight) {
  QImage fresh = NewPicture(2, 2);
  QImage target = Solid(2, 2, kOld);
  {
    FixedDraws draws;
    const ScopedRandom scoped(&draws);
    std::vector<int> chosen;
    for (int i = 0; i < 4; ++i) {
      TransitionEffect transition;
      ASSERT_EQ(transition.Init(&fresh, &target, 2, 2, 5, 1), 1);
      chosen.push_back(transition.Effect());
    }
    EXPECT_EQ(chosen, (std::vector<int>{2, 38, 2, 38}));
  }

  SeedProcessRandom(20261209);
  std::set<int> seen;
  for (int i = 0; i < 10000; ++i) {
    TransitionEffect transition;
    ASSERT_EQ(transition.Init(&fresh, &target, 2, 2, 5, 1), 1);
    seen.insert(transition.Effect());
  }
  EXPECT_EQ(seen.size(), 37u);
  EXPECT_EQ(*seen.begin(), 2);
  EXPECT_EQ(*seen.rbegin(), 38);
}

}  // namespace
