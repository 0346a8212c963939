// The document-scope test compares whole names.
#include "document/document_scope.h"

#include "data/data_state.h"

#include <gtest/gtest.h>

namespace vemo {
namespace {

struct ScopeCase {
  const char* scope;
  const char* document;
  bool developer;
  bool allowed;
};

TEST(DocumentScope, WholeNamesOnly) {
  const ScopeCase cases[] = {
      {"货物运单,运输货票,", "运输货票", false, true},
      {"货物运单,运输货票,", "货物运单", false, true},
      {"运输货票,", "货票", false, false},
      {"租车总汽运费统计表,", "总汽运费统计表", false, false},
      {"总汽运费统计表,", "租车总汽运费统计表", false, false},
      {"运输货票,", "货物运单", false, false},
      {"ALL", "客户登记表", false, true},
      {"all", "客户登记表", false, true},
      {"", "货物运单", false, false},
      {"", "货物运单", true, true},
      {"运输货票,", "货物运单", true, true},
      {"货物运单, 运输货票,", "运输货票", false, true},
      {"货物运单,", "", false, false},
  };
  for (const ScopeCase& c : cases) {
    EXPECT_EQ(document_in_scope(QString::fromUtf8(c.scope), QString::fromUtf8(c.document),
                                c.developer ? kDeveloperMarker : kNormalMarker),
              c.allowed)
        << c.scope << " / " << c.document;
  }
}

}  // namespace
}  // namespace vemo
