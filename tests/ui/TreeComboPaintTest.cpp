// Tree control with check boxes, combo boxes, and a picture that a dialog
// paints over a static control.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QImage>
#include <QLineEdit>
#include <QTreeWidget>
#include <vector>

#include "UiTestSupport.h"
#include "ui/Bitmap.h"
#include "ui/ComboBox.h"
#include "ui/Dialog.h"
#include "ui/Images.h"
#include "ui/PaintDC.h"
#include "ui/TreeCtrl.h"

using res::ControlKind;

namespace {
res::DialogTemplateData Controls() {
  return {9300,
          "",
          300,
          200,
          res::DS_POPUP,
          "ＭＳ ゴシック",
          9,
          {
              {1001, ControlKind::TreeView, "", res::CS_CHECKBOXES | res::CS_HASLINES | res::CS_BORDER, 7, 7, 150, 120},
              {1186, ControlKind::ComboBox, "", res::CS_DROPDOWN | res::CS_TABSTOP, 170, 7, 60, 60},
              {1187, ControlKind::ComboBox, "", res::CS_DROPDOWNLIST | res::CS_TABSTOP, 170, 30, 60, 60},
              {1168, ControlKind::Static, "", res::CS_NONE, 170, 60, 80, 80},
          }};
}

struct TreeNote {
  UINT code;
  HTREEITEM item;
  UINT oldState;
  UINT newState;
};

class Host : public CDialog {
 public:
  CTreeCtrl m_tree;
  CComboBox m_dropDown;
  CComboBox m_dropList;
  std::vector<TreeNote> notes;
  std::vector<std::pair<UINT, UINT>> commands;  // (id, code)
  CBitmap* picture = nullptr;
  int paints = 0;

  Host() {
    MapNotify(TVN_ITEMCHANGEDW, 1001, [this](NMHDR* h, LRESULT*) {
      auto* nm = reinterpret_cast<NMTVITEMCHANGE*>(h);
      notes.push_back({h->code, nm->hItem, nm->uStateOld, nm->uStateNew});
    });
    MapNotify(TVN_SELCHANGEDW, 1001, [this](NMHDR* h, LRESULT*) {
      auto* nm = reinterpret_cast<NMTREEVIEW*>(h);
      notes.push_back({h->code, nm->itemNew.hItem, 0, 0});
    });
  }

 protected:
  void DoDataExchange(CDataExchange* dx) override {
    DDX_Control(dx, 1001, m_tree);
    DDX_Control(dx, 1186, m_dropDown);
    DDX_Control(dx, 1187, m_dropList);
  }
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
    if (LOWORD(wParam) == 1186 || LOWORD(wParam) == 1187) commands.emplace_back(LOWORD(wParam), HIWORD(wParam));
    return CDialog::OnCommand(wParam, lParam);
  }
  // The picture at the static's top-left corner, stretched to twice its size.
  void OnPaint() override {
    CPaintDC dc(this);
    ++paints;
    if (!picture || !picture->GetSafeHandle()) return;
    CRect rc;
    GetDlgItem(1168)->GetWindowRect(&rc);
    ScreenToClient(&rc);
    CDC memory;
    memory.CreateCompatibleDC(&dc);
    CBitmap* before = memory.SelectObject(picture);
    BITMAP info;
    picture->GetBitmap(&info);
    dc.StretchBlt(rc.left, rc.top, 2 * info.bmWidth, 2 * info.bmHeight, &memory, 0, 0, info.bmWidth, info.bmHeight,
                  SRCCOPY);
    memory.SelectObject(before);
  }
};

QTreeWidgetItem* Q(HTREEITEM h) { return reinterpret_cast<QTreeWidgetItem*>(h); }
}  // namespace

