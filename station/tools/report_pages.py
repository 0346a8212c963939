"""The report pages, each built from its parameters, columns and stored statements."""
from station_page import *

CO = '澜川物流'
FIRST = 5      # first data row
LAST = 404     # last row of every report block (400 lines)


class Col:
    def __init__(self, header, width, zdm=None, fmt=None, out_cl=None, hz=False, fx=None, style=None):
        self.header, self.width, self.zdm, self.fmt = header, width, zdm, fmt
        self.out_cl, self.hz, self.fx = out_cl, hz, fx
        self.style = style


def report(name, params, cols, stmts, ax=False, note=None, extra_zdm=()):
    """params: list of (label cell, label, value cell, zdm, pop title, pop items)
    cols: list of Col, one per page column from A
    stmts: list of (table_name, sql, ex, exe, add)"""
    p = Page(name)
    widths = [c.width for c in cols]
    s = Sheet(name, widths)
    n = len(cols)
    last = col_letters(n)
    s.height(1, 40)
    s.put('A1:%s1' % last, name, TITLE, border=False)
    for label_cell, label, cell, zdm, title, items in params:
        s.put(label_cell, label, LABEL_R, border=False)
        s.put(cell, '', CENTER + 'border-bottom:1px solid #000000;color:#1F4E79;font-weight:bold;', fmt='@',
              border=False)
    s.height(3, 20)
    s.put('A3:%s3' % last, note or ('制表单位：澜川物流有限公司　　选择或输入上列条件后自动生成报表'), NOTE, border=False)
    s.height(4, 32)
    for i, c in enumerate(cols, 1):
        s.put('%s4' % col_letters(i), c.header, HEAD + 'white-space:normal;')
    if not ax:
        # A ruled body for the first lines; the engine writes below it as needed.
        for r in range(FIRST, FIRST + 20):
            for i, c in enumerate(cols, 1):
                st = NUM if c.fmt else VALUE
                s.put('%s%d' % (col_letters(i), r), '', st, fmt=c.fmt,
                      border='border:1px solid #BFBFBF;')
    else:
        s.put('A%d' % FIRST, '', border=False)
    keys = []
    for k, (label_cell, label, cell, zdm, title, items) in enumerate(params, 1):
        p.row(zdm, cell, k, out_cl='wbd')
        p.act(cell, 'write_cell')
        p.popup(cell, title, items)
        keys.append(cell)
    for i, c in enumerate(cols, 1):
        L = col_letters(i)
        if c.fx:
            p.row(c.zdm, '%s%d' % (L, FIRST), mline='%s%d' % (L, LAST), out_cl=c.out_cl,
                  hz_sum='hz' if c.hz else None, fx_zh=c.fx[0], fx_tj=c.fx[1])
            continue
        if c.zdm is None:
            continue
        for z in ([c.zdm] if isinstance(c.zdm, str) else c.zdm):
            p.row(z, '%s%d' % (L, FIRST), mline='%s%d' % (L, LAST), out_cl=c.out_cl,
                  hz_sum='=SUM(%s%d:%s' % (L, FIRST, L) if c.hz else None)
    for st in stmts:
        p.stmt(*st)
    p.write(s)
    return p, '*'.join(keys)


def dates(c1='C2', c2='F2'):
    return [('A2:B2', '起始日期：', c1, 'cs_qsrq', '起始日期：', ['date']),
            ('D2:E2', '终止日期：', c2, 'cs_zzrq', '终止日期：', ['date'])]


ALL = '全部'
# Parameter cells are named cs_*: no main-database table has such a column, so a page save
# can never take a parameter for a record key.


