// Dependency index and a cycle-aware topological order (Kahn's algorithm).
#include "platform/dependency_graph.h"

#include <algorithm>
#include <deque>

namespace vemo {

namespace {

std::int64_t cells_in(const CellArea& a) {
  return static_cast<std::int64_t>(a.rows()) * static_cast<std::int64_t>(a.columns());
}

// Tarjan's algorithm without recursion over the nodes not yet done.
void strong_components(const std::vector<std::vector<int>>& edges, const std::vector<bool>& done,
                       std::vector<std::vector<int>>& components) {
  const int n = static_cast<int>(edges.size());
  std::vector<int> index(n, -1);
  std::vector<int> low(n, 0);
  std::vector<bool> on_stack(n, false);
  std::vector<int> stack;
  std::vector<std::pair<int, std::size_t>> calls;
  int counter = 0;
  for (int root = 0; root < n; ++root) {
    if (done[root] || index[root] >= 0) continue;
    auto enter = [&](int v) {
      index[v] = low[v] = counter++;
      stack.push_back(v);
      on_stack[v] = true;
      calls.push_back({v, 0});
    };
    enter(root);
    while (!calls.empty()) {
      auto& [u, next] = calls.back();
      if (next < edges[u].size()) {
        const int w = edges[u][next++];
        if (done[w]) continue;
        if (index[w] < 0) {
          enter(w);
        } else if (on_stack[w]) {
          low[u] = std::min(low[u], index[w]);
        }
        continue;
      }
      const int v = u;
      calls.pop_back();
      if (!calls.empty()) low[calls.back().first] = std::min(low[calls.back().first], low[v]);
      if (low[v] != index[v]) continue;
      std::vector<int> component;
      int w = -1;
      do {
        w = stack.back();
        stack.pop_back();
        on_stack[w] = false;
        component.push_back(w);
      } while (w != v);
      components.push_back(std::move(component));
    }
  }
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
  // What Kahn's algorithm left is in a cycle or fed by one. Strongly connected components
  // tell them apart; they come out sinks first, so the feeders go in reverse.
  std::vector<std::vector<int>> components;
  strong_components(edges, done, components);
  for (auto it = components.rbegin(); it != components.rend(); ++it) {
    const std::vector<int>& component = *it;
    const int first = component.front();
    const bool self_loop =
        std::find(edges[first].begin(), edges[first].end(), first) != edges[first].end();
    if (component.size() > 1 || self_loop) {
      for (const int i : component) order.cyclic.push_back(cell_of_key(nodes[i]));
    } else {
      order.ordered.push_back(cell_of_key(nodes[first]));
    }
  }
  return order;
}

}  // namespace vemo
