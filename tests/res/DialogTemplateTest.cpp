#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

#include "Utf8.h"
#include "res/DialogTemplate.h"
#include "res/StringTable.h"

namespace {

using res::ControlKind;
using res::DialogTemplateData;

const res::ControlTemplate* Control(const DialogTemplateData& t, int id) {
  for (const auto& c : t.controls) {
    if (c.id == id) return &c;
  }
  return nullptr;
}

TEST(DialogTemplates, LookupOfMissingIdsGivesNull) {
  for (unsigned id : {0u, 1u, 128u, 312u, 363u, 999u}) EXPECT_EQ(res::FindDialogTemplate(id), nullptr) << id;
}

TEST(DialogTemplates, EveryTransferredTemplateIsThereOnce) {
  const auto ids = res::AllDialogTemplateIds();
  EXPECT_TRUE(std::is_sorted(ids.begin(), ids.end()));
  EXPECT_EQ(std::adjacent_find(ids.begin(), ids.end()), ids.end());
  for (unsigned id : {100u, 133u, 151u, 314u, 316u, 317u, 319u, 322u, 323u, 333u, 336u, 364u, 391u, 400u}) {
    EXPECT_TRUE(std::binary_search(ids.begin(), ids.end(), id)) << id;
  }
  for (unsigned id : ids) {
    const DialogTemplateData* t = res::FindDialogTemplate(id);
    ASSERT_NE(t, nullptr) << id;
    EXPECT_EQ(t->id, id);
  }
}

// Shape rules every template keeps, whatever its area.
TEST(DialogTemplates, ControlsAreWellFormed) {
  for (unsigned id : res::AllDialogTemplateIds()) {
    const DialogTemplateData& t = *res::FindDialogTemplate(id);
    SCOPED_TRACE("template " + std::to_string(id));
    ASSERT_NE(t.caption, nullptr);
    EXPECT_TRUE(res_test::IsValidUtf8(t.caption));
    EXPECT_GT(t.cx, 0);
    EXPECT_GT(t.cy, 0);
    ASSERT_NE(t.fontFace, nullptr);
    // Every template names the face that the dialog-font pattern loads, so
    // replacing only the size changes nothing else.
    EXPECT_STREQ(t.fontFace, res::FindString(102));
    EXPECT_GT(t.pointSize, 0);
    EXPECT_NE((t.style & res::DS_CHILD) != 0, (t.style & res::DS_POPUP) != 0);
    if (t.style & res::DS_CHILD) {
      EXPECT_EQ(t.style & res::DS_CAPTION, 0u);
    }
    EXPECT_FALSE(t.controls.empty());
    std::set<int> seen;
    for (const auto& c : t.controls) {
      SCOPED_TRACE("control " + std::to_string(c.id));
      ASSERT_NE(c.text, nullptr);
      EXPECT_TRUE(res_test::IsValidUtf8(c.text));
      EXPECT_GE(c.x, 0);
      EXPECT_GE(c.y, 0);
      EXPECT_GT(c.cx, 0);
      EXPECT_GT(c.cy, 0);
      if (c.id != -1) {
        EXPECT_TRUE(seen.insert(c.id).second) << "duplicate id";
      }
      EXPECT_GE(c.id, -1);
    }
  }
}

TEST(DialogTemplates, PagesAreChildControlParentsAndDialogsArePopups) {
  for (unsigned id : {133u, 317u, 319u, 322u, 323u}) {
    const auto* t = res::FindDialogTemplate(id);
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->style & (res::DS_CHILD | res::DS_CONTROL), unsigned(res::DS_CHILD | res::DS_CONTROL)) << id;
    EXPECT_STREQ(t->caption, "") << id;
  }
  EXPECT_TRUE(res::FindDialogTemplate(133)->style & res::DS_CLIENTEDGE);
  // Progress window and firmware dialog have no close box; the terminal has.
  EXPECT_FALSE(res::FindDialogTemplate(333)->style & res::DS_SYSMENU);
  EXPECT_FALSE(res::FindDialogTemplate(400)->style & res::DS_SYSMENU);
  EXPECT_FALSE(res::FindDialogTemplate(391)->style & res::DS_SYSMENU);
  EXPECT_TRUE(res::FindDialogTemplate(391)->style & res::DS_THICKFRAME);
  EXPECT_TRUE(res::FindDialogTemplate(316)->style & res::DS_SYSMENU);
}

