// Dependency index and a cycle-aware topological order (Kahn's algorithm).
#include "platform/dependency_graph.h"

#include <algorithm>
#include <deque>

namespace vemo {

namespace {

std::int64_t cells_in(const CellArea& a) {
  return static_cast<std::int64_t>(a.rows()) * static_cast<std::int64_t>(a.columns());
}

}  // namespace

void DependencyGraph::clear() {
  readers_.clear();
  wide_.clear();
  references_.clear();
}

void DependencyGraph::remove(CellPos formula_cell) {
  const std::uint64_t key = cell_key(formula_cell);
  const auto found = references_.find(key);
  if (found == references_.end()) return;
  for (const CellArea& area : *found) {
    if (cells_in(area) > kIndexedAreaLimit) {
      std::erase_if(wide_, [&](const auto& w) { return w.second == key && w.first == area; });
      continue;
    }
    for (int r = area.top; r <= area.bottom; ++r)
      for (int c = area.left; c <= area.right; ++c) {
        const auto it = readers_.find(cell_key({r, c}));
        if (it == readers_.end()) continue;
        std::erase(*it, key);
        if (it->empty()) readers_.erase(it);
      }
  }
  references_.erase(found);
}

void DependencyGraph::set(CellPos formula_cell, const std::vector<CellArea>& references) {
  remove(formula_cell);
  const std::uint64_t key = cell_key(formula_cell);
  for (const CellArea& area : references) {
    if (cells_in(area) > kIndexedAreaLimit) {
      wide_.push_back({area, key});
      continue;
    }
    for (int r = area.top; r <= area.bottom; ++r)
      for (int c = area.left; c <= area.right; ++c) {
        auto& list = readers_[cell_key({r, c})];
        if (std::find(list.begin(), list.end(), key) == list.end()) list.push_back(key);
      }
  }
  references_.insert(key, references);
}

void DependencyGraph::readers(CellPos p, std::vector<std::uint64_t>& out) const {
  out.clear();
  if (const auto it = readers_.constFind(cell_key(p)); it != readers_.constEnd())
    out.insert(out.end(), it->begin(), it->end());
  for (const auto& [area, key] : wide_)
    if (area.contains(p) && std::find(out.begin(), out.end(), key) == out.end()) out.push_back(key);
}

DependencyGraph::Order DependencyGraph::recalc_order(const std::vector<CellPos>& changed) const {
  // Collect the affected formula cells and the edges between them.
  QHash<std::uint64_t, int> index;
  std::vector<std::uint64_t> nodes;
  std::vector<std::vector<int>> edges;
  std::vector<std::uint64_t> pending;
  std::vector<std::uint64_t> found;
  auto add_node = [&](std::uint64_t key) {
    if (index.contains(key)) return;
    index.insert(key, static_cast<int>(nodes.size()));
    nodes.push_back(key);
    pending.push_back(key);
  };
  for (const CellPos p : changed) {
    if (references_.contains(cell_key(p))) add_node(cell_key(p));
    readers(p, found);
    for (const auto key : found) add_node(key);
  }
  while (!pending.empty()) {
    const std::uint64_t key = pending.back();
    pending.pop_back();
    readers(cell_of_key(key), found);
    for (const auto reader : found) add_node(reader);
  }
  edges.resize(nodes.size());
  std::vector<int> waiting(nodes.size(), 0);
  for (std::size_t i = 0; i < nodes.size(); ++i) {
    readers(cell_of_key(nodes[i]), found);
    for (const auto reader : found) {
      const int j = index.value(reader);
      edges[i].push_back(j);
      ++waiting[j];
    }
  }

  Order order;
  std::deque<int> ready;
  for (std::size_t i = 0; i < nodes.size(); ++i)
    if (waiting[i] == 0) ready.push_back(static_cast<int>(i));
  std::vector<bool> done(nodes.size(), false);
  while (!ready.empty()) {
    const int i = ready.front();
    ready.pop_front();
    done[i] = true;
    order.ordered.push_back(cell_of_key(nodes[i]));
    for (const int j : edges[i])
      if (--waiting[j] == 0) ready.push_back(j);
  }
  for (std::size_t i = 0; i < nodes.size(); ++i)
    if (!done[i]) order.cyclic.push_back(cell_of_key(nodes[i]));
  return order;
}

}  // namespace vemo
