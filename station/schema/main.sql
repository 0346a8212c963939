-- Main database 澜川.mdb: documents, users, confirmations, capital-amount actions.
-- Text columns compare without regard to case (COLLATE NOCASE), except the password ws_gxq.mm.
-- Dates are ISO text: DATE 'YYYY-MM-DD', DATETIME 'YYYY-MM-DD HH:MM:SS'.
-- No table or column name here may contain the letters "bb": such texts are routed to the settings database.
-- The document tables have no surrogate key: export and import copy their columns by position.

-- transfer: begin
-- Everything between "transfer: begin" and "transfer: end" also makes the empty transfer file outmdb_y.md.

-- 货物运单, master: one row per waybill number.
CREATE TABLE yswtd1 (
  ysth   TEXT COLLATE NOCASE,  -- 运输托号
  tyrq   DATE,                 -- 托运日期
  fz     TEXT COLLATE NOCASE,  -- 发站
  dz     TEXT COLLATE NOCASE,  -- 到站
  ysfs   TEXT COLLATE NOCASE,  -- 运输方式
  ch     TEXT COLLATE NOCASE,  -- 车号
  clxz   TEXT COLLATE NOCASE,  -- 车辆性质: 自有车辆 / 外雇车辆
  sj     TEXT COLLATE NOCASE,  -- 司机
  fhdwmc TEXT COLLATE NOCASE,  -- 发货单位 名称
  fhdwdz TEXT COLLATE NOCASE,  --          地址
  fhdwdh TEXT COLLATE NOCASE,  --          电话
  fhdwsj TEXT COLLATE NOCASE,  --          手机
  shdwmc TEXT COLLATE NOCASE,  -- 收货单位 名称
  shdwdz TEXT COLLATE NOCASE,  --          地址
  shdwdh TEXT COLLATE NOCASE,  --          电话
  shdwsj TEXT COLLATE NOCASE,  --          手机
  fkfs   TEXT COLLATE NOCASE,  -- 付款方式
  jhfs   TEXT COLLATE NOCASE,  -- 交货方式
  hjjs   INTEGER,              -- 合计件数
  hjzl   REAL,                 -- 合计重量(吨)
  hjtj   REAL,                 -- 合计体积(立方)
  hjyf   REAL,                 -- 合计运费
  hjbjf  REAL,                 -- 合计保价费
  hjje   REAL,                 -- 合计金额
  hjdx   TEXT COLLATE NOCASE,  -- 合计金额大写
  bjjz   REAL,                 -- 声明价值
  bjjzdx TEXT COLLATE NOCASE,  -- 声明价值大写
  bz     TEXT COLLATE NOCASE,  -- 备注
  zdr    TEXT COLLATE NOCASE   -- 制单人
);

-- 货物运单, goods lines: one row per line, fh_wz = line number from 1.
CREATE TABLE yswtd2 (
  ysth  TEXT COLLATE NOCASE,
  fh_wz INTEGER,
  hwmc  TEXT COLLATE NOCASE,   -- 货物名称
  bzfs  TEXT COLLATE NOCASE,   -- 包装
  js    INTEGER,               -- 件数
  zl    REAL,                  -- 重量(吨)
  tj    REAL,                  -- 体积(立方)
  jffs  TEXT COLLATE NOCASE,   -- 计费方式
  dj    REAL,                  -- 单价
  yf    REAL,                  -- 运费
  bjje  REAL,                  -- 保价金额
  bjf   REAL,                  -- 保价费
  xj    REAL,                  -- 小计
  hwbz  TEXT COLLATE NOCASE    -- 备注
);

-- 运输货票, master: keyed by waybill number and ticket number (at most two tickets per waybill).
CREATE TABLE yshp1 (
  ysth   TEXT COLLATE NOCASE,
  hpbh   TEXT COLLATE NOCASE,  -- 货票编号
  kprq   DATE,                 -- 开票日期
  hplx   TEXT COLLATE NOCASE,  -- 货票类别: 发送 / 到达
  fz     TEXT COLLATE NOCASE,
  dz     TEXT COLLATE NOCASE,
  ysfs   TEXT COLLATE NOCASE,
  ch     TEXT COLLATE NOCASE,
  clxz   TEXT COLLATE NOCASE,
  jbr    TEXT COLLATE NOCASE,  -- 经办人
  fhdwmc TEXT COLLATE NOCASE,
  shdwmc TEXT COLLATE NOCASE,
  js     INTEGER,
  zl     REAL,
  tj     REAL,
  qhdj   REAL,                 -- 轻货单价(元/立方)
  zhdj   REAL,                 -- 重货单价(元/吨)
  ajdj   REAL,                 -- 按件单价(元/件)
  hjje   REAL,                 -- 合计金额
  hjdx   TEXT COLLATE NOCASE,  -- 合计金额大写
  jzje   REAL,                 -- 记帐
  xjje   REAL,                 -- 收现
  dsje   REAL,                 -- 代收
  bz     TEXT COLLATE NOCASE,
  zdr    TEXT COLLATE NOCASE
);

