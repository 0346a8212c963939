// The main window's layout commands, on the window model in twips: the layout after log-in,
// hiding and showing the tree and the bottom row.
#pragma once

#include "session/window_model.h"

namespace vemo {

// Layout after log-in for a window of the given size: the page height and the bottom row
// follow the window height; the tree's height and the page's width follow as well, so that
// both fill the window.
void layout_main_window(MainWindowModel& form, int width, int height);

// 隐藏 and Command5: the page takes the tree's place.
void hide_tree(MainWindowModel& form);
// 显示.
void show_tree(MainWindowModel& form);
// 底部隐藏: the manual-save box and the seven buttons go, the page and the tree grow.
void hide_bottom_row(MainWindowModel& form);
// 底部显示: all eight come back, whatever the manual-save state.
void show_bottom_row(MainWindowModel& form);

// The menu item whose command a bottom button runs (5 普通打印, 6 票据打印, 7 数据确认); empty
// for the buttons no right takes away.
QString bottom_button_menu_item(int number);
// A bottom button works only while the menu item with its command does (1 … 7).
bool bottom_button_enabled(const MainWindowModel& form, int number);
// CommandButton1 … CommandButton7 by number; any other number gives a detached button
// (logged), so a wrong number changes no control.
ButtonModel& bottom_button(MainWindowModel& form, int number);

}  // namespace vemo
