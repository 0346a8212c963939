// The document and report entries of the main window's menu: item name, caption and the
// document each opens.
#pragma once

#include "session/session.h"

#include <QString>

#include <vector>

namespace vemo {

struct DocumentMenuEntry {
  QString item;
  QString menu;  // the top-level menu that holds it
  QString caption;
  QString document;
  // The warehouse-out slips put the company picture at a fixed place after opening.
  bool fixed_picture = false;
};

const std::vector<DocumentMenuEntry>& document_menu_entries();
const DocumentMenuEntry* find_document_menu_entry(const QString& item);

inline constexpr int kFixedPictureLeft = 601;
inline constexpr int kFixedPictureTop = 317;

// The menu entry's command: opens its document (without the tree's flag). False for an
// unknown item or a refused document.
bool open_from_menu(Session& session, const QString& item);

}  // namespace vemo