-- 运输货票, fee lines.
CREATE TABLE yshp2 (
  ysth  TEXT COLLATE NOCASE,
  hpbh  TEXT COLLATE NOCASE,
  fh_wz INTEGER,
  fymc  TEXT COLLATE NOCASE,   -- 费用项目
  jfsl  REAL,                  -- 计费数量
  jldw  TEXT COLLATE NOCASE,   -- 计量单位
  dj    REAL,
  je    REAL,                  -- 金额
  bz    TEXT COLLATE NOCASE
);

-- 汽车运输凭证（接货单）: pick-up at the departure station.
CREATE TABLE qcyspz1_jhd (
  ysth   TEXT COLLATE NOCASE,
  pzbh   TEXT COLLATE NOCASE,  -- 凭证编号
  rq     DATE,
  fz     TEXT COLLATE NOCASE,
  dz     TEXT COLLATE NOCASE,
  ch     TEXT COLLATE NOCASE,
  clxz   TEXT COLLATE NOCASE,
  sj     TEXT COLLATE NOCASE,
  sjdh   TEXT COLLATE NOCASE,  -- 司机电话
  hwdz   TEXT COLLATE NOCASE,  -- 提货地址
  lxr    TEXT COLLATE NOCASE,  -- 联系人
  lxdh   TEXT COLLATE NOCASE,  -- 联系电话
  fhdwmc TEXT COLLATE NOCASE,
  shdwmc TEXT COLLATE NOCASE,
  hwmc   TEXT COLLATE NOCASE,
  js     INTEGER,
  zl     REAL,
  tj     REAL,
  lc     REAL,                 -- 里程(公里)
  qyf    REAL,                 -- 汽运费
  qyfdx  TEXT COLLATE NOCASE,  -- 汽运费大写
  bz     TEXT COLLATE NOCASE,
  zdr    TEXT COLLATE NOCASE
);

-- 汽车运输凭证（送货单）: delivery at the arrival station; same columns, hwdz is the delivery address.
CREATE TABLE qcyspz1_shd (
  ysth   TEXT COLLATE NOCASE,
  pzbh   TEXT COLLATE NOCASE,
  rq     DATE,
  fz     TEXT COLLATE NOCASE,
  dz     TEXT COLLATE NOCASE,
  ch     TEXT COLLATE NOCASE,
  clxz   TEXT COLLATE NOCASE,
  sj     TEXT COLLATE NOCASE,
  sjdh   TEXT COLLATE NOCASE,
  hwdz   TEXT COLLATE NOCASE,
  lxr    TEXT COLLATE NOCASE,
  lxdh   TEXT COLLATE NOCASE,
  fhdwmc TEXT COLLATE NOCASE,
  shdwmc TEXT COLLATE NOCASE,
  hwmc   TEXT COLLATE NOCASE,
  js     INTEGER,
  zl     REAL,
  tj     REAL,
  lc     REAL,
  qyf    REAL,
  qyfdx  TEXT COLLATE NOCASE,
  bz     TEXT COLLATE NOCASE,
  zdr    TEXT COLLATE NOCASE
);

-- Warehouse slips. The dispatch out-slip becomes the arrival in-slip at the other station:
-- its ckrq and ckd1_kpd travel as rkrq and kpd, every other column by the same name.
CREATE TABLE rkd1_dd (
  ysth   TEXT COLLATE NOCASE,
  bh     TEXT COLLATE NOCASE,  -- 入库单号
  rkrq   DATE,                 -- 入库日期
  kpd    TEXT COLLATE NOCASE,  -- 开票点
  ck     TEXT COLLATE NOCASE,  -- 仓库
  fz     TEXT COLLATE NOCASE,
  dz     TEXT COLLATE NOCASE,
  ch     TEXT COLLATE NOCASE,
  fhdwmc TEXT COLLATE NOCASE,
  shdwmc TEXT COLLATE NOCASE,
  jbr    TEXT COLLATE NOCASE,  -- 送货人
  jbrdh  TEXT COLLATE NOCASE,
  cgy    TEXT COLLATE NOCASE,  -- 仓管员
  bz     TEXT COLLATE NOCASE,
  zdr    TEXT COLLATE NOCASE
);