TEST(DialogTemplates, KnownLayoutFaultsAreKeptAsData) {
  // The page code sizes the page to its controls; the data must not hide why.
  const auto& system = *res::FindDialogTemplate(317);
  int right = 0, bottom = 0;
  for (const auto& c : system.controls) {
    right = std::max(right, c.x + c.cx);
    bottom = std::max(bottom, c.y + c.cy);
  }
  EXPECT_EQ(system.cx, 289);
  EXPECT_EQ(system.cy, 227);
  EXPECT_EQ(right, 347);
  EXPECT_EQ(bottom, 260);

  const auto& comm = *res::FindDialogTemplate(133);
  const auto* imei = Control(comm, 1043);
  ASSERT_NE(imei, nullptr);
  EXPECT_GE(imei->y, comm.cy);
}

TEST(DialogTemplates, ProgressWindowHidesAbortAndMessageButtons) {
  const auto& t = *res::FindDialogTemplate(333);
  EXPECT_EQ(t.pointSize, 8);
  ASSERT_NE(Control(t, 1193), nullptr);
  EXPECT_EQ(Control(t, 1193)->kind, ControlKind::Progress);
  EXPECT_FALSE(Control(t, 1194)->style & res::CS_HIDDEN);
  for (int id : {1253, 1268, 1269, 1270}) {
    ASSERT_NE(Control(t, id), nullptr) << id;
    EXPECT_TRUE(Control(t, id)->style & res::CS_HIDDEN) << id;
  }
}

TEST(DialogTemplates, TabOrderFollowsTheTables) {
  auto order = [](unsigned tid) {
    std::vector<int> ids;
    for (const auto& c : res::FindDialogTemplate(tid)->controls) {
      if (c.id != -1) ids.push_back(c.id);
    }
    return ids;
  };
  EXPECT_EQ(order(364), (std::vector<int>{1194, 1203, 1204, 1, 2}));
  EXPECT_EQ(order(391), (std::vector<int>{1363, 1039, 1264, 1, 1342}));
  EXPECT_EQ(order(400), (std::vector<int>{1267, 1266, 1, 1002, 1003, 1323, 1300}));
  EXPECT_EQ(order(322), (std::vector<int>{1081, 1082, 1083}));
}

TEST(DialogTemplates, InputStylesOfTheFields) {
  const auto& range = *res::FindDialogTemplate(364);
  for (int id : {1203, 1204}) {
    EXPECT_EQ(Control(range, id)->style & (res::CS_NUMBER | res::CS_BORDER | res::CS_TABSTOP),
              unsigned(res::CS_NUMBER | res::CS_BORDER | res::CS_TABSTOP));
  }
  EXPECT_EQ(Control(range, 1)->kind, ControlKind::DefPushButton);

  const auto& comm = *res::FindDialogTemplate(133);
  EXPECT_TRUE(Control(comm, 1026)->style & res::CS_PASSWORD);
  for (int id : {1024, 1025, 1026, 1008, 1007}) EXPECT_TRUE(Control(comm, id)->style & res::CS_READONLY) << id;

  const auto& ports = *res::FindDialogTemplate(151);
  const auto* list = Control(ports, 1003);
  EXPECT_EQ(list->kind, ControlKind::ListView);
  EXPECT_EQ(list->style & (res::CS_REPORT | res::CS_SINGLESEL | res::CS_SHOWSELALWAYS),
            unsigned(res::CS_REPORT | res::CS_SINGLESEL | res::CS_SHOWSELALWAYS));

  const auto& meas = *res::FindDialogTemplate(319);
  EXPECT_TRUE(Control(meas, 1002)->style & res::CS_MULTILINE);
  for (int id : {1276, 1278, 1279, 1280, 1281, 1283, 1287, 1288, 1293, 1023, 1024}) {
    EXPECT_TRUE(Control(meas, id)->style & res::CS_RIGHT) << id;
    EXPECT_TRUE(Control(meas, id)->style & res::CS_READONLY) << id;
  }
  EXPECT_FALSE(Control(meas, 1269)->style & res::CS_RIGHT);
}

}  // namespace