def daily():
    name = CO + '货物运输日报表'
    params = [('B2', '车号：', 'C2', 'cs_ch', '车号（含全部）：', [ALL] + CHEHAO),
              ('E2', '发站：', 'F2', 'cs_fz', '发站（含全部）：', [ALL] + STATIONS),
              ('G2', '到站：', 'H2', 'cs_dz', '到站（含全部）：', [ALL] + STATIONS),
              ('I2', '运输方式：', 'J2', 'cs_ysfs', '运输方式（含全部）：', [ALL] + YSFS),
              ('O2', '日期：', 'P2', 'cs_rq', '报表日期：', ['date'])]
    t = 'yswtd1.'
    cols = [Col('到站', 60, t + 'dz', out_cl='base'), Col('运输托号', 90, t + 'ysth'),
            Col('发货单位', 130, t + 'fhdwmc', out_cl='cl'), Col('收货单位', 130, t + 'shdwmc'),
            Col('货物名称', 100, 'yswtd2.hwmc'), Col('件数', 56, t + 'hjjs', '0', hz=True),
            Col('重量(吨)', 66, t + 'hjzl', '0.00', hz=True), Col('体积(立方)', 66, t + 'hjtj', '0.00', hz=True),
            Col('运费(元)', 76, t + 'hjyf', '0.00', hz=True), Col('保价费(元)', 70, t + 'hjbjf', '0.00', hz=True),
            Col('合计金额(元)', 86, t + 'hjje', '0.00', hz=True), Col('车号', 80, t + 'ch'),
            Col('运输方式', 72, t + 'ysfs'), Col('付款方式', 60, t + 'fkfs'), Col('制单人', 60, t + 'zdr'),
            Col('备注', 100, t + 'bz')]
    # Each parameter is used once, in the order of the key cells; 全部 matches everything.
    # Every column is qualified: after a "table.column" alias the engine qualifies the remaining
    # columns of the statement with that table, so unqualified ones would find no map row from
    # the second record on.
    own = 'dz,ysth,fhdwmc,shdwmc,hjjs,hjzl,hjtj,hjyf,hjbjf,hjje,ch,ysfs,fkfs,zdr,bz'.split(',')
    sql = ('select ' + ','.join('yswtd1.%s as "yswtd1.%s"' % (c, c) for c in own) + ','
           '(select hwmc from yswtd2 where yswtd2.ysth=yswtd1.ysth and yswtd2.fh_wz=1) as "yswtd2.hwmc"'
           ' from yswtd1')
    ex = (" where coalesce(ch,'') like replace(';','全部','%') and fz like replace(';','全部','%')"
          " and dz like replace(';','全部','%') and coalesce(ysfs,'') like replace(';','全部','%')"
          " and tyrq=#;#")
    exe = ' order by dz,fhdwmc,ysth'
    return report(name, params, cols, [('yswtd1', sql, ex, exe, None)])


def transport_detail(direction):
    dd = direction == '到达'
    name = CO + direction + '货物运输明细报表'
    station = '到站' if dd else '发站'
    params = dates() + [('G2:H2', station + '：', 'I2', 'cs_dz' if dd else 'cs_fz', station + '（含全部）：', [ALL] + STATIONS)]
    a, b = 'yswtd1.', 'yswtd2.'
    cols = [Col('托运日期', 84, a + 'tyrq', out_cl='base'), Col('运输托号', 90, a + 'ysth', out_cl='cl'),
            Col('发站' if dd else '到站', 56, a + ('fz' if dd else 'dz')),
            Col('发货单位', 120, a + 'fhdwmc'), Col('收货单位', 120, a + 'shdwmc'),
            Col('货物名称', 100, b + 'hwmc'), Col('包装', 56, b + 'bzfs'), Col('件数', 52, b + 'js', '0', hz=True),
            Col('重量(吨)', 64, b + 'zl', '0.00', hz=True), Col('体积(立方)', 64, b + 'tj', '0.00', hz=True),
            Col('计费方式', 64, b + 'jffs'), Col('单价(元)', 60, b + 'dj', '0.00'),
            Col('运费(元)', 72, b + 'yf', '0.00', hz=True), Col('保价费(元)', 66, b + 'bjf', '0.00', hz=True),
            Col('小计(元)', 76, b + 'xj', '0.00', hz=True)]
    other = 'fz' if dd else 'dz'
    sql = ('select yswtd1.tyrq as "yswtd1.tyrq",yswtd1.ysth as "yswtd1.ysth",yswtd1.%s as "yswtd1.%s",'
           'yswtd1.fhdwmc as "yswtd1.fhdwmc",yswtd1.shdwmc as "yswtd1.shdwmc",yswtd2.hwmc as "yswtd2.hwmc",'
           'yswtd2.bzfs as "yswtd2.bzfs",yswtd2.js as "yswtd2.js",yswtd2.zl as "yswtd2.zl",'
           'yswtd2.tj as "yswtd2.tj",yswtd2.jffs as "yswtd2.jffs",yswtd2.dj as "yswtd2.dj",'
           'yswtd2.yf as "yswtd2.yf",yswtd2.bjf as "yswtd2.bjf",yswtd2.xj as "yswtd2.xj"'
           ' from yswtd1,yswtd2' % (other, other))
    ex = (" where yswtd2.ysth=yswtd1.ysth and yswtd1.tyrq>=#;# and yswtd1.tyrq<=#;#"
          " and yswtd1.%s like replace(';','全部','%%')" % ('dz' if dd else 'fz'))
    exe = ' order by yswtd1.tyrq,yswtd1.ysth,yswtd2.fh_wz'
    return report(name, params, cols, [('yswtd1', sql, ex, exe, None)])


