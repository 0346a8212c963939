// A quick upper estimate of how deeply an HTML text nests its elements, taken before parsing.
#include "platform/markup_depth.h"

#include <QByteArrayView>

#include <algorithm>
#include <array>

namespace vemo {

namespace {

// Elements that are void or whose end the parser implies, so an unclosed one adds no depth.
constexpr std::array<const char*, 27> kSelfClosing{
    "td",   "th",   "tr",   "tbody",  "thead", "tfoot",  "col",   "colgroup", "p",
    "li",   "dt",   "dd",   "option", "br",    "hr",     "img",   "input",    "meta",
    "link", "base", "area", "wbr",    "param", "source", "track", "embed",    "html"};

bool is_self_closing(QByteArrayView name) {
  return std::any_of(kSelfClosing.begin(), kSelfClosing.end(), [&](const char* known) {
    return name.compare(known, Qt::CaseInsensitive) == 0;
  });
}

bool is_name_char(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

}  // namespace

int markup_depth_estimate(const QByteArray& html) {
  const qsizetype size = html.size();
  const char* text = html.constData();
  int depth = 0;
  int deepest = 0;
  for (qsizetype i = 0; i < size; ++i) {
    if (text[i] != '<') continue;
    if (QByteArrayView(text + i, size - i).startsWith("<!--")) {
      const qsizetype end = html.indexOf("-->", i + 4);
      if (end < 0) break;
      i = end + 2;
      continue;
    }
    const bool closing = i + 1 < size && text[i + 1] == '/';
    qsizetype start = i + (closing ? 2 : 1);
    qsizetype end = start;
    while (end < size && is_name_char(text[end])) ++end;
    if (end == start || !((text[start] >= 'a' && text[start] <= 'z') ||
                          (text[start] >= 'A' && text[start] <= 'Z'))) {
      continue;
    }
    if (is_self_closing(QByteArrayView(text + start, end - start))) continue;
    if (closing) {
      depth = std::max(depth - 1, 0);
    } else {
      deepest = std::max(deepest, ++depth);
    }
    i = end - 1;
  }
  return deepest;
}

}  // namespace vemo
