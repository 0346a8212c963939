// Menu entries that open documents and reports.
#include "document/document_menu.h"

#include "document/open_document.h"

namespace vemo {

const std::vector<DocumentMenuEntry>& document_menu_entries() {
  static const std::vector<DocumentMenuEntry> entries = {
      {"yswtd", "yswtd", "货物运单", "货物运单"},
      {"yshp", "yshp", "运输货票", "运输货票"},
      {"yspz_jhd", "qcyspz", "接货单", "汽车运输凭证（接货单）"},
      {"yspz_fhd", "qcyspz", "送货单", "汽车运输凭证（送货单）"},
      {"rkd_dd", "rkd", "到达入库单", "入库单（到达）"},
      {"ckd_dd", "rkd", "到达出库单", "出库单（到达）", true},
      {"ysmxb_dd", "rkd", "到达运输明细报表", "澜川物流到达货物运输明细报表"},
      {"jckhzb_dd", "rkd", "到达进出库汇总表", "到达货物进出库汇总表"},
      {"jckmxb_dd", "rkd", "到达进出库明细日报表", "到达货物进出库明细日报表"},
      {"qyf_cc_dd", "rkd", "到达租车汽运费统计表", "租车汽运费统计表（到达）"},
      {"qyf_zb_dd", "rkd", "到达自备车汽运费统计表", "自备车汽运费统计表（到达）"},
      {"jz_srmxb_dd", "rkd", "记帐收入明细报表（到达）", "记帐收入明细报表（到达）"},
      {"xj_srmxb_dd", "rkd", "现金收入明细报表（到达）", "现金收入明细报表（到达）"},
      {"rkd_fs", "ckd", "发送入库单", "入库单（发送）"},
      {"ckd_fs", "ckd", "发送出库单", "出库单（发送）", true},
      {"jckhzb_fs", "ckd", "发送进出库汇总表", "发送货物进出库汇总表"},
      {"jckmxb_fs", "ckd", "发送进出库明细日报表", "发送货物进出库明细日报表"},
      {"ysmxb_fs", "ckd", "发送运输明细报表", "澜川物流发送货物运输明细报表"},
      {"qyf_cc_fs", "ckd", "发送租车汽运费统计表", "租车汽运费统计表（发送）"},
      {"qyf_zb_fs", "ckd", "发送自备车汽运费统计表", "自备车汽运费统计表（发送）"},
      {"jz_srmxb_fs", "ckd", "记帐收入明细报表（发送）", "记帐收入明细报表（发送）"},
      {"xj_zsrmxb_fs", "ckd", "现金收入明细报表（发送）", "现金收入明细报表（发送）"},
      {"mxany_rbb", "mxany_rbb", "运输日报表", "澜川物流货物运输日报表"},
      {"zqyf", "qyf", "总汽运费统计表", "总汽运费统计表"},
      {"zqyf_cc", "qyf", "租车总汽运费统计表", "租车总汽运费统计表"},
      {"zqyf_zb", "qyf", "自备车总汽运费统计表", "自备车总汽运费统计表"},
      {"jz_zsrmxb", "srmxb", "记帐总收入明细报表", "记帐总收入明细报表"},
      {"xj_zsrmxb", "srmxb", "现金总收入明细报表", "现金总收入明细报表"},
      {"khdjb", "file", "客户登记表", "客户登记表"},
  };
  return entries;
}

const DocumentMenuEntry* find_document_menu_entry(const QString& item) {
  for (const DocumentMenuEntry& entry : document_menu_entries()) {
    if (entry.item == item) return &entry;
  }
  return nullptr;
}

bool open_from_menu(Session& session, const QString& item) {
  const DocumentMenuEntry* entry = find_document_menu_entry(item);
  if (entry == nullptr) return false;
  const bool opened = open_document(session, entry->document, OpenFlag::Plain);
  if (entry->fixed_picture) {
    // The offsets logo_x and logo_y keep the catalog's values.
    session.form1.Picture1.geometry.left = session.form1.grid.left + kFixedPictureLeft;
    session.form1.Picture1.geometry.top = session.form1.grid.top + kFixedPictureTop;
  }
  return opened;
}

}  // namespace vemo