def stock_summary(direction):
    sfx = '_dd' if direction == '到达' else '_fs'
    name = direction + '货物进出库汇总表'
    r1, r2, c1, c2 = 'rkd1' + sfx, 'rkd2' + sfx, 'ckd1' + sfx, 'ckd2' + sfx
    cols = [Col('运输托号', 90, r1 + '.ysth'), Col('入库日期', 84, r1 + '.rkrq'),
            Col('发货单位', 120, r1 + '.fhdwmc'), Col('收货单位', 120, r1 + '.shdwmc'),
            Col('入库件数', 60, r2 + '.js', '0', hz=True), Col('入库重量(吨)', 70, r2 + '.zl', '0.00', hz=True),
            Col('入库体积(立方)', 70, r2 + '.tj', '0.00', hz=True),
            Col('出库件数', 60, c2 + '.js', '0', hz=True), Col('出库重量(吨)', 70, c2 + '.zl', '0.00', hz=True),
            Col('出库体积(立方)', 70, c2 + '.tj', '0.00', hz=True),
            Col('库存件数', 60, 'kc_js', '0', out_cl='CL', hz=True, fx=('=E5-H5', '=E6-H6')),
            Col('库存重量(吨)', 70, 'kc_zl', '0.00', out_cl='CL', hz=True, fx=('=F5-I5', '=F6-I6')),
            Col('库存体积(立方)', 70, 'kc_tj', '0.00', out_cl='CL', hz=True, fx=('=G5-J5', '=G6-J6')),
            # The last out-date says nothing when no quantity has gone out yet.
            Col('最后出库日期', 84, c1 + '.ckrq', out_cl='CL_ZH:8,9,10')]
    sql = ('select {r1}.ysth as "{r1}.ysth",{r1}.rkrq as "{r1}.rkrq",{r1}.fhdwmc as "{r1}.fhdwmc",'
           '{r1}.shdwmc as "{r1}.shdwmc",'
           '(select sum(js) from {r2} where {r2}.ysth={r1}.ysth) as "{r2}.js",'
           '(select sum(zl) from {r2} where {r2}.ysth={r1}.ysth) as "{r2}.zl",'
           '(select sum(tj) from {r2} where {r2}.ysth={r1}.ysth) as "{r2}.tj",'
           '(select sum(js) from {c2} where {c2}.ysth={r1}.ysth) as "{c2}.js",'
           '(select sum(zl) from {c2} where {c2}.ysth={r1}.ysth) as "{c2}.zl",'
           '(select sum(tj) from {c2} where {c2}.ysth={r1}.ysth) as "{c2}.tj",'
           '(select max(ckrq) from {c1} where {c1}.ysth={r1}.ysth) as "{c1}.ckrq"'
           ' from {r1}').format(r1=r1, r2=r2, c1=c1, c2=c2)
    ex = ' where %s.rkrq>=#;# and %s.rkrq<=#;#' % (r1, r1)
    exe = ' order by %s.rkrq,%s.ysth' % (r1, r1)
    return report(name, dates(), cols, [(r1, sql, ex, exe, None)], ax=True,
                  note='制表单位：澜川物流有限公司　　按入库日期统计；库存 = 入库 − 出库')


