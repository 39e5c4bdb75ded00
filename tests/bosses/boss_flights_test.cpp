// Each boss's flight worked out frame by frame from its written formulas, beside the boss
// itself. The model has its own copy of the random formula, the speed-table walk and the
// sines, so a changed radius, step, table or chance shows as a wrong position or a missing
// shot on the frame it happens.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <numbers>
#include <span>
#include <vector>

#include "game/engine/actor_pool.h"
#include "game/play/boss_behaviours.h"
#include "game/play/bosses/beam_boss.h"
#include "game/play/bosses/final_boss.h"
#include "game/play/bosses/fortress_boss.h"
#include "game/play/enemy_shots.h"
#include "game/play/enemy_words.h"
#include "tests/bosses/boss_fixture.h"

namespace tolvane {
namespace {

using testing::NewArrivals;

// --- The model: formulas as written, independent of the game's code. ---

// A random stream: Seed := Seed * 1566083941 + 1 + Counter (mod 2^32), counter raised first.
struct Stream {
  uint32_t seed;
  uint32_t counter = 0;
  int32_t Next(uint32_t range) {
    ++counter;
    seed = seed * 1566083941u + 1u + counter;
    return static_cast<int32_t>(seed % range);
  }
};
constexpr uint32_t kStream1Seed = 3391;
constexpr uint32_t kStream3Seed = 1162719;

int Round(double v) {
  return static_cast<int>(std::lround(v));
}
double SinDeg(int a) {
  return std::sin(a * std::numbers::pi / 180);
}
double CosDeg(int a) {
  return std::cos(a * std::numbers::pi / 180);
}
double Turn(int a256) {
  return 2 * std::numbers::pi * (((a256 % 256) + 256) % 256) / 256;
}
double Sin256(int a) {
  return std::sin(Turn(a));
}
double Cos256(int a) {
  return std::cos(Turn(a));
}
int Angle256(int fromX, int fromY, int toX, int toY) {
  return Round(std::atan2((toY - fromY) / 10.0, (toX - fromX) / 10.0) / (2 * std::numbers::pi) *
               256);
}
int Mod256(int a) {
  return ((a % 256) + 256) % 256;
}

struct Row {
  int frames;
  int speed;
};
constexpr Row kGlide[] = {{1, 1}, {2, 3}, {3, 5}, {4, 8}, {6, 15}, {8, 30}, {-999, 48}};
constexpr Row kSoftGlide[] = {{1, 1}, {2, 3}, {3, 4}, {4, 6}, {6, 9}, {8, 10}, {-999, 20}};
constexpr Row kRetreat[] = {{140, 1}, {40, 2}, {40, 6}, {20, 8}, {2, 10}, {2, 15}, {-999, 25}};

// The speed of the first row whose running distance reaches the distance left.
int Step(int pos, int target, std::span<const Row> table) {
  const int dist = std::abs(target - pos);
  const int sign = target > pos ? 1 : (target < pos ? -1 : 0);
  int sum = 0;
  for (const Row& row : table) {
    if (row.frames == -999) return row.speed * sign;
    sum += row.frames * row.speed;
    if (sum >= dist) return row.speed * sign;
  }
  return 0;
}
void Toward(int& x, int& y, int tx, int ty, std::span<const Row> table) {
  x += Step(x, tx, table);
  y += Step(y, ty, table);
}
int Approach(int value, int target, int step) {
  return value + std::clamp(target - value, -step, step);
}

struct Point {
  int x;
  int y;
  friend bool operator==(const Point&, const Point&) = default;
};
std::ostream& operator<<(std::ostream& out, const Point& p) {
  return out << "(" << p.x << ", " << p.y << ")";
}

// --- The boss beside it. ---

class BossFlightsTest : public testing::BossTest {
 protected:
  // The shots that came into free slots in the last frame: (angle mod 256, speed) each.
  static std::vector<Point> NewShots(const NewArrivals& fresh, int32_t image) {
    std::vector<Point> shots;
    for (const TActor* a : fresh.WithImage(image))
      shots.push_back({Mod256(a->Work[kShotAngle]), a->Work[kShotSpeed]});
    return shots;
  }
  Point At(const TActor& a) const { return {a.X, a.Y}; }
  void Frame(NewArrivals& fresh) {
    fresh.Mark();
    Run(1);
  }
};

// Circler (and the drifter boss): a base sweeping between two x at 1 a frame, circles of
// r = R sin c about it; the circler stands still for its 150-frame volleys.
struct CircleModel {
  int sweepEnd1, sweepEnd2, radius, stepA, stepB, stepC;
  int sx, bx, by;
  int a = 0, b = 0, c = 0;
  Point Fly() {
    if (sx == bx) sx = sx == sweepEnd1 ? sweepEnd2 : sweepEnd1;
    bx = Approach(bx, sx, 1);
    const int r = Round(radius * SinDeg(c));
    const Point p{bx + Round(CosDeg(a) * r), by + Round(r * CosDeg(b))};
    a += stepA;
    b += stepB;
    c += stepC;
    return p;
  }
};

TEST_F(BossFlightsTest, CirclerAndDrifterBossFlyTheirCircles) {
  // The circler: 200 frames of flight, a volley of 150 standing still, then 400 of flight.
  TActor& circler = SpawnBoss(102, 0, 160);
  CircleModel m{100, 400, 50, 3, 5, 1, 100, 550, 160};
  int phase = 200;
  int volley = -1;  // frames into the volley, -1 in flight
  Point expected{};
  for (int frame = 1; frame <= 800; ++frame) {
    if (frame > 1) Run(1);
    if (volley < 0) {
      expected = m.Fly();
      if (phase == 399) {
        phase = 0;
        volley = 0;
      } else {
        ++phase;
      }
    } else if (++volley >= 150) {
      volley = -1;
    }
    ASSERT_EQ(At(circler), expected) << "circler, frame " << frame;
  }

  SetUp();  // a fresh play screen
  TActor& drifter = SpawnBoss(113, 0, 140);
  CircleModel d{200, 400, 100, 5, 2, 5, 200, 550, 140};
  for (int frame = 1; frame <= 800; ++frame) {
    if (frame > 1) Run(1);
    ASSERT_EQ(At(drifter), d.Fly()) << "drifter boss, frame " << frame;
  }
}

TEST_F(BossFlightsTest, WandererGlidesToRandomPointsAndDropsSeedsOneFrameInTen) {
  Stream s{kStream3Seed};
  Point p{400, 160};
  int tx = 200 + s.Next(280);
  int ty = s.Next(360);
  TActor& boss = SpawnBoss(100, 400, 160);
  NewArrivals fresh;
  int seeds = 0;
  for (int frame = 1; frame <= 600; ++frame) {
    if (frame > 1) Frame(fresh);
    Toward(p.x, p.y, tx, ty, kSoftGlide);
    if (p.x == tx && p.y == ty) {
      tx = 200 + s.Next(280);
      ty = s.Next(320);
    }
    const bool seed = s.Next(1000) <= 100;
    ASSERT_EQ(At(boss), p) << "frame " << frame;
    if (frame > 1) {
      ASSERT_EQ(fresh.WithImage(18).size(), seed ? 1u : 0u) << "frame " << frame;
      for (const TActor* a : fresh.WithImage(18)) EXPECT_EQ(a->Work[kShotSpeed], 3);
    }
    seeds += seed ? 1 : 0;
  }
  EXPECT_GT(seeds, 40) << "about one frame in ten";
}

TEST_F(BossFlightsTest, LancerSwingsOnACosineRadiusAndWindsUpDipsAndThrows) {
  TActor& boss = SpawnBoss(104, 0, 160);
  int sy = 270, by = -100, a = 0, b = 0, c = 0, phase = 0;
  NewArrivals fresh;
  for (int frame = 1; frame <= 700; ++frame) {
    if (frame > 1) Frame(fresh);
    if (sy == by) sy = sy == 50 ? 270 : 50;
    by = Approach(by, sy, 2);
    const int r = Round(100 * CosDeg(c));
    Point p{350 + Round(SinDeg(a) * r), by + Round(r * SinDeg(b))};
    a += 3;
    b += 5;
    c += 1;
    ++phase;
    if (phase >= 200 && phase < 250) p.x += 8;
    if (phase >= 250 && phase < 300) p.y += 37;
    if (phase >= 300) phase = 0;
    ASSERT_EQ(At(boss), p) << "frame " << frame;
    if (frame > 1 && phase == 250) {
      ASSERT_EQ(fresh.WithImage(82).size(), 1u) << "the lance, frame " << frame;
      EXPECT_EQ(fresh.WithImage(82)[0]->Work[kShotSpeed], 25);
    }
  }
}

TEST_F(BossFlightsTest, GunshipApproachesThenDriftsSweepingItsFans) {
  TActor& ship = SpawnBoss(105, 0, 160);
  int x = 550, clock = 0, q = 0;
  bool attacking = false;
  NewArrivals fresh;
  for (int frame = 1; frame <= 300; ++frame) {
    if (frame > 1) Frame(fresh);
    std::vector<Point> shots;
    if (!attacking) {
      if (x > 350) x -= 2;
      if (x <= 350) {
        attacking = true;
        clock = 20;
        q = Angle256(x - 70, 160 + 60, 60, 160) - 15;
      }
    } else {
      x -= 1;
      clock += 1;
      if (clock >= 20) {
        q += 3;
        shots.push_back({Mod256(q), 8});
        if (clock > 30) clock = 0;
        if (q > 192) q = 64;
      }
    }
    ASSERT_EQ(At(ship), (Point{x, 160})) << "frame " << frame;
    if (frame > 1) {
      ASSERT_EQ(NewShots(fresh, 12), shots) << "frame " << frame;
    }
  }
}

TEST_F(BossFlightsTest, BeamBossPatrolsFiringGrowingShotsAndAimsItsBeamFromItsMuzzle) {
  TActor& boss = SpawnBoss(107, 0, 160);
  int sx = 270, bx = 550, a = 0, b = 0, c = 0, s = 0;
  NewArrivals fresh;
  for (int frame = 1; frame <= 199; ++frame) {
    if (frame > 1) Frame(fresh);
    if (sx == bx) sx = sx == 270 ? 450 : 270;
    bx = Approach(bx, sx, 2);
    const int r = Round(20 * CosDeg(c));
    const Point p{bx + Round(CosDeg(a) * r), 220 + Round(r * SinDeg(b))};
    a += 3;
    b += 8;
    c += 5;
    std::vector<Point> shots;
    if (++s > 30) {
      shots.push_back({Mod256(Angle256(p.x - 20, p.y + 20, 60, 160)), 23});
      s = 0;
    }
    ASSERT_EQ(At(boss), p) << "frame " << frame;
    if (frame > 1) {
      ASSERT_EQ(NewShots(fresh, 19), shots) << "frame " << frame;
    }
  }

  // The beam is aimed from where its segments leave, (x - 120, y - 20): from (430, 70) at a
  // player standing at (60, 160) that is 111/256 of a turn, and the beam crosses him.
  boss.X = kBeamChargeX;
  boss.Y = kBeamChargeY;
  PlayerActor->X = 60;
  PlayerActor->Y = 160;
  boss.Work[kBeamPhaseClock] = kBeamFires - 1;
  BeamBoss(boss);
  EXPECT_EQ(boss.Work[kBeamAngle], 111);
  fresh.Mark();
  BeamBoss(boss);  // the first segment, as the boss starts back toward its patrol
  const auto segments = fresh.WithImage(kBeamSegmentImage);
  ASSERT_EQ(segments.size(), 1u);
  EXPECT_EQ(segments[0]->Work[kOriginX], boss.X - 120);
  EXPECT_EQ(segments[0]->Work[kOriginY], boss.Y - 20);
  EXPECT_EQ(segments[0]->Work[kShotAngle], 111);
  EXPECT_EQ(segments[0]->Work[kShotSpeed], 23);
}

TEST_F(BossFlightsTest, SpiralRoamsLegsToRandomPointsThenSpiralsOutAndBack) {
  Stream s{kStream3Seed};
  int lx = 550, ly = 160;
  int tx = s.Next(240) + 170;
  int ty = s.Next(120) + 100;
  int n = 0, a = 0, b = 0, c = 0, phase = 0, q = 6000;
  Point p{};
  TActor& boss = SpawnBoss(108, 0, 160);
  NewArrivals fresh;
  for (int frame = 1; frame <= 750; ++frame) {
    if (frame > 1) Frame(fresh);
    std::vector<Point> shots;
    ++phase;
    if (phase < 200) {
      ++n;
      const double d = std::atan2(ty - ly, tx - lx);
      const int bx = lx + Round(2 * n * std::cos(d));
      const int by = ly + Round(2 * n * std::sin(d));
      if (std::abs(tx - bx) < 30 && std::abs(ty - by) < 30) {
        lx = bx;
        ly = by;
        tx = s.Next(240) + 170;
        ty = s.Next(120) + 100;
        n = 0;
      }
      const int t = Round(30 * Sin256(c));
      p = {bx + Round(Cos256(a) * t), by + Round(t * Cos256(b))};
      a += 3;
      b += 2;
      c += 1;
    } else if (phase >= 250 && phase < 350) {
      q += phase < 300 ? 19 : -14;
      shots.push_back({Mod256(q), 10});
    } else if (phase >= 350) {
      phase = 0;
    }
    ASSERT_EQ(At(boss), p) << "frame " << frame;
    if (frame > 1) {
      ASSERT_EQ(NewShots(fresh, 129), shots) << "frame " << frame;
    }
  }
}

TEST_F(BossFlightsTest, FortressEntersRaysLaunchesWigglingPodsAndRetreatsThrowingDarts) {
  Stream darts{kStream1Seed};
  darts.Next(320);  // the height of the Halt record after the boss (its y is 0: at random)
  TActor& boss = SpawnBoss(109, 0, 160);
  Point p{650, 160};
  int phase = 0, step = 0, state = 0;  // entry, rays, pods, retreat
  Point aim{};
  struct Pod {
    Point origin;
    int q, n = 0, w = 0;
    TActor* actor = nullptr;
  };
  std::vector<Pod> pods;
  NewArrivals fresh;
  for (int frame = 1; frame <= 900; ++frame) {
    if (frame > 1) Frame(fresh);
    std::vector<Point> rays;
    std::vector<int> dartYs;
    bool podLaunched = false;
    if (state == 0) {
      if (p.x > 460) p.x -= 2;
      if (p.x <= 460) {
        p.x = 460;
        state = 1;
      }
    } else if (state == 1) {
      ++phase;
      ++step;
      if (step == 10) aim = {PlayerActor->X, PlayerActor->Y};
      if (step >= 11 && step <= 14)
        rays.push_back({Mod256(Angle256(p.x - 95, p.y - 20, aim.x, aim.y)), 32});
      if (step == 15) step = 0;
      if (phase == 200) phase = step = 0, state = 2;
    } else if (state == 2) {
      ++phase;
      if (++step >= 40) {
        step = 0;
        podLaunched = true;
        pods.push_back(
            {{p.x - 110, p.y + 80}, Angle256(p.x - 110, p.y + 80, PlayerActor->X, PlayerActor->Y)});
      }
      if (phase == 200) phase = step = 0, state = 3;
    } else {
      ++phase;
      ++step;
      Toward(p.x, p.y, phase < 50 ? 250 : 650, 160,
             phase < 50 ? std::span<const Row>(kSoftGlide) : std::span<const Row>(kRetreat));
      if (step == 3) {
        step = 0;
        dartYs.push_back(darts.Next(320));
      }
      if (phase == 300) phase = step = 0, state = 0;
    }
    ASSERT_EQ(At(boss), p) << "frame " << frame;
    if (frame == 1) continue;
    ASSERT_EQ(NewShots(fresh, 177), rays) << "frame " << frame;
    std::vector<int> gotDarts;
    for (const TActor* d : fresh.WithImage(kFortressDartImage)) {
      gotDarts.push_back(d->Work[kOriginY]);  // thrown from (550, y)
      EXPECT_EQ(d->Work[kShotSpeed], 20);
    }
    ASSERT_EQ(gotDarts, dartYs) << "frame " << frame;
    if (podLaunched) {
      const auto launched = fresh.WithImage(kPodImage);
      ASSERT_EQ(launched.size(), 1u) << "frame " << frame;
      for (Pod& gone : pods) {
        if (gone.actor == launched[0]) gone.actor = nullptr;  // its slot is the new pod's
      }
      pods.back().actor = launched[0];
    }
    // Each pod: 5 pixels a frame along q, wiggling 3 pixels across it. A pod in a slot
    // below the boss's first moves in the frame after its launch.
    for (Pod& pod : pods) {
      if (pod.actor == nullptr) continue;
      if (pod.actor->Active == 0 || pod.actor->Move != WavePodMove) {
        pod.actor = nullptr;  // done, 350 pixels off the field
        continue;
      }
      if (podLaunched && &pod == &pods.back() && SlotOf(*pod.actor) < SlotOf(boss)) continue;
      ++pod.n;
      pod.w += 20;
      const double wiggle = 3 * Sin256(pod.w);
      const Point expected{
          pod.origin.x + Round(5 * pod.n * Cos256(pod.q)) + Round(wiggle * Cos256(pod.q + 64)),
          pod.origin.y + Round(5 * pod.n * Sin256(pod.q)) + Round(wiggle * Sin256(pod.q + 64))};
      ASSERT_EQ(At(*pod.actor), expected) << "pod " << &pod - pods.data() << ", frame " << frame;
    }
  }
  EXPECT_EQ(pods.size(), 5u);
}

TEST_F(BossFlightsTest, FinalBossEntersAndItsCoreCirclesAboveTheMiddle) {
  TActor& boss = SpawnBoss(110, 0, 0);
  TActor* core = Running(FinalCore);
  ASSERT_NE(core, nullptr);
  int x = 650;
  Point c{650, 190};
  int u = 0, v = 0, w = 0;
  const bool coreMovedInFrameOne = SlotOf(*core) > SlotOf(boss);
  for (int frame = 1; frame <= 400; ++frame) {
    if (frame > 1) Run(1);
    x = std::max(x - 5, 300);
    ASSERT_EQ(At(boss), (Point{x, 190})) << "frame " << frame;
    if (frame == 1 && !coreMovedInFrameOne) continue;
    const int r = Round(Sin256(w) * 30);
    const int tx = 250 + Round(Cos256(u) * r);
    const int ty = 50 + Round(r * Cos256(v));
    u += 1;
    v += 4;
    w += 2;
    Toward(c.x, c.y, tx, ty, kGlide);
    ASSERT_EQ(At(*core), c) << "core, frame " << frame;
  }
}

}  // namespace
}  // namespace tolvane
