// The pair window's model without any drawing: marks where the report puts
// them with their labels beside them, zoom and pan held in the model, the
// click that selects, the axis that says year or ring, the series scaled
// over the overlap, and the copied table naming the pair.
#include "hosts/window/model/pair_window_model.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "hosts/window/model/pair_plots.h"

namespace veska::window {
namespace {

match::RunSeries seriesOf(const char* id, std::int32_t firstYear, std::vector<float> values) {
  match::RunSeries s;
  s.id = std::u32string(id, id + std::char_traits<char>::length(id));
  s.id.resize(8, U' ');
  s.firstYear = firstYear;
  s.compared = values;
  for (const float v : values) s.asRead.push_back(100 + 20 * v);
  return s;
}

std::vector<float> noise(std::mt19937& rng, int n) {
  std::normal_distribution<float> normal(0.0f, 1.0f);
  std::vector<float> v(static_cast<std::size_t>(n));
  for (float& x : v) x = normal(rng);
  return v;
}

// A dated series of 400 rings from 1601 and a floating one of 120 rings cut
// from it at its ring 101 (year 1701) with a little noise: the true
// placement puts the floating series' last ring on 1820.
PairWindowModel plantedPair(bool firstDated = true) {
  std::mt19937 rng(7);
  const std::vector<float> dated = noise(rng, 400);
  std::vector<float> floating(dated.begin() + 100, dated.begin() + 220);
  for (float& v : floating) v += 0.3f * noise(rng, 1)[0];
  PairWindowModel model(seriesOf("DATED01", 1601, dated), seriesOf("FLOAT01", 1, floating), firstDated);
  model.resize(1000, 700);
  return model;
}

double endOf(const PairWindowModel& m, int k) {
  return static_cast<double>(m.placements()[static_cast<std::size_t>(k)].secondEndsAt);
}

double fixedWidth(const std::string& s) { return 7.0 * static_cast<double>(s.size()); }

TEST(PairWindowModel, MarksSitOnTheReportsPlacementsWithItsRingsAndTBesideThem) {
  const PairWindowModel m = plantedPair();
  ASSERT_EQ(m.selected(), m.marked(0));
  EXPECT_EQ(endOf(m, *m.selected()), 1820);
  const CurvePlot curve = curvePlot(m, m.layout().curve);
  const std::vector<BestMark> marks = bestMarks(m, curve, m.layout().curve, fixedWidth, 14, {});
  ASSERT_EQ(marks.size(), 3u);
  for (const BestMark& mark : marks) {
    SCOPED_TRACE(mark.label);
    const int j = mark.number - 1;
    const int k = *m.marked(j);
    const match::Slot& slot = m.evidence().bestSlot(j);
    EXPECT_DOUBLE_EQ(mark.at.x, curve.x.at(endOf(m, k)));
    EXPECT_DOUBLE_EQ(mark.at.y, curve.y.at(slot.tStatistic));
    const std::string rings = std::to_string(slot.lastRingFirst) + " " + std::to_string(slot.lastRingSecond);
    EXPECT_EQ(mark.label.rfind(std::to_string(mark.number) + ": " + rings + "  t ", 0), 0u);
    // The slot text the window shows for this placement is the report's slot.
    EXPECT_EQ(m.evidence().slotText(k), match::slotText(slot));
    EXPECT_TRUE(mark.place.beside);
  }
}

// Marks bunched as real pairs bunch them (two of the best three a few rings
// apart at nearly the same t, all three at the plot's edge, a curve through
// them): every label stays beside its own mark where there is room for it,
// and always inside the plot, clear of every other label and mark, and of
// the curve when a side is free of it.
TEST(LabelPlacement, EachLabelBesideItsMarkClearOfTheOthers) {
  const Rect plot{100, 50, 800, 240};
  const struct {
    const char* name;
    std::vector<Point> marks;
    bool allBeside;
    Polyline curve;
  } cases[] = {
      {"apart", {{300, 100}, {600, 200}, {800, 150}}, true, {}},
      {"two close at one height", {{420, 60}, {587, 227}, {600, 229}}, true, {}},
      {"three in a row", {{500, 200}, {513, 200}, {526, 201}}, true, {}},
      {"at the right edge", {{895, 120}, {890, 130}, {880, 125}}, true, {}},
      // The top left corner holds one label beside its mark, not two.
      {"in the top corner", {{102, 52}, {115, 55}, {898, 52}}, false, {}},
      {"on a curve", {{400, 150}, {587, 160}, {600, 150}}, true, {{100, 150}, {400, 150}, {587, 160}, {900, 150}}},
  };
  const double radius = 7;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<LabelRequest> requests;
    for (const Point& p : c.marks) requests.push_back({p, 120, 14});
    const std::vector<PlacedLabel> placed = placeLabels(requests, radius, plot, {}, {c.curve});
    ASSERT_EQ(placed.size(), c.marks.size());
    for (std::size_t i = 0; i < placed.size(); ++i) {
      const Rect& box = placed[i].box;
      if (c.allBeside) {
        EXPECT_TRUE(placed[i].beside) << i;
      }
      EXPECT_GE(box.left, plot.left);
      EXPECT_LE(box.right(), plot.right());
      EXPECT_GE(box.top, plot.top);
      EXPECT_LE(box.bottom(), plot.bottom());
      EXPECT_FALSE(crosses(c.curve, box)) << i;
      // Beside: its nearest edge within a few pixels of its own circle.
      const double dx = std::max({box.left - c.marks[i].x, c.marks[i].x - box.right(), 0.0});
      const double dy = std::max({box.top - c.marks[i].y, c.marks[i].y - box.bottom(), 0.0});
      if (placed[i].beside) {
        EXPECT_LE(std::hypot(dx, dy), radius * 1.5 + 4) << i;
      }
      for (std::size_t j = 0; j < placed.size(); ++j) {
        const Rect circle{c.marks[j].x - radius, c.marks[j].y - radius, 2 * radius, 2 * radius};
        EXPECT_FALSE(box.overlaps(circle)) << i << " covers mark " << j;
        if (j != i) {
          EXPECT_FALSE(box.overlaps(placed[j].box)) << i << " covers label " << j;
        }
      }
    }
  }
}

TEST(PairWindowModel, WheelZoomsAroundThePointerAndHomeMakesBothPlotsWhole) {
  PairWindowModel m = plantedPair();
  const Rect plot = m.layout().curve;
  const Range whole = m.curveView();
  EXPECT_EQ(whole.lo, m.curveExtent().lo);
  const Point at{plot.left + plot.width * 0.3, plot.top + 20};
  const auto valueAt = [&](Range view) { return Scale{view, plot.left, plot.right()}.value(at.x); };
  const double under = valueAt(whole);
  m.wheel(at, 2);
  const Range zoomed = m.curveView();
  EXPECT_NEAR(zoomed.span(), whole.span() / 1.5625, 1e-9);
  EXPECT_NEAR(valueAt(zoomed), under, 1e-9);
  for (int i = 0; i < 40; ++i) m.wheel(at, 1);
  EXPECT_NEAR(m.curveView().span(), PairWindowModel::kNarrowestView, 1e-9);

  // The overlay zooms on its own, and zooming out stops at all there is.
  const Point inOverlay{m.layout().overlay.left + 50, m.layout().overlay.top + 30};
  m.wheel(inOverlay, -30);
  EXPECT_EQ(m.overlayView().lo, m.overlayExtent().lo);
  EXPECT_EQ(m.overlayView().hi, m.overlayExtent().hi);
  m.step(+1);
  m.home();
  EXPECT_EQ(m.selected(), m.marked(0));
  EXPECT_EQ(m.curveView().span(), whole.span());
  EXPECT_LT(m.overlayView().span(), m.overlayExtent().span());  // around the overlap again
}

TEST(PairWindowModel, DragPansWithinTheDataAndAClickSelectsTheNearestPlacement) {
  PairWindowModel m = plantedPair();
  const Rect plot = m.layout().curve;
  const Point middle{plot.left + plot.width / 2, plot.top + plot.height / 2};
  m.wheel(middle, 4);
  const Range before = m.curveView();
  const int selected = *m.selected();
  m.press(middle);
  m.drag({middle.x - 100, middle.y + 2});
  m.release({middle.x - 100, middle.y + 2});
  EXPECT_NEAR(m.curveView().lo - before.lo, 100 * before.span() / plot.width, 1e-9);
  EXPECT_EQ(m.selected(), selected);  // a drag selects nothing
  // Dragged far: the view stops at the curve's end.
  m.press(middle);
  m.drag({middle.x - 100000, middle.y});
  m.release({middle.x - 100000, middle.y});
  EXPECT_DOUBLE_EQ(m.curveView().hi, m.curveExtent().hi);

  m.home();
  const Scale x{m.curveView(), plot.left, plot.right()};
  const Point click{x.at(1700.2), middle.y};
  m.press(click);
  m.release({click.x + 1, click.y});
  ASSERT_TRUE(m.selected());
  EXPECT_EQ(endOf(m, *m.selected()), 1700);
  // Outside the curve's plot a click selects nothing.
  m.press({plot.left - 30, middle.y});
  m.release({plot.left - 30, middle.y});
  EXPECT_EQ(endOf(m, *m.selected()), 1700);
}

TEST(PairWindowModel, SteppingOutOfAZoomedCurveTakesTheViewAlong) {
  PairWindowModel m = plantedPair();
  const Rect plot = m.layout().curve;
  m.wheel({plot.left + plot.width / 2, plot.top + 10}, 8);
  for (int i = 0; i < 60; ++i) {
    m.step(+1);
    EXPECT_TRUE(m.curveView().contains(endOf(m, *m.selected()))) << i;
  }
  const int last = m.alongAxis().back();
  for (int i = 0; i < 500; ++i) m.step(+1);
  EXPECT_EQ(m.selected(), last);
}

TEST(PairWindowModel, AxisSaysYearWhenTheFirstSeriesIsDatedAndRingWhenItFloats) {
  EXPECT_EQ(plantedPair(true).curveAxisText(), "year of DATED01 on which the last ring of FLOAT01 lies");
  EXPECT_EQ(plantedPair(true).overlayAxisText(), "years of DATED01");
  EXPECT_EQ(plantedPair(false).curveAxisText(), "ring of DATED01 on which the last ring of FLOAT01 lies");
  EXPECT_EQ(plantedPair(false).overlayAxisText(), "rings of DATED01");
}

TEST(PairWindowModel, SeriesAreDrawnAtMeanZeroAndUnitSpreadOverTheOverlap) {
  PairWindowModel m = plantedPair();
  for (const bool asRead : {false, true}) {
    SCOPED_TRACE(asRead ? "as read" : "as compared");
    m.showAsRead(asRead);
    const OverlayPlot o = overlayPlot(m, m.layout().overlay);
    ASSERT_TRUE(o.overlap);
    EXPECT_EQ(o.overlapRings, 120);
    for (const auto* lines : {&o.firstLines, &o.secondLines}) {
      double sum = 0, squares = 0;
      int n = 0;
      for (const Polyline& line : *lines)
        for (const Point& p : line)
          if (p.x > o.overlap->lo && p.x < o.overlap->hi) {
            const double z = o.y.value(p.y);
            sum += z;
            squares += z * z;
            ++n;
          }
      ASSERT_EQ(n, 120);
      EXPECT_NEAR(sum / n, 0, 1e-6);
      EXPECT_NEAR(std::sqrt((squares - sum * sum / n) / (n - 1)), 1, 1e-6);
    }
  }
}

TEST(PairWindowModel, TrustOfThePairStandsBesideTheSlotInItsColumns) {
  const PairWindowModel m = plantedPair();
  const match::PairTrust& trust = m.evidence().best().trust;
  ASSERT_EQ(trust.placements, static_cast<int>(m.placements().size()));
  const std::string heading = m.trustHeading();
  const std::string values = m.trustText();
  // Each figure ends under the end of its heading, the verdict starts under its own.
  const auto endUnder = [&](const std::string& name, const std::string& value) {
    const std::size_t end = heading.find(name) + name.size();
    EXPECT_EQ(values.substr(end - value.size(), value.size()), value) << name;
  };
  endUnder("PLACEMENTS", std::to_string(trust.placements));
  endUnder("P_CHANCE", chanceText(trust.pChance[0]));
  endUnder("MARGIN", marginText(trust.margin));
  EXPECT_EQ(values.substr(heading.find("VERDICT")), match::verdictWord(trust.verdict));
  EXPECT_EQ(match::verdictWord(trust.verdict), "strong");  // the planted date
  EXPECT_EQ(m.selectionText().substr(m.selectionText().find(", best 1")),
            ", best 1, p_chance " + chanceText(trust.pChance[0]));
}

TEST(TrustText, ChanceInAFewColumnsAndTheMarginAsTheReportRoundsT) {
  const struct {
    double p;
    const char* text;
  } chances[] = {{0, "0"}, {2.14e-29, "2.1e-29"}, {0.000999, "1.0e-03"}, {0.001, "0.001"}, {0.0344, "0.034"}, {1, "1.000"}};
  for (const auto& c : chances) EXPECT_EQ(chanceText(c.p), c.text) << c.p;
  const struct {
    std::optional<float> margin;
    const char* text;
  } margins[] = {{std::nullopt, "none"}, {21.94f, "21.9"}, {0.25f, "0.3"}, {-1.25f, "-1.3"}, {INFINITY, "Inf"}};
  for (const auto& c : margins) EXPECT_EQ(marginText(c.margin), c.text) << c.text;
}

TEST(PairWindowModel, CopiedTableNamesThePair) {
  const PairWindowModel m = plantedPair();
  const std::string text = m.copyText();
  EXPECT_EQ(text.substr(0, text.find('\n')), "last ring DATED01\tlast ring FLOAT01\toverlap\tr\tt");
}

TEST(ChartTicks, StepsOfOneTwoOrFiveInsideTheRangeAndNoneBetweenWholeRings) {
  const struct {
    Range range;
    int count;
    double minStep;
    double step;
    int decimals;
  } cases[] = {
      {{1437, 2401}, 8, 1, 200, 0},  {{-4.2, 4.2}, 5, 0, 2, 0},  {{-2.9, 31.4}, 5, 0, 10, 0},
      {{1815.5, 1826.5}, 8, 1, 2, 0}, {{1815.5, 1818.5}, 8, 1, 1, 0}, {{0.1, 0.9}, 5, 0, 0.2, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.range.lo) + ".." + std::to_string(c.range.hi));
    const Ticks t = ticksOver(c.range, c.count, c.minStep);
    ASSERT_GE(t.values.size(), 2u);
    EXPECT_EQ(t.decimals, c.decimals);
    for (std::size_t i = 0; i < t.values.size(); ++i) {
      EXPECT_TRUE(c.range.contains(t.values[i])) << t.values[i];
      if (i > 0) {
        EXPECT_NEAR(t.values[i] - t.values[i - 1], c.step, 1e-9);
      }
    }
    EXPECT_LT(t.values.front() - c.step, c.range.lo);
    EXPECT_GT(t.values.back() + c.step, c.range.hi);
  }
}

}  // namespace
}  // namespace veska::window