def stock_daily(direction):
    sfx = '_dd' if direction == '到达' else '_fs'
    name = direction + '货物进出库明细日报表'
    r1, r2, c1, c2 = 'rkd1' + sfx, 'rkd2' + sfx, 'ckd1' + sfx, 'ckd2' + sfx
    params = [('A2:B2', '日期：', 'C2', 'cs_rq', '报表日期：', ['date']),
              ('D2:E2', '仓库：', 'F2', 'cs_ck', '仓库（含全部）：', [ALL] + CANGKU)]
    cols = [Col('单号', 96, [r1 + '.bh', c1 + '.bh'], out_cl='base'),
            Col('运输托号', 90, [r1 + '.ysth', c1 + '.ysth']),
            Col('仓库', 60, [r1 + '.ck', c1 + '.ck']),
            Col('货物名称', 110, [r2 + '.hwmc', c2 + '.hwmc']),
            Col('包装', 56, [r2 + '.bzfs', c2 + '.bzfs']),
            Col('货位', 60, [r2 + '.hw', c2 + '.hw']),
            Col('件数', 56, [r2 + '.js', c2 + '.js'], '0'),
            Col('重量(吨)', 66, [r2 + '.zl', c2 + '.zl'], '0.00'),
            Col('体积(立方)', 66, [r2 + '.tj', c2 + '.tj'], '0.00'),
            Col('发货单位', 120, [r1 + '.fhdwmc', c1 + '.fhdwmc']),
            Col('收货单位', 120, [r1 + '.shdwmc', c1 + '.shdwmc']),
            Col('送货人/提货人', 80, [r1 + '.jbr', c1 + '.jbr'])]

    def one(h1, h2, rq):
        sql = ('select {h1}.bh as "{h1}.bh",{h1}.ysth as "{h1}.ysth",{h1}.ck as "{h1}.ck",'
               '{h2}.hwmc as "{h2}.hwmc",{h2}.bzfs as "{h2}.bzfs",{h2}.hw as "{h2}.hw",{h2}.js as "{h2}.js",'
               '{h2}.zl as "{h2}.zl",{h2}.tj as "{h2}.tj",{h1}.fhdwmc as "{h1}.fhdwmc",'
               '{h1}.shdwmc as "{h1}.shdwmc",{h1}.jbr as "{h1}.jbr" from {h1},{h2}').format(h1=h1, h2=h2)
        ex = (" where {h2}.ysth={h1}.ysth and {h1}.{rq}=#;#"
              " and coalesce({h1}.ck,'') like replace(';','全部','%')").format(h1=h1, h2=h2, rq=rq)
        exe = ' order by {h1}.bh,{h1}.ysth,{h2}.fh_wz'.format(h1=h1, h2=h2)
        return sql, ex, exe

    # The out-slips are stacked below the in-slips.
    stmts = [(r1,) + one(r1, r2, 'rkrq') + ('add',), (c1,) + one(c1, c2, 'ckrq') + (None,)]
    return report(name, params, cols, stmts,
                  note='制表单位：澜川物流有限公司　　先列当日入库单，后列当日出库单')


def freight_cost(name, tables, clxz, with_kind_base):
    """Road-freight cost of vehicles: tables is a list of voucher tables, clxz a vehicle kind or None."""
    t = tables[0]
    cols = []
    if with_kind_base:
        cols.append(Col('车辆性质', 72, t + '.clxz', out_cl='base'))
    cols += [Col('日期', 84, t + '.rq', out_cl=None if with_kind_base else 'base'),
             Col('凭证编号', 90, t + '.pzbh'), Col('运输托号', 90, t + '.ysth'),
             Col('车号', 80, t + '.ch', out_cl='cl'), Col('司机', 60, t + '.sj'),
             Col('发站', 52, t + '.fz'), Col('到站', 52, t + '.dz'), Col('货物名称', 100, t + '.hwmc'),
             Col('件数', 52, t + '.js', '0', hz=True), Col('重量(吨)', 64, t + '.zl', '0.00', hz=True),
             Col('里程(公里)', 64, t + '.lc', '0', hz=True), Col('汽运费(元)', 76, t + '.qyf', '0.00', hz=True)]
    cur = col_letters(len(cols))
    run = col_letters(len(cols) + 1)
    # Running total of the freight cost, one formula per line.
    cols.append(Col('累计汽运费(元)', 90, 'ljqyf', '0.00',
                    fx=('=%s%d' % (cur, FIRST), '=%s%d+%s%d' % (run, FIRST, cur, FIRST + 1))))
    cols.append(Col('备注', 100, t + '.bz'))
    inner = 'clxz,rq,pzbh,ysth,ch,sj,fz,dz,hwmc,js,zl,lc,qyf,bz'
    fields = inner if with_kind_base else inner[len('clxz,'):]
    kind = " and clxz='%s'" % clxz if clxz else ''
    if len(tables) == 1:
        sql = 'select %s from %s' % (fields, t)
        ex = ' where rq>=#;# and rq<=#;#' + kind
    else:
        # One derived table, so that each date parameter appears once.
        sql = 'select %s from (%s) as v' % (fields, ' union all '.join(
            'select %s from %s' % (inner, x) for x in tables))
        ex = ' where v.rq>=#;# and v.rq<=#;#' + kind
    exe = ' order by clxz,rq,ch,pzbh' if with_kind_base else ' order by rq,ch,pzbh'
    note = '制表单位：澜川物流有限公司　　%s' % (
        '接货单与送货单合计' if len(tables) > 1 else ('按送货单统计' if 'shd' in t else '按接货单统计'))
    return report(name, dates(), cols, [(t, sql, ex, exe, None)], note=note)


