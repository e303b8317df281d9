// The layout data of the table and the change-deck dialog, and the alignment rules that place the
// table's areas on a resize.
#include <gtest/gtest.h>

#include <cctype>
#include <set>
#include <string>

#include "ui/layouts/layouts.h"
#include "ui/picture_names.h"

namespace pelmor::ui {
namespace {

Rect Placed(const std::vector<Rect>& placed, const WindowLayout& layout, std::string_view name) {
  return placed[static_cast<std::size_t>(ControlIndex(layout, name))];
}

TEST(TableLayout, AlignmentReproducesTheDesignAtTheDesignClientSize) {
  const WindowLayout& table = layouts::kTableLayout;
  std::vector<Rect> placed = AlignControls(table.controls, 485, 241);
  for (std::size_t i = 0; i < table.controls.size(); ++i)
    EXPECT_EQ(placed[i], table.controls[i].bounds) << table.controls[i].name;
}

TEST(TableLayout, ResizeChangesOnlyHeightsOfTheTopAreasAndWidthsOfTheRows) {
  const WindowLayout& table = layouts::kTableLayout;
  std::vector<Rect> placed = AlignControls(table.controls, 800, 400);
  EXPECT_EQ(Placed(placed, table, "PaintBox1"), (Rect{0, 0, 71, 274}));
  EXPECT_EQ(Placed(placed, table, "PaintBox4"), (Rect{213, 0, 71, 274}));
  EXPECT_EQ(Placed(placed, table, "PaintBox5"), (Rect{729, 0, 71, 274}));
  EXPECT_EQ(Placed(placed, table, "PaintBox6"), (Rect{0, 274, 800, 96}));
  EXPECT_EQ(Placed(placed, table, "Panel1"), (Rect{0, 370, 800, 30}));
  EXPECT_EQ(Placed(placed, table, "Label1"), (Rect{296, 8, 136, 15}));  // fixed
}

// Whether the six areas and the status bar lie inside the client area, none over another, each
// as tall as designed or taller, and the piles and the stock as wide as designed.
bool AreasWholeAndApart(const WindowLayout& table, Size client) {
  std::vector<Rect> placed = AlignControls(table.controls, client.width, client.height);
  std::vector<Rect> areas;
  for (std::size_t i = 0; i < table.controls.size(); ++i) {
    if (table.controls[i].align == Align::kNone) continue;
    const Rect& r = placed[i];
    const Rect& designed = table.controls[i].bounds;
    bool side = table.controls[i].align == Align::kLeft || table.controls[i].align == Align::kRight;
    if ((side && r.width < designed.width) || r.height < designed.height || r.left < 0 || r.top < 0 ||
        r.left + r.width > client.width || r.top + r.height > client.height)
      return false;
    for (const Rect& other : areas)
      if (r.left < other.left + other.width && other.left < r.left + r.width && r.top < other.top + other.height &&
          other.top < r.top + r.height)
        return false;
    areas.push_back(r);
  }
  return true;
}

TEST(TableLayout, MinimumClientSizeIsTheLeastThatShowsEveryAreaWhole) {
  const WindowLayout& table = layouts::kTableLayout;
  Size least = MinimumClientSize(table.controls);
  EXPECT_EQ(least, (Size{5 * 71, 115 + 96 + 30}));
  EXPECT_TRUE(AreasWholeAndApart(table, least));
  EXPECT_FALSE(AreasWholeAndApart(table, {least.width - 1, least.height}));  // the stock over pile D
  EXPECT_FALSE(AreasWholeAndApart(table, {least.width, least.height - 1}));
}

TEST(TableLayout, ATinyWindowNeverGivesNegativeHeights) {
  std::vector<Rect> placed = AlignControls(layouts::kTableLayout.controls, 100, 50);
  for (const Rect& r : placed) EXPECT_GE(r.height, 0);
}

TEST(TableLayout, TagsAndDesignedProperties) {
  const WindowLayout& table = layouts::kTableLayout;
  EXPECT_EQ(table.caption, "Pelmor Solitaire");
  EXPECT_EQ(table.bounds, (Rect{43, 106, 501, 300}));
  for (int pile = 0; pile < 4; ++pile)
    EXPECT_EQ(FindControl(table, "PaintBox" + std::to_string(pile + 1))->tag, pile);
  const ControlLayout* label = FindControl(table, "Label1");
  EXPECT_EQ(label->caption, "Moves Avaliable");
  EXPECT_FALSE(label->visible);
  EXPECT_EQ(label->font.face, "Fixedsys");
  EXPECT_TRUE(label->font.bold);
  EXPECT_EQ(label->font.colour, kRed);
  const ControlLayout* panel = FindControl(table, "Panel1");
  EXPECT_EQ(panel->caption, "Cards Left:%d Draws Left:%d Duration:%d days, %s");
  EXPECT_FALSE(panel->enabled);
  ASSERT_EQ(table.timers.size(), 2u);
  EXPECT_EQ(table.timers[0].intervalMs, 100);
  EXPECT_FALSE(table.timers[0].enabled);
  EXPECT_EQ(table.timers[1].intervalMs, 1000);
  EXPECT_TRUE(table.timers[1].enabled);
}

TEST(TableLayout, MenuItemsInOrder) {
  std::vector<std::string> items;
  for (const auto& item : layouts::kTableLayout.menu)
    items.push_back((item.level == 0 ? "" : "  ") + std::string(item.caption));
  EXPECT_EQ(items, (std::vector<std::string>{"Game", "  New Game", "  Enter Game Number", "  Load Saved Game",
                                             "  Save Game", "  Change Card Deck", "  High Scores", "  No Hints",
                                             "  Exit", "Help", "  About", "  How To Play", "  How To Use This Game",
                                             "  Buy Source Code"}));
  std::set<int> commands;
  for (const auto& item : layouts::kTableLayout.menu) {
    if (item.level == 1) {
      EXPECT_TRUE(commands.insert(item.command).second) << item.caption;
    }
  }
}

TEST(ChangeDeckLayout, ControlsInTabOrderWithDistinctKeysAndAClearPreview) {
  const WindowLayout& dialog = layouts::kChangeDeckLayout;
  std::vector<std::string> order;
  std::set<char> keys;
  std::set<int> ids;
  const Rect preview{0, 0, 71, 96};
  for (const auto& control : dialog.controls) {
    order.push_back(std::string(control.name) + " " + std::string(control.caption));
    EXPECT_TRUE(ids.insert(control.id).second) << control.name;
    if (auto amp = control.caption.find('&'); amp != std::string_view::npos) {
      EXPECT_TRUE(keys.insert(static_cast<char>(std::tolower(control.caption[amp + 1]))).second) << control.name;
    }
    const Rect& r = control.bounds;
    bool overlaps = r.left < preview.left + preview.width && preview.left < r.left + r.width &&
                    r.top < preview.top + preview.height && preview.top < r.top + r.height;
    EXPECT_FALSE(overlaps) << control.name << " covers the preview";
    EXPECT_EQ(control.defaultButton, control.name == "Button1") << control.name;
  }
  EXPECT_EQ(order, (std::vector<std::string>{"ScrollBar1 ", "Button1 Save", "CheckBox1 Random &Back", "Button2 &Reset",
                                             "Button3 Br&owse", "Button4 &Go Online", "Button5 Close",
                                             "Button6 &Custom Back"}));
  const ControlLayout* bar = FindControl(dialog, "ScrollBar1");
  EXPECT_EQ(bar->rangeMax - bar->rangeMin + 1, 12);
}

TEST(PictureNames, FacesAndBacks) {
  EXPECT_EQ(FaceResourceName(0, 1), "CARD10");
  EXPECT_EQ(FaceResourceName(9, 1), "CARD19");
  EXPECT_EQ(FaceResourceName(10, 1), "CARD1A");
  EXPECT_EQ(FaceResourceName(12, 4), "CARD4C");
  EXPECT_EQ(FaceResourceName(9, 4), "CARD49");
  EXPECT_EQ(FaceResourceName(0, 2), "CARD20");
  EXPECT_EQ(BackResourceName(0), "BACK0");
  EXPECT_EQ(BackResourceName(11), "BACK11");
}

TEST(AboutLayout, ControlsLieInsideTheirParentsAndEveryClickableOneHasAnIdAndAHandCursor) {
  const WindowLayout& about = layouts::kAboutLayout;
  EXPECT_EQ(about.caption, "About");
  EXPECT_EQ(about.bounds, (Rect{0, 0, 525, 405}));
  std::set<int> ids;
  for (const ControlLayout& control : about.controls) {
    Rect outer{0, 0, about.bounds.width, about.bounds.height};
    if (!control.parent.empty()) {
      const ControlLayout* parent = FindControl(about, control.parent);
      ASSERT_NE(parent, nullptr) << control.name;
      EXPECT_LT(parent - about.controls.data(), &control - about.controls.data()) << "parent made first";
      outer = {0, 0, parent->bounds.width, parent->bounds.height};
    }
    const Rect& r = control.bounds;
    EXPECT_TRUE(r.left >= 0 && r.top >= 0 && r.left + r.width <= outer.width && r.top + r.height <= outer.height)
        << control.name;
    if (control.id != 0) {
      EXPECT_TRUE(ids.insert(control.id).second) << control.name;
    }
    bool pointsToAClick = !control.hint.empty() || control.cursor == Cursor::kHand;
    EXPECT_TRUE(!pointsToAClick || control.id != 0) << control.name << " invites a click it does not take";
  }
  EXPECT_EQ(FindControl(about, "Image1")->hint, FindControl(about, "AppType")->hint);
  EXPECT_EQ(FindControl(about, "ProductName")->caption, "Orvandis %s");
  EXPECT_EQ(FindControl(about, "AppType")->caption, "%u-Bit");
}

}  // namespace
}  // namespace pelmor::ui