TEST(TreeCtrl, CheckBoxesNotifyEveryChangeWithOldAndNewStateAndNeverTickParentsThemselves) {
  Host host;
  ASSERT_TRUE(host.CreateIndirect(Controls()));
  CTreeCtrl& tree = host.m_tree;
  EXPECT_TRUE(tree.GetStyle() & TVS_CHECKBOXES);
  HTREEITEM group = tree.InsertItem("初期設定");
  HTREEITEM a = tree.InsertItem("初期化", group);
  HTREEITEM b = tree.InsertItem("入力設定", group);
  EXPECT_TRUE(host.notes.empty());  // a new item's empty box is no change
  EXPECT_EQ(tree.GetItemState(a, TVIS_STATEIMAGEMASK), INDEXTOSTATEIMAGEMASK(1));

  tree.SetCheck(a, TRUE);
  tree.SetCheck(a, TRUE);  // no change, no word
  ASSERT_EQ(host.notes.size(), 1u);
  EXPECT_EQ(host.notes[0].code, static_cast<UINT>(TVN_ITEMCHANGEDW));
  EXPECT_EQ(host.notes[0].item, a);
  EXPECT_EQ(host.notes[0].oldState, INDEXTOSTATEIMAGEMASK(1));
  EXPECT_EQ(host.notes[0].newState, INDEXTOSTATEIMAGEMASK(2));

  // The operator's click on the box takes the same road.
  Q(b)->setCheckState(0, Qt::Checked);
  ASSERT_EQ(host.notes.size(), 2u);
  EXPECT_EQ(host.notes[1].item, b);
  EXPECT_EQ(host.notes[1].newState, INDEXTOSTATEIMAGEMASK(2));
  // Both children ticked; the group stays as the program left it.
  EXPECT_FALSE(tree.GetCheck(group));
  tree.SetItemState(b, INDEXTOSTATEIMAGEMASK(1), TVIS_STATEIMAGEMASK);
  EXPECT_FALSE(tree.GetCheck(b));
  EXPECT_EQ(host.notes.back().oldState, INDEXTOSTATEIMAGEMASK(2));

  // Without the style the boxes go, silently.
  const size_t before = host.notes.size();
  tree.ModifyStyle(TVS_CHECKBOXES, 0);
  EXPECT_EQ(tree.GetItemState(a, TVIS_STATEIMAGEMASK), 0u);
  EXPECT_EQ(host.notes.size(), before);
  tree.ModifyStyle(0, TVS_CHECKBOXES);
  EXPECT_EQ(tree.GetItemState(a, TVIS_STATEIMAGEMASK), INDEXTOSTATEIMAGEMASK(1));
}

TEST(TreeCtrl, NavigationExpansionSelectionAndHitTest) {
  Host host;
  ASSERT_TRUE(host.CreateIndirect(Controls()));
  host.ShowWindow(SW_SHOW);
  CTreeCtrl& tree = host.m_tree;
  EXPECT_EQ(tree.GetRootItem(), nullptr);
  HTREEITEM g1 = tree.InsertItem("g1");
  HTREEITEM g2 = tree.InsertItem("g2");
  HTREEITEM first = tree.InsertItem("g0", TVI_ROOT, TVI_FIRST);
  HTREEITEM c1 = tree.InsertItem("c1", g1);
  HTREEITEM c3 = tree.InsertItem("c3", g1);
  HTREEITEM c2 = tree.InsertItem("c2", g1, c1);
  EXPECT_EQ(tree.GetCount(), 6u);
  EXPECT_EQ(tree.GetRootItem(), first);
  EXPECT_EQ(tree.GetNextSiblingItem(first), g1);
  EXPECT_EQ(tree.GetNextSiblingItem(g1), g2);
  EXPECT_EQ(tree.GetNextSiblingItem(g2), nullptr);
  EXPECT_EQ(tree.GetPrevSiblingItem(g1), first);
  EXPECT_EQ(tree.GetChildItem(g1), c1);
  EXPECT_EQ(tree.GetNextSiblingItem(c1), c2);
  EXPECT_EQ(tree.GetNextSiblingItem(c2), c3);
  EXPECT_EQ(tree.GetParentItem(c3), g1);
  EXPECT_EQ(tree.GetParentItem(g1), nullptr);
  EXPECT_TRUE(tree.ItemHasChildren(g1));
  EXPECT_FALSE(tree.ItemHasChildren(g2));
  EXPECT_EQ(tree.GetItemText(c2), "c2");
  EXPECT_EQ(tree.GetChildItem(TVI_ROOT), first);

  EXPECT_TRUE(tree.Expand(g1, TVE_EXPAND));
  EXPECT_EQ(tree.GetItemState(g1, TVIS_EXPANDED), static_cast<UINT>(TVIS_EXPANDED));
  tree.Expand(g1, TVE_TOGGLE);
  EXPECT_EQ(tree.GetItemState(g1, TVIS_EXPANDED), 0u);
  tree.Expand(g1, TVE_EXPAND);

  host.notes.clear();
  EXPECT_TRUE(tree.SelectItem(c2));
  EXPECT_EQ(tree.GetSelectedItem(), c2);
  ASSERT_FALSE(host.notes.empty());
  EXPECT_EQ(host.notes.back().code, static_cast<UINT>(TVN_SELCHANGEDW));
  EXPECT_EQ(host.notes.back().item, c2);

  auto* widget = qobject_cast<QTreeWidget*>(tree.GetWidget());
  const QRect r = widget->visualItemRect(Q(c3));
  const QPoint inTree = widget->viewport()->mapTo(widget, r.center());
  UINT flags = 0;
  EXPECT_EQ(tree.HitTest(CPoint(inTree.x(), inTree.y()), &flags), c3);
  EXPECT_TRUE(flags & TVHT_ONITEM);
  EXPECT_EQ(tree.HitTest(CPoint(2, widget->height() - 3), &flags), nullptr);
  EXPECT_EQ(flags, static_cast<UINT>(TVHT_NOWHERE));

  EXPECT_TRUE(tree.DeleteItem(c2));
  EXPECT_EQ(tree.GetNextSiblingItem(c1), c3);
  EXPECT_TRUE(tree.DeleteAllItems());
  EXPECT_EQ(tree.GetCount(), 0u);
}