def income(name, kind, hplx):
    """Booked (记帐) or cash (现金) income from freight tickets; hplx 发送/到达 or None for both."""
    amount = 'jzje' if kind == '记帐' else 'xjje'
    t = 'yshp1.'
    cols = []
    if hplx is None:
        cols.append(Col('货票类别', 64, t + 'hplx', out_cl='base'))
    cols += [Col('开票日期', 84, t + 'kprq', out_cl='cl' if hplx is None else 'base'),
             Col('货票编号', 90, t + 'hpbh'), Col('运输托号', 90, t + 'ysth'),
             Col('发站', 52, t + 'fz'), Col('到站', 52, t + 'dz'),
             Col('发货单位', 120, t + 'fhdwmc'), Col('收货单位', 120, t + 'shdwmc'),
             Col('合计金额(元)', 84, t + 'hjje', '0.00', hz=True),
             Col(('记帐' if kind == '记帐' else '收现') + '金额(元)', 84, t + amount, '0.00', hz=True),
             Col('代收(元)', 72, t + 'dsje', '0.00', hz=True),
             Col('经办人', 64, t + 'jbr'), Col('开票人', 64, t + 'zdr')]
    sql = 'select %skprq,hpbh,ysth,fz,dz,fhdwmc,shdwmc,hjje,%s,dsje,jbr,zdr from yshp1' % (
        'hplx,' if hplx is None else '', amount)
    ex = ' where kprq>=#;# and kprq<=#;# and %s<>0' % amount
    if hplx:
        ex += " and hplx='%s'" % hplx
    exe = ' order by %skprq,hpbh' % ('hplx,' if hplx is None else '')
    return report(name, dates(), cols, [('yshp1', sql, ex, exe, None)])


def all_reports():
    out = [daily()]
    for d in ('到达', '发送'):
        out.append(transport_detail(d))
        out.append(stock_summary(d))
        out.append(stock_daily(d))
    out.append(freight_cost('租车汽运费统计表（到达）', ['qcyspz1_shd'], '外雇车辆', False))
    out.append(freight_cost('自备车汽运费统计表（到达）', ['qcyspz1_shd'], '自有车辆', False))
    out.append(freight_cost('租车汽运费统计表（发送）', ['qcyspz1_jhd'], '外雇车辆', False))
    out.append(freight_cost('自备车汽运费统计表（发送）', ['qcyspz1_jhd'], '自有车辆', False))
    out.append(freight_cost('总汽运费统计表', ['qcyspz1_jhd', 'qcyspz1_shd'], None, True))
    out.append(freight_cost('租车总汽运费统计表', ['qcyspz1_jhd', 'qcyspz1_shd'], '外雇车辆', False))
    out.append(freight_cost('自备车总汽运费统计表', ['qcyspz1_jhd', 'qcyspz1_shd'], '自有车辆', False))
    for k in ('记帐', '现金'):
        out.append(income('%s收入明细报表（到达）' % k, k, '到达'))
        out.append(income('%s收入明细报表（发送）' % k, k, '发送'))
    out.append(income('记帐总收入明细报表', '记帐', None))
    out.append(income('现金总收入明细报表', '现金', None))
    return out