CREATE TABLE rkd2_dd (
  ysth  TEXT COLLATE NOCASE,
  fh_wz INTEGER,
  hwmc  TEXT COLLATE NOCASE,
  bzfs  TEXT COLLATE NOCASE,
  hw    TEXT COLLATE NOCASE,   -- 货位
  gg    TEXT COLLATE NOCASE,   -- 规格
  js    INTEGER,
  zl    REAL,
  tj    REAL,
  hwbz  TEXT COLLATE NOCASE
);

CREATE TABLE ckd1_dd (
  ysth     TEXT COLLATE NOCASE,
  bh       TEXT COLLATE NOCASE,  -- 出库单号
  ckrq     DATE,                 -- 出库日期
  ckd1_kpd TEXT COLLATE NOCASE,  -- 开票点
  ck       TEXT COLLATE NOCASE,
  fz       TEXT COLLATE NOCASE,
  dz       TEXT COLLATE NOCASE,
  ch       TEXT COLLATE NOCASE,
  fhdwmc   TEXT COLLATE NOCASE,
  shdwmc   TEXT COLLATE NOCASE,
  jbr      TEXT COLLATE NOCASE,  -- 提货人
  jbrdh    TEXT COLLATE NOCASE,
  cgy      TEXT COLLATE NOCASE,
  bz       TEXT COLLATE NOCASE,
  zdr      TEXT COLLATE NOCASE
);

CREATE TABLE ckd2_dd (
  ysth  TEXT COLLATE NOCASE,
  fh_wz INTEGER,
  hwmc  TEXT COLLATE NOCASE,
  bzfs  TEXT COLLATE NOCASE,
  hw    TEXT COLLATE NOCASE,
  gg    TEXT COLLATE NOCASE,
  js    INTEGER,
  zl    REAL,
  tj    REAL,
  hwbz  TEXT COLLATE NOCASE
);

CREATE TABLE rkd1_fs (
  ysth   TEXT COLLATE NOCASE,
  bh     TEXT COLLATE NOCASE,
  rkrq   DATE,
  kpd    TEXT COLLATE NOCASE,
  ck     TEXT COLLATE NOCASE,
  fz     TEXT COLLATE NOCASE,
  dz     TEXT COLLATE NOCASE,
  ch     TEXT COLLATE NOCASE,
  fhdwmc TEXT COLLATE NOCASE,
  shdwmc TEXT COLLATE NOCASE,
  jbr    TEXT COLLATE NOCASE,
  jbrdh  TEXT COLLATE NOCASE,
  cgy    TEXT COLLATE NOCASE,
  bz     TEXT COLLATE NOCASE,
  zdr    TEXT COLLATE NOCASE
);

CREATE TABLE rkd2_fs (
  ysth  TEXT COLLATE NOCASE,
  fh_wz INTEGER,
  hwmc  TEXT COLLATE NOCASE,
  bzfs  TEXT COLLATE NOCASE,
  hw    TEXT COLLATE NOCASE,
  gg    TEXT COLLATE NOCASE,
  js    INTEGER,
  zl    REAL,
  tj    REAL,
  hwbz  TEXT COLLATE NOCASE
);

CREATE TABLE ckd1_fs (
  ysth     TEXT COLLATE NOCASE,
  bh       TEXT COLLATE NOCASE,
  ckrq     DATE,
  ckd1_kpd TEXT COLLATE NOCASE,
  ck       TEXT COLLATE NOCASE,
  fz       TEXT COLLATE NOCASE,
  dz       TEXT COLLATE NOCASE,
  ch       TEXT COLLATE NOCASE,
  fhdwmc   TEXT COLLATE NOCASE,
  shdwmc   TEXT COLLATE NOCASE,
  jbr      TEXT COLLATE NOCASE,
  jbrdh    TEXT COLLATE NOCASE,
  cgy      TEXT COLLATE NOCASE,
  bz       TEXT COLLATE NOCASE,
  zdr      TEXT COLLATE NOCASE
);

CREATE TABLE ckd2_fs (
  ysth  TEXT COLLATE NOCASE,
  fh_wz INTEGER,
  hwmc  TEXT COLLATE NOCASE,
  bzfs  TEXT COLLATE NOCASE,
  hw    TEXT COLLATE NOCASE,
  gg    TEXT COLLATE NOCASE,
  js    INTEGER,
  zl    REAL,
  tj    REAL,
  hwbz  TEXT COLLATE NOCASE
);