TEST(ComboBox, DropDownKeepsTypedTextAndDropListOnlyItsEntries) {
  Host host;
  ASSERT_TRUE(host.CreateIndirect(Controls()));
  CComboBox& down = host.m_dropDown;
  CComboBox& list = host.m_dropList;
  EXPECT_EQ(down.GetStyle() & CBS_TYPEMASK, static_cast<DWORD>(CBS_DROPDOWN));
  EXPECT_EQ(list.GetStyle() & CBS_TYPEMASK, static_cast<DWORD>(CBS_DROPDOWNLIST));
  // The template's 60 units are the dropped list's; the control is one field high.
  CRect field;
  down.GetWindowRect(&field);
  EXPECT_LT(field.Height(), host.GetDluMetrics().Y(20));

  down.SetWindowText("0.75");
  EXPECT_EQ(down.AddString("0.5"), 0);
  EXPECT_EQ(down.AddString("1.0"), 1);
  EXPECT_EQ(down.GetCount(), 2);
  EXPECT_EQ(down.GetWindowText(), "0.75");  // entries joining leave the field alone
  EXPECT_EQ(down.GetCurSel(), CB_ERR);
  EXPECT_EQ(down.SetCurSel(1), 1);
  EXPECT_EQ(down.GetWindowText(), "1.0");
  EXPECT_EQ(down.GetCurSel(), 1);
  down.SetWindowText("1.25");
  EXPECT_EQ(down.GetCurSel(), CB_ERR);  // typed over: no entry is chosen
  EXPECT_EQ(down.GetLBText(0), "0.5");
  EXPECT_EQ(down.GetLBText(5), "");
  EXPECT_EQ(down.InsertString(0, "0.25"), 0);
  EXPECT_EQ(down.FindStringExact(-1, "1.0"), 2);
  EXPECT_EQ(down.FindStringExact(-1, "1"), CB_ERR);
  EXPECT_EQ(down.SelectString(-1, "0.5"), 1);
  EXPECT_EQ(down.GetWindowText(), "0.5");
  EXPECT_EQ(down.DeleteString(0), 2);
  EXPECT_TRUE(host.commands.empty());  // nothing the program does notifies

  // The operator's choice and typing reach the dialog.
  auto* qdown = qobject_cast<QComboBox*>(down.GetWidget());
  emit qdown->activated(1);
  emit qdown->lineEdit()->textEdited(QStringLiteral("2"));
  ASSERT_EQ(host.commands.size(), 2u);
  EXPECT_EQ(host.commands[0], (std::pair<UINT, UINT>(1186, CBN_SELCHANGE)));
  EXPECT_EQ(host.commands[1], (std::pair<UINT, UINT>(1186, CBN_EDITCHANGE)));

  list.AddString("none");
  list.AddString("PAP");
  list.AddString("CHAP");
  list.SetWindowText("typed");  // a drop list has no field to type into
  EXPECT_EQ(list.FindStringExact(-1, "chap"), 2);
  list.SetCurSel(2);
  EXPECT_EQ(list.GetWindowText(), "CHAP");
  EXPECT_EQ(list.SetCurSel(3), CB_ERR);
  EXPECT_EQ(list.GetCurSel(), CB_ERR);
  list.ResetContent();
  EXPECT_EQ(list.GetCount(), 0);
}

TEST(Painting, DialogDrawsAResourcePictureOverItsStaticOnlyInsideItsPaint) {
  Host host;
  ASSERT_TRUE(host.CreateIndirect(Controls()));
  CBitmap picture;
  EXPECT_FALSE(picture.LoadBitmap(9999));
  EXPECT_EQ(picture.GetSafeHandle(), nullptr);
  ASSERT_TRUE(picture.LoadBitmap(385));
  BITMAP info;
  ASSERT_NE(picture.GetBitmap(&info), 0);
  EXPECT_EQ(info.bmWidth, 48);
  EXPECT_EQ(info.bmHeight, 48);
  host.picture = &picture;

  // Outside a paint a paint context has nothing to draw on.
  CPaintDC outside(&host);
  EXPECT_EQ(outside.GetPainter(), nullptr);

  host.ShowWindow(SW_SHOW);
  const QImage shot = host.GetWidget()->grab().toImage();
  EXPECT_GT(host.paints, 0);
  CRect rc;
  host.GetDlgItem(1168)->GetWindowRect(&rc);
  host.ScreenToClient(&rc);
  const QImage source = LoadPngResource(385);
  // Every pixel of the source shows as a 2 x 2 block.
  for (int y = 0; y < 48; y += 5) {
    for (int x = 0; x < 48; x += 5) {
      ASSERT_EQ(shot.pixelColor(rc.left + 2 * x + 1, rc.top + 2 * y + 1).rgb(), source.pixelColor(x, y).rgb())
          << x << "," << y;
    }
  }
  EXPECT_TRUE(picture.DeleteObject());
  EXPECT_FALSE(picture.DeleteObject());
}
