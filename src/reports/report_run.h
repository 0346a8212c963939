// The state of one report run, shared by placement and layout.
#pragma once

#include "document/cell_map.h"

#include <QHash>
#include <QString>

#include <array>
#include <optional>
#include <vector>

namespace vemo {

inline constexpr int kTrackedGroupColumns = 500;

struct GroupState {
  std::optional<int> base_column;
  QString previous_base;
  QString current_base;
  std::array<int, kTrackedGroupColumns + 1> first_row{};
};

struct ReportRun {
  int longest_list = 0;
  int stacked_offset = 0;
  int bottom_row = 0;
  int rightmost_column = 5;
  int first_data_row = 5;
  int alignment_shift = 0;
  GroupState group;
  bool ax_page = false;

  // The page's cell map, read once: it does not change during a run.
  std::vector<MapRow> map;
  QHash<QString, int> map_by_zdm;  // lower-cased zdm -> first row with it

  void set_map(std::vector<MapRow> rows);
  const MapRow* find_zdm(const QString& qualified_name) const;
};

}  // namespace vemo