-- Look-ups by waybill number, line, ticket and slip number, party names, dates and stations.
CREATE INDEX yswtd1_ysth ON yswtd1 (ysth);
CREATE INDEX yswtd1_tyrq ON yswtd1 (tyrq);
CREATE INDEX yswtd1_fz_dz ON yswtd1 (fz, dz);
CREATE INDEX yswtd1_dz ON yswtd1 (dz);
CREATE INDEX yswtd1_fhdwmc ON yswtd1 (fhdwmc);
CREATE INDEX yswtd1_shdwmc ON yswtd1 (shdwmc);
CREATE INDEX yswtd2_ysth_fh_wz ON yswtd2 (ysth, fh_wz);
CREATE INDEX yshp1_ysth_hpbh ON yshp1 (ysth, hpbh);
CREATE INDEX yshp1_hpbh ON yshp1 (hpbh);
CREATE INDEX yshp1_kprq ON yshp1 (kprq);
CREATE INDEX yshp2_ysth_hpbh_fh_wz ON yshp2 (ysth, hpbh, fh_wz);
CREATE INDEX qcyspz1_jhd_ysth ON qcyspz1_jhd (ysth);
CREATE INDEX qcyspz1_jhd_rq ON qcyspz1_jhd (rq);
CREATE INDEX qcyspz1_shd_ysth ON qcyspz1_shd (ysth);
CREATE INDEX qcyspz1_shd_rq ON qcyspz1_shd (rq);
CREATE INDEX rkd1_dd_ysth ON rkd1_dd (ysth);
CREATE INDEX rkd1_dd_bh ON rkd1_dd (bh);
CREATE INDEX rkd1_dd_rkrq ON rkd1_dd (rkrq);
CREATE INDEX rkd2_dd_ysth_fh_wz ON rkd2_dd (ysth, fh_wz);
CREATE INDEX ckd1_dd_ysth ON ckd1_dd (ysth);
CREATE INDEX ckd1_dd_bh ON ckd1_dd (bh);
CREATE INDEX ckd1_dd_ckrq ON ckd1_dd (ckrq);
CREATE INDEX ckd2_dd_ysth_fh_wz ON ckd2_dd (ysth, fh_wz);
CREATE INDEX rkd1_fs_ysth ON rkd1_fs (ysth);
CREATE INDEX rkd1_fs_bh ON rkd1_fs (bh);
CREATE INDEX rkd1_fs_rkrq ON rkd1_fs (rkrq);
CREATE INDEX rkd2_fs_ysth_fh_wz ON rkd2_fs (ysth, fh_wz);
CREATE INDEX ckd1_fs_ysth ON ckd1_fs (ysth);
CREATE INDEX ckd1_fs_bh ON ckd1_fs (bh);
CREATE INDEX ckd1_fs_ckrq ON ckd1_fs (ckrq);
CREATE INDEX ckd2_fs_ysth_fh_wz ON ckd2_fs (ysth, fh_wz);

-- transfer: end

-- Users. Column order matters: the administration grid captions columns by position
-- (bh hidden, 用户名, 用户权限, 访问项目1..4), and the network exchange copies positions
-- 1 to count-2, so the last column (bz) stays local while the password travels.
CREATE TABLE ws_gxq (
  bh        INTEGER PRIMARY KEY AUTOINCREMENT,
  username  TEXT COLLATE NOCASE,
  userright TEXT COLLATE NOCASE,  -- ADMIN / W / R / TQ
  fw_b1     TEXT COLLATE NOCASE,  -- documents the user may open: names each followed by ",", or ALL
  fw_b2     TEXT COLLATE NOCASE,
  fw_b3     TEXT COLLATE NOCASE,
  fw_b4     TEXT COLLATE NOCASE,  -- shown as 访问项目4; not part of the scope
  mm        TEXT,                 -- password, compared exactly
  bz        TEXT COLLATE NOCASE
);
CREATE INDEX ws_gxq_username ON ws_gxq (username);

-- Final confirmation of a waybill.
CREATE TABLE qr_table (
  bh     INTEGER PRIMARY KEY AUTOINCREMENT,
  ysth   TEXT COLLATE NOCASE,
  queren TEXT COLLATE NOCASE,  -- 已确认
  qr_ren TEXT COLLATE NOCASE,
  qr_sj  DATETIME
);
CREATE INDEX qr_table_ysth ON qr_table (ysth);

-- Capital-amount actions: after an edit of exceldz1 its amount is written in 圆/角/分 capitals into exceldz2.
-- Both are document name, ".", address as the grid reports it.
CREATE TABLE celldxx (
  exceldz1 TEXT COLLATE NOCASE,
  exceldz2 TEXT COLLATE NOCASE
);
CREATE INDEX celldxx_exceldz1 ON celldxx (exceldz1);
