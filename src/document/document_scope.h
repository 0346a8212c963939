// Whether a user's document scope lets a document open.
#pragma once

#include <QString>

namespace vemo {

// True when the scope is ALL (any letter case), in developer mode, or when one of the
// ","-separated names of the scope is the whole document name. A name merely contained in
// another (总汽运费统计表 inside 租车总汽运费统计表) does not count.
bool document_in_scope(const QString& scope, const QString& document, const QString& dev_marker);

}  // namespace vemo
