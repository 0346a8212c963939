// The main window's controls as the engine reads and sets them; the Qt window mirrors this
// model, so the engine never touches a widget and runs headless.
#pragma once

#include "platform/range.h"

#include <QHash>
#include <QString>
#include <QStringList>

#include <vector>

namespace vemo {

// Positions and sizes in twips.
struct ControlGeometry {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};

struct ListBoxModel {
  QStringList items;
  bool visible = false;
  ControlGeometry geometry;
  void clear() { items.clear(); }
};

struct ButtonModel {
  bool visible = true;
};

// The bottom row's controls; CommandButton1 (手动存盘) also follows the manual-save box.
inline constexpr int kBottomButtonCount = 7;

struct PictureModel {
  bool visible = true;
  ControlGeometry geometry;
};

// A root node of the navigation tree; the key is empty for catalog rows without the flag.
struct TreeNode {
  QString key;
  QString text;
  // A node whose key equals its text passes the flag to the open step.
  bool opens_with_flag() const { return !key.isEmpty() && key == text; }
};

// Menu item states by item name; items never named are in their designed state.
class MenuStates {
 public:
  MenuStates();
  bool enabled(const QString& item) const;
  void set_enabled(const QString& item, bool on);
  void set_enabled(const QStringList& items, bool on);

 private:
  QHash<QString, bool> enabled_;
};

struct MainWindowModel {
  // Manual-save box: ticked means cells are stored only by the whole-page save. Setting it
  // runs its click action (set_check2 in the document engine), which keeps CommandButton1
  // in step and saves the page.
  bool Check2 = true;
  bool Check2_visible = true;
  ButtonModel CommandButton1;
  // CommandButton2 … CommandButton7; bottom_button() reaches all seven by number.
  ButtonModel CommandButton2, CommandButton3, CommandButton4, CommandButton5, CommandButton6,
      CommandButton7;
  PictureModel Picture1{true, {3480, 360, 795, 735}};
  ListBoxModel List1{{}, false, {3240, 1320, 2655, 2040}};
  ListBoxModel List2{{}, false, {6600, 1320, 1575, 1260}};
  ListBoxModel List3{{}, false, {4560, 4920, 4815, 1320}};
  // Where the page's grid sits on the window.
  ControlGeometry grid{2880, 36, 9696, 6648};
  // The hidden second page follows the first one's left and width.
  ControlGeometry grid2{3480, 120, 7215, 1935};
  ControlGeometry tree{0, 0, 2775, 7455};
  bool tree_visible = true;
  ControlGeometry Command5{2400, 0, 375, 255};
  bool Command5_visible = true;
  // Tops of the manual-save box and of the seven buttons.
  int check2_top = 7680;
  int buttons_top = 7800;
  // The window itself (its client area once maximized).
  ControlGeometry form{0, 0, 12720, 8700};
  MenuStates menu;
  std::vector<TreeNode> TreeView1;

  // Window state kept while the window is loaded.
  QString edit_ysth;  // the page key when the current edit began
  QString list_cell;  // the cell of the open choice list
  Range list_range;
};

}  // namespace vemo
