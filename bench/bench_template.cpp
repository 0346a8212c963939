// Loading a large page template (2,000 rows x 20 columns, styled cells, merges, formulas),
// against the bare HTML parse of the same text as the baseline. Goal: the load under 1 s.
#include "platform/page_template.h"
#include "platform/sheet.h"
#include "platform/template_parser.h"

#include <benchmark/benchmark.h>
#include <gumbo.h>

namespace {

constexpr int kRows = 2000;
constexpr int kColumns = 20;

QByteArray large_template() {
  QByteArray html =
      "<html><head><meta charset=\"utf-8\"><title>货物运单</title></head><body><table>";
  for (int c = 0; c < kColumns; ++c) html += "<col width=\"72\">";
  for (int r = 1; r <= kRows; ++r) {
    html += "<tr style=\"height:20px\">";
    int c = 0;
    if (r % 10 == 1) {  // a merged heading every ten rows
      html +=
          "<td colspan=\"4\" style=\"font-family:'WenQuanYi Micro Hei'; font-size:12pt; "
          "font-weight:bold; text-align:center; border:1px solid #000\">运输明细</td>";
      c = 4;
    }
    for (; c < kColumns - 1; ++c) {
      html += "<td style=\"border:.5pt solid windowtext; font-size:10.5pt; color:#333\"";
      html += c % 5 == 0 ? " data-format=\"@\" data-locked=\"0\">00" : ">";
      html += QByteArray::number(r * 100 + c) + "</td>";
    }
    html += "<td data-format=\"0.00\" data-formula=\"=SUM(E" + QByteArray::number(r) + ":S" +
            QByteArray::number(r) + ")\"></td></tr>\n";
  }
  return html + "</table></body></html>";
}

const QByteArray& page_text() {
  static const QByteArray text = large_template();
  return text;
}

void BM_GumboParseOnly(benchmark::State& state) {
  const QByteArray& html = page_text();
  for (auto _ : state) {
    GumboOutput* output = gumbo_parse_with_options(&kGumboDefaultOptions, html.constData(),
                                                   static_cast<size_t>(html.size()));
    benchmark::DoNotOptimize(output);
    gumbo_destroy_output(&kGumboDefaultOptions, output);
  }
  state.SetBytesProcessed(state.iterations() * html.size());
}

void BM_ParsePageTemplate(benchmark::State& state) {
  const QByteArray& html = page_text();
  for (auto _ : state) {
    auto page = vemo::parse_page_template(html);
    benchmark::DoNotOptimize(page);
  }
  state.SetBytesProcessed(state.iterations() * html.size());
}

void BM_LoadTemplateIntoSheet(benchmark::State& state) {
  const QByteArray& html = page_text();
  vemo::Sheet sheet;
  for (auto _ : state) {
    const bool loaded = vemo::load_template_text(sheet, html);
    benchmark::DoNotOptimize(loaded);
  }
  state.counters["cells"] = kRows * kColumns;
  state.counters["bytes"] = static_cast<double>(html.size());
}

}  // namespace

BENCHMARK(BM_GumboParseOnly)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ParsePageTemplate)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadTemplateIntoSheet)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
