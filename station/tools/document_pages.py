"""The document pages: waybill, freight ticket, transport vouchers, warehouse slips, customer register."""
from station_page import *

CO = '澜川物流有限公司'


def line_sum(col, rows):
    return '=SUM(%s)' % ','.join('%s%d' % (col, r) for r in rows)


def waybill():
    p = Page('货物运单')
    p.preprinted = True
    s = Sheet('货物运单', [42, 110, 62, 62, 70, 70, 72, 70, 80, 80, 70, 80, 120])
    s.height(1, 44)
    s.put('A1:M1', CO + '货物运单', TITLE, border=False)
    s.put('A2:J2', '客服电话：028-8467 5200　　地址：成都市成华区二环路东二段88号　　（托运人存根）', NOTE, border=False)
    s.put('K2:L2', '运单号：', LABEL_R, border=False)
    s.put('M2', '', KEY, fmt='@', border='')
    s.height(3, 6)
    s.put('A3:M3', '', border=False)
    s.put('A4:B4', '托运日期', LABEL); s.put('C4:D4', '', CENTER, fmt='@')
    s.put('E4', '车号', LABEL); s.put('F4:H4', '', VALUE, fmt='@')
    s.put('I4:J4', '车辆性质', LABEL); s.put('K4:M4', '', VALUE)
    s.put('A5:B5', '发站', LABEL); s.put('C5:D5', '', CENTER)
    s.put('E5', '到站', LABEL); s.put('F5:H5', '', VALUE)
    s.put('I5:J5', '运输方式', LABEL); s.put('K5:M5', '', VALUE)
    s.put('A6:B7', '发货单位', LABEL + 'font-weight:bold;')
    s.put('C6', '名称', LABEL); s.put('D6:H6', '', VALUE)
    s.put('I6:J6', '电话', LABEL); s.put('K6:M6', '', VALUE, fmt='@')
    s.put('C7', '地址', LABEL); s.put('D7:H7', '', VALUE)
    s.put('I7:J7', '手机', LABEL); s.put('K7:M7', '', VALUE, fmt='@')
    s.put('A8:B9', '收货单位', LABEL + 'font-weight:bold;')
    s.put('C8', '名称', LABEL); s.put('D8:H8', '', VALUE)
    s.put('I8:J8', '电话', LABEL); s.put('K8:M8', '', VALUE, fmt='@')
    s.put('C9', '地址', LABEL); s.put('D9:H9', '', VALUE)
    s.put('I9:J9', '手机', LABEL); s.put('K9:M9', '', VALUE, fmt='@')
    heads = ['序号', '货物名称', '包装', '件数', '重量(吨)', '体积(立方)', '计费方式', '单价(元)', '运费(元)',
             '保价金额(元)', '保价费(元)', '小计(元)', '备注']
    for i, h in enumerate(heads, 1):
        s.put('%s10' % col_letters(i), h, HEAD)
    lines = list(range(11, 16))
    fh = '*'.join(str(r) for r in lines)
    for n, r in enumerate(lines, 1):
        s.put('A%d' % r, str(n), CENTER)
        s.put('B%d' % r, '', VALUE); s.put('C%d' % r, '', CENTER)
        s.put('D%d' % r, '', NUM, fmt='0'); s.put('E%d' % r, '', NUM, fmt='0.00')
        s.put('F%d' % r, '', NUM, fmt='0.00'); s.put('G%d' % r, '', CENTER)
        s.put('H%d' % r, '', NUM, fmt='0.00')
        s.put('I%d' % r, '', NUM, fmt='0.00', formula=yf_formula(r))
        s.put('J%d' % r, '', NUM, fmt='0.00')
        s.put('K%d' % r, '', NUM, fmt='0.00', formula=bjf_formula(r))
        s.put('L%d' % r, '', NUM, fmt='0.00', formula=xj_formula(r))
        s.put('M%d' % r, '', VALUE)
    s.put('A16:C16', '合计', LABEL + 'font-weight:bold;')
    for c, fmt in (('D', '0'), ('E', '0.00'), ('F', '0.00'), ('I', '0.00'), ('K', '0.00'), ('L', '0.00')):
        s.put('%s16' % c, '', TOTAL, fmt=fmt, formula='=SUM(%s11:%s15)' % (c, c))
    s.put('G16:H16', ''); s.put('J16', ''); s.put('M16', '')
    s.put('A17:C17', '合计金额（大写）', LABEL); s.put('D17:M17', '', VALUE + 'font-weight:bold;')
    s.put('A18:C18', '声明价值（元）', LABEL); s.put('D18:F18', '', NUM, fmt='0.00')
    s.put('G18:H18', '声明价值大写', LABEL); s.put('I18:M18', '', VALUE)
    s.put('A19:C19', '付款方式', LABEL); s.put('D19:F19', '', VALUE)
    s.put('G19:H19', '交货方式', LABEL); s.put('I19:J19', '', VALUE)
    s.put('K19', '司机', LABEL); s.put('L19:M19', '', VALUE)
    s.put('A20:C20', '备注', LABEL); s.put('D20:M20', '', VALUE)
    s.height(21, 40)
    s.put('A21:C21', '托运人签章', LABEL); s.put('D21:F21', '')
    s.put('G21:H21', '承运人签章', LABEL); s.put('I21:J21', '')
    s.put('K21', '制单人', LABEL); s.put('L21:M21', '', CENTER)
    s.height(22, 36)
    s.put('A22:M22', '注：1. 托运人应如实申报货物名称、件数、重量、体积和价值；2. 未保价货物按澜川物流货物运输规则赔偿，'
          '保价货物按声明价值赔偿；3. 本运单一式四联：托运人存根、承运人存根、随货同行、到站存查。',
          NOTE + 'white-space:normal;', border=False)

    # Input order: key cell first, the header, the parties, then the goods block column by column.
    bh = iter(range(1, 200))
    p.row('yswtd1.ysth', 'M2', next(bh), out_cl='wbd')
    p.row('yswtd1.dz', 'F5:H5', next(bh))
    p.row('yswtd1.ysfs', 'K5:M5', next(bh))
    p.row('yswtd1.ch', 'F4:H4', next(bh))
    p.row('yswtd1.clxz', 'K4:M4', next(bh))
    for zdm, a in (('fhdwmc', 'D6:H6'), ('fhdwdh', 'K6:M6'), ('fhdwdz', 'D7:H7'), ('fhdwsj', 'K7:M7'),
                   ('shdwmc', 'D8:H8'), ('shdwdh', 'K8:M8'), ('shdwdz', 'D9:H9'), ('shdwsj', 'K9:M9')):
        p.row('yswtd1.' + zdm, a, next(bh))
    for col, zdm in (('B', 'hwmc'), ('C', 'bzfs'), ('D', 'js'), ('E', 'zl'), ('F', 'tj'), ('G', 'jffs'),
                     ('H', 'dj'), ('J', 'bjje'), ('M', 'hwbz')):
        p.row('yswtd2.' + zdm, col + '11', next(bh), mline=col + '15', fh_width=fh)
    p.row('yswtd1.bjjz', 'D18:F18', next(bh))
    p.row('yswtd1.fkfs', 'D19:F19', next(bh))
    p.row('yswtd1.jhfs', 'I19:J19', next(bh))
    p.row('yswtd1.sj', 'L19:M19', next(bh))
    p.row('yswtd1.bz', 'D20:M20', next(bh))
    # Date and departure station fill themselves (typing the number, any other edit); they close
    # the cycle so that a correction still leads back to the number cell.
    p.row('yswtd1.tyrq', 'C4:D4', next(bh))
    p.row('yswtd1.fz', 'C5:D5', next(bh))
    # The maker cell closes the input cycle; it is written by the saves, never visited.
    p.row('yswtd1.zdr', 'L21:M21', 999)
    # Computed block columns: stored line by line through their block rows, which come
    # before the formula rows below so that a computed cell finds its line.
    for col, zdm in (('I', 'yf'), ('K', 'bjf'), ('L', 'xj')):
        p.row('yswtd2.' + zdm, col + '11', 1000, mline=col + '15', fh_width=fh)
    p.row('yswtd1.hjdx', 'D17:M17', 1001)
    p.row('yswtd1.bjjzdx', 'I18:M18', 1002)
    k = 1100
    for r in lines:
        # Formula carriers: no column of their own (the block rows above store the value).
        p.row('yf_gs', 'I%d' % r, k, jsbds=yf_formula(r), ifout='否'); k += 1
        p.row('bjf_gs', 'K%d' % r, k, jsbds=bjf_formula(r), ifout='否'); k += 1
        p.row('xj_gs', 'L%d' % r, k, jsbds=xj_formula(r), ifout='否'); k += 1
    # Totals name every line cell: a formula is refreshed when it mentions the changed cell by name.
    p.row('yswtd1.hjjs', 'D16', 1200, jsbds=line_sum('D', lines))
    p.row('yswtd1.hjzl', 'E16', 1201, jsbds=line_sum('E', lines))
    p.row('yswtd1.hjtj', 'F16', 1202, jsbds=line_sum('F', lines))
    p.row('yswtd1.hjyf', 'I16', 1203, jsbds=line_sum('I', lines))
    p.row('yswtd1.hjbjf', 'K16', 1204, jsbds=line_sum('K', lines))
    p.row('yswtd1.hjje', 'L16', 1205, jsbds=line_sum('L', lines), zhxdz='D17:M17', dw='元#角#分;2')

    p.act('M2', 'write_mdb')
    p.capital('D18:F18', 'I18:M18')

    p.stmt('yswtd1',
           'select ysth,tyrq,fz,dz,ysfs,ch,clxz,sj,fhdwmc,fhdwdz,fhdwdh,fhdwsj,shdwmc,shdwdz,shdwdh,shdwsj,'
           'fkfs,jhfs,hjjs,hjzl,hjtj,hjyf,hjbjf,hjje,hjdx,bjjz,bjjzdx,bz,zdr from yswtd1',
           " where ysth=';'")
    p.stmt('yswtd2', 'select fh_wz,hwmc,bzfs,js,zl,tj,jffs,dj,yf,bjje,bjf,xj,hwbz from yswtd2',
           " where ysth=';'", ' order by fh_wz')

    p.popup('C4:D4', '托运日期：', ['date'])
    p.popup('F4:H4', '车号：', CHEHAO)
    p.popup('K4:M4', '车辆性质：', CLXZ)
    p.popup('F5:H5', '到站：', STATIONS)
    p.popup('K5:M5', '运输方式：', YSFS)
    for r in lines:
        p.popup('C%d' % r, '包装：', BAOZHUANG)
        p.popup('G%d' % r, '计费方式：', JFFS)
    p.popup('D19:F19', '付款方式：', FKFS)
    p.popup('I19:J19', '交货方式：', JHFS)
    p.write(s)
    return p


def yf_formula(r):
    return '=ROUND(IF(G{0}="按体积",F{0},IF(G{0}="按件数",D{0},E{0}))*H{0},2)'.format(r)


def bjf_formula(r):
    return '=ROUND(J{0}*0.003,2)'.format(r)


def xj_formula(r):
    return '=I{0}+K{0}'.format(r)


def ticket():
    p = Page('运输货票')
    p.preprinted = True
    w = [40, 100, 62, 50, 62, 76, 62, 62, 44, 44, 44, 44, 62, 22, 22, 62, 22, 22, 62, 116, 40]
    s = Sheet('运输货票', w)
    s.height(1, 44)
    s.put('A1:U1', CO + '运输货票', TITLE, border=False)
    s.put('A2:L2', '（发票联）　本货票加盖澜川物流财务专用章后有效　　查询电话：028-8467 5200', NOTE, border=False)
    s.put('R2:S2', '货票编号：', LABEL_R, border=False)
    s.put('T2', '', KEY, fmt='@', border='')
    s.height(3, 6)
    s.put('A3:U3', '', border=False)
    s.put('A4:B4', '货票类别', LABEL); s.put('C4:D4', '', CENTER)
    s.put('E4:F4', '运输托号', LABEL); s.put('G4:H4', '', CENTER + 'font-weight:bold;', fmt='@')
    s.put('I4', '日期', LABEL); s.put('J4:L4', '', CENTER, fmt='@')
    s.put('M4:O4', '运输方式', LABEL); s.put('P4:R4', '', VALUE)
    s.put('S4', '车号', LABEL); s.put('T4:U4', '', VALUE, fmt='@')
    s.put('A5:B5', '发站', LABEL); s.put('C5:D5', '', CENTER)
    s.put('E5:F5', '到站', LABEL); s.put('G5:H5', '', CENTER)
    s.put('I5:K5', '车辆性质', LABEL); s.put('L5:O5', '', VALUE)
    s.put('P5:R5', '经办人', LABEL); s.put('S5:U5', '', VALUE)
    s.put('A6:B6', '发货单位', LABEL); s.put('C6:L6', '', VALUE)
    s.put('M6:O6', '收货单位', LABEL); s.put('P6:U6', '', VALUE)
    s.put('A7:B7', '件数', LABEL); s.put('C7:D7', '', NUM, fmt='0')
    s.put('E7:F7', '重量(吨)', LABEL); s.put('G7:H7', '', NUM, fmt='0.00')
    s.put('I7:K7', '体积(立方)', LABEL); s.put('L7:M7', '', NUM, fmt='0.00')
    s.put('N7:U7', '')
    s.put('A8:B8', '轻货单价', LABEL); s.put('C8:D8', '', NUM, fmt='0.00')
    s.put('E8:F8', '重货单价', LABEL); s.put('G8:H8', '', NUM, fmt='0.00')
    s.put('I8:K8', '按件单价', LABEL); s.put('L8:M8', '', NUM, fmt='0.00')
    s.put('N8:U8', '单价：轻货元/立方，重货元/吨，按件元/件', NOTE)
    s.height(9, 6)
    s.put('A9:U9', '', border=False)
    for a, h in (('A10', '序号'), ('B10', '费用项目'), ('C10', '计费数量'), ('D10', '单位'), ('E10', '单价(元)'),
                 ('F10', '金额(元)'), ('G10:L10', '备注'), ('M10:U10', '结算说明')):
        s.put(a, h, HEAD)
    lines = list(range(11, 17))
    fh = '*'.join(str(r) for r in lines)
    edge = 'border-top:1px solid #000000;border-bottom:1px solid #000000;'
    for n, r in enumerate(lines, 1):
        s.put('A%d' % r, str(n), CENTER)
        s.put('B%d' % r, '', VALUE); s.put('C%d' % r, '', NUM, fmt='0.00')
        s.put('D%d' % r, '', CENTER); s.put('E%d' % r, '', NUM, fmt='0.00')
        s.put('F%d' % r, '', NUM, fmt='0.00', formula=je_formula(r))
        # The remark is one cell drawn as a wide box over G to L.
        s.put('G%d' % r, '', VALUE, border=edge + 'border-left:1px solid #000000;')
        for c in 'HIJK':
            s.put('%s%d' % (c, r), '', border=edge)
        s.put('L%d' % r, '', border=edge + 'border-right:1px solid #000000;')
    s.put('M11:U16', '1. 记帐：月结客户挂帐，次月5日前结清；\n2. 收现：开票时收取现金或转帐；\n'
          '3. 代收：到站向收货人收取；\n记帐、收现和代收之和应等于合计金额。', NOTE + 'white-space:normal;vertical-align:top;')
    s.height(17, 6)
    s.put('A17:U17', '', border=False)
    s.put('A18:C18', '合计金额', LABEL + 'font-weight:bold;')
    s.put('D18:L18', '', TOTAL, fmt='0.00', formula='=SUM(F11:F16)')
    s.put('M18:O18', '记帐(元)', LABEL); s.put('P18:R18', '收现(元)', LABEL); s.put('S18:U18', '代收(元)', LABEL)
    s.put('A19:C19', '金额大写', LABEL); s.put('D19:L19', '', VALUE + 'font-weight:bold;')
    # Booked, cash and collected amounts are single cells drawn as three-column boxes.
    for a, rest in (('M', 'NO'), ('P', 'QR'), ('S', 'TU')):
        s.put(a + '19', '', NUM, fmt='0.00', border=edge + 'border-left:1px solid #000000;')
        s.put(rest[0] + '19', '', border=edge)
        s.put(rest[1] + '19', '', border=edge + 'border-right:1px solid #000000;')
    s.put('A20:C20', '开票人', LABEL); s.put('D20:F20', '', CENTER)
    s.put('G20:H20', '复核', LABEL); s.put('I20:L20', '')
    s.put('M20:O20', '收款单位', LABEL); s.put('P20:U20', CO + '（盖章）', CENTER)
    s.put('A21:C21', '备注', LABEL); s.put('D21:U21', '', VALUE)

    bh = iter(range(1, 200))
    p.row('yshp1.ysth', 'G4:H4', next(bh), out_cl='wbd')
    p.row('yshp1.hpbh', 'T2', next(bh), out_cl='wbd')
    p.row('yshp1.hplx', 'C4:D4', next(bh))
    p.row('yshp1.kprq', 'J4:L4', next(bh))
    p.row('yshp1.ysfs', 'P4:R4', next(bh))
    p.row('yshp1.ch', 'T4:U4', next(bh))
    p.row('yshp1.fz', 'C5:D5', next(bh))
    p.row('yshp1.dz', 'G5:H5', next(bh))
    p.row('yshp1.clxz', 'L5:O5', next(bh))
    p.row('yshp1.jbr', 'S5:U5', next(bh))
    p.row('yshp1.fhdwmc', 'C6:L6', next(bh))
    p.row('yshp1.shdwmc', 'P6:U6', next(bh))
    p.row('yshp1.js', 'C7:D7', next(bh))
    p.row('yshp1.zl', 'G7:H7', next(bh))
    p.row('yshp1.tj', 'L7:M7', next(bh))
    p.row('yshp1.qhdj', 'C8:D8', next(bh))
    p.row('yshp1.zhdj', 'G8:H8', next(bh))
    p.row('yshp1.ajdj', 'L8:M8', next(bh))
    for col, zdm in (('B', 'fymc'), ('C', 'jfsl'), ('D', 'jldw'), ('E', 'dj'), ('G', 'bz')):
        p.row('yshp2.' + zdm, col + '11', next(bh), mline=col + '16', fh_width=fh)
    p.row('yshp1.jzje', 'M19', next(bh))
    p.row('yshp1.xjje', 'P19', next(bh))
    p.row('yshp1.dsje', 'S19', next(bh))
    p.row('yshp1.bz', 'D21:U21', next(bh))
    p.row('yshp1.zdr', 'D20:F20', 999)
    p.row('yshp2.je', 'F11', 1000, mline='F16', fh_width=fh)
    p.row('yshp1.hjdx', 'D19:L19', 1001)
    k = 1100
    for r in lines:
        p.row('je_gs', 'F%d' % r, k, jsbds=je_formula(r), ifout='否'); k += 1
    p.row('yshp1.hjje', 'D18:L18', 1200, jsbds=line_sum('F', lines), zhxdz='D19:L19', dw='元#角#分;2')

    p.act('G4:H4', 'write_cell')
    p.act('T2', 'write_mdb')

    # The waybill supplies stations, parties and quantities; a stored ticket then overrides them.
    p.stmt('yswtd1',
           'select ysth as "yshp1.ysth",fz as "yshp1.fz",dz as "yshp1.dz",ysfs as "yshp1.ysfs",'
           'ch as "yshp1.ch",clxz as "yshp1.clxz",fhdwmc as "yshp1.fhdwmc",shdwmc as "yshp1.shdwmc",'
           'hjjs as "yshp1.js",hjzl as "yshp1.zl",hjtj as "yshp1.tj" from yswtd1',
           " where ysth=';'")
    p.stmt('yshp1',
           'select ysth,hpbh,kprq,hplx,fz,dz,ysfs,ch,clxz,jbr,fhdwmc,shdwmc,js,zl,tj,qhdj,zhdj,ajdj,'
           'hjje,hjdx,jzje,xjje,dsje,bz,zdr from yshp1',
           " where ysth=';' and hpbh=';'")
    p.stmt('yshp2', 'select fh_wz,fymc,jfsl,jldw,dj,je,bz from yshp2',
           " where ysth=';' and hpbh=';'", ' order by fh_wz')

    p.popup('C4:D4', '货票类别：', ['发送', '到达'])
    p.popup('J4:L4', '开票日期：', ['date'])
    p.popup('P4:R4', '运输方式：', YSFS)
    p.popup('T4:U4', '车号：', CHEHAO)
    p.popup('L5:O5', '车辆性质：', CLXZ)
    for r in lines:
        p.popup('B%d' % r, '费用项目：', FYMC)
        p.popup('D%d' % r, '单位：', ['吨', '立方', '件', '票', '天'])
    return p, s


def je_formula(r):
    return '=ROUND(C{0}*E{0},2)'.format(r)


def write_ticket():
    p, s = ticket()
    p.write(s)
    return p


def voucher(name, table, kind):
    # kind: 接货 (pick-up at the shipper) or 送货 (delivery to the consignee)
    p = Page(name)
    p.preprinted = True
    s = Sheet(name, [86, 92, 80, 92, 80, 92, 80, 92, 80, 110])
    s.height(1, 44)
    s.put('A1:J1', CO + name, TITLE, border=False)
    s.put('A2:F2', '本凭证为汽运费结算依据，驾驶员与%s人签字后有效。' % ('发货' if kind == '接货' else '收货'), NOTE, border=False)
    s.put('G2:H2', '运输托号：', LABEL_R, border=False)
    s.put('I2:J2', '', KEY, fmt='@', border='')
    s.height(3, 6)
    s.put('A3:J3', '', border=False)
    s.put('A4', '凭证编号', LABEL); s.put('B4:C4', '', CENTER, fmt='@')
    s.put('D4', '日期', LABEL); s.put('E4:F4', '', CENTER, fmt='@')
    s.put('G4', '车辆性质', LABEL); s.put('H4', '', CENTER)
    s.put('I4', '车号', LABEL); s.put('J4', '', CENTER, fmt='@')
    s.put('A5', '发站', LABEL); s.put('B5:C5', '', CENTER)
    s.put('D5', '到站', LABEL); s.put('E5:F5', '', CENTER)
    s.put('G5', '司机', LABEL); s.put('H5', '', CENTER)
    s.put('I5', '司机电话', LABEL); s.put('J5', '', CENTER, fmt='@')
    s.put('A6', kind[0] + '货地址', LABEL); s.put('B6:F6', '', VALUE)
    s.put('G6', '联系人', LABEL); s.put('H6', '', CENTER)
    s.put('I6', '联系电话', LABEL); s.put('J6', '', CENTER, fmt='@')
    s.put('A7', '发货单位', LABEL); s.put('B7:F7', '', VALUE)
    s.put('G7', '收货单位', LABEL); s.put('H7:J7', '', VALUE)
    s.put('A8', '货物名称', LABEL); s.put('B8:C8', '', VALUE)
    s.put('D8', '件数', LABEL); s.put('E8', '', NUM, fmt='0')
    s.put('F8', '重量(吨)', LABEL); s.put('G8', '', NUM, fmt='0.00')
    s.put('H8', '体积(立方)', LABEL); s.put('I8:J8', '', NUM, fmt='0.00')
    s.put('A9', '里程(公里)', LABEL); s.put('B9', '', NUM, fmt='0')
    s.put('C9', '汽运费(元)', LABEL); s.put('D9', '', NUM + 'font-weight:bold;', fmt='0.00')
    s.put('E9', '大写', LABEL); s.put('F9:J9', '', VALUE)
    s.put('A10', '备注', LABEL); s.put('B10:J10', '', VALUE)
    s.height(11, 40)
    s.put('A11', '驾驶员签字', LABEL); s.put('B11:C11', '')
    s.put('D11', ('发' if kind == '接货' else '收') + '货人签字', LABEL); s.put('E11:F11', '')
    s.put('G11', '制单人', LABEL); s.put('H11:J11', '', CENTER)

    t = table
    bh = iter(range(1, 100))
    p.row(t + '.ysth', 'I2:J2', next(bh), out_cl='wbd')
    for zdm, a in (('pzbh', 'B4:C4'), ('rq', 'E4:F4'), ('clxz', 'H4'), ('ch', 'J4'), ('fz', 'B5:C5'),
                   ('dz', 'E5:F5'), ('sj', 'H5'), ('sjdh', 'J5'), ('hwdz', 'B6:F6'), ('lxr', 'H6'),
                   ('lxdh', 'J6'), ('fhdwmc', 'B7:F7'), ('shdwmc', 'H7:J7'), ('hwmc', 'B8:C8'), ('js', 'E8'),
                   ('zl', 'G8'), ('tj', 'I8:J8'), ('lc', 'B9'), ('qyf', 'D9'), ('bz', 'B10:J10')):
        p.row(t + '.' + zdm, a, next(bh))
    p.row(t + '.zdr', 'H11:J11', 999)
    p.row(t + '.qyfdx', 'F9:J9', 1000)
    p.act('I2:J2', 'write_mdb')
    p.capital('D9', 'F9:J9')
    party = 'fh' if kind == '接货' else 'sh'
    cols = ['ysth', 'fz', 'dz', 'fhdwmc', 'shdwmc']
    sel = ','.join('%s as "%s.%s"' % (c, t, c) for c in cols)
    sel += ',%sdwdz as "%s.hwdz",%sdwmc as "%s.lxr",%sdwdh as "%s.lxdh"' % (party, t, party, t, party, t)
    sel += ',hjjs as "%s.js",hjzl as "%s.zl",hjtj as "%s.tj"' % (t, t, t)
    p.stmt('yswtd1', 'select ' + sel + ' from yswtd1', " where ysth=';'")
    p.stmt('yswtd2', 'select hwmc as "%s.hwmc" from yswtd2' % t, " where ysth=';' and fh_wz=1")
    p.stmt(t, 'select ysth,pzbh,rq,fz,dz,ch,clxz,sj,sjdh,hwdz,lxr,lxdh,fhdwmc,shdwmc,hwmc,js,zl,tj,lc,qyf,'
              'qyfdx,bz,zdr from ' + t, " where ysth=';'")
    p.popup('E4:F4', '日期：', ['date'])
    p.popup('H4', '车辆性质：', CLXZ)
    p.popup('J4', '车号：', CHEHAO)
    p.write(s)
    return p


def slip(name, direction, kind):
    # kind: 入 or 出; direction: dd or fs
    p = Page(name)
    p.preprinted = True
    m = ('rkd1_' if kind == '入' else 'ckd1_') + direction
    d = ('rkd2_' if kind == '入' else 'ckd2_') + direction
    rq = 'rkrq' if kind == '入' else 'ckrq'
    kpd = 'kpd' if kind == '入' else 'ckd1_kpd'
    s = Sheet(name, [40, 130, 70, 80, 80, 72, 80, 80, 130])
    s.height(1, 44)
    s.put('A1:I1', CO + name, TITLE, border=False)
    s.put('A2:B2', kind + '库单号', LABEL); s.put('C2:D2', '', CENTER + 'font-weight:bold;', fmt='@')
    s.put('E2', '仓库', LABEL); s.put('F2:G2', '', CENTER)
    s.put('H2', '开票点', LABEL); s.put('I2', '', CENTER)
    s.put('A3:B3', kind + '库日期', LABEL); s.put('C3:D3', '', CENTER, fmt='@')
    s.put('E3:F3', '', border=False)
    s.put('G3:H3', '运输托号：', LABEL_R, border=False)
    s.put('I3', '', KEY, fmt='@', border='')
    s.put('A4:B4', '发站', LABEL); s.put('C4:D4', '', CENTER)
    s.put('E4', '到站', LABEL); s.put('F4:G4', '', CENTER)
    s.put('H4', '车号', LABEL); s.put('I4', '', CENTER, fmt='@')
    s.put('A5:B5', '发货单位', LABEL); s.put('C5:E5', '', VALUE)
    s.put('F5:G5', '收货单位', LABEL); s.put('H5:I5', '', VALUE)
    who = '送货人' if kind == '入' else '提货人'
    s.put('A6:B6', who, LABEL); s.put('C6:D6', '', CENTER)
    s.put('E6:F6', who + '电话', LABEL); s.put('G6:I6', '', VALUE, fmt='@')
    for i, h in enumerate(['序号', '货物名称', '包装', '货位', '规格', '件数', '重量(吨)', '体积(立方)', '备注'], 1):
        s.put('%s7' % col_letters(i), h, HEAD)
    lines = [8, 9, 10]
    fh = '8*9*10'
    for n, r in enumerate(lines, 1):
        s.put('A%d' % r, str(n), CENTER)
        s.put('B%d' % r, '', VALUE); s.put('C%d' % r, '', CENTER); s.put('D%d' % r, '', CENTER)
        s.put('E%d' % r, '', CENTER)
        s.put('F%d' % r, '', NUM, fmt='0'); s.put('G%d' % r, '', NUM, fmt='0.00')
        s.put('H%d' % r, '', NUM, fmt='0.00'); s.put('I%d' % r, '', VALUE)
    s.put('A11:E11', '合计', LABEL + 'font-weight:bold;')
    s.put('F11', '', TOTAL, fmt='0', formula='=SUM(F8:F10)')
    s.put('G11', '', TOTAL, fmt='0.00', formula='=SUM(G8:G10)')
    s.put('H11', '', TOTAL, fmt='0.00', formula='=SUM(H8:H10)')
    s.put('I11', '')
    s.put('A12:B12', '备注', LABEL); s.put('C12:I12', '', VALUE)
    s.height(13, 36)
    s.put('A13:B13', '仓管员', LABEL); s.put('C13:D13', '', CENTER)
    s.put('E13:F13', '制单人', LABEL); s.put('G13:I13', '', CENTER)
    s.put('A14:I14', '说明：%s库数量以件数、重量、体积三项核对，%s' % (
        kind, '入库数量不得大于运单数量。' if kind == '入' else '出库数量不得大于入库数量。'), NOTE, border=False)

    bh = iter(range(1, 100))
    p.row(m + '.ysth', 'I3', next(bh), out_cl='wbd')
    for zdm, a in (('bh', 'C2:D2'), ('ck', 'F2:G2'), (kpd, 'I2'), (rq, 'C3:D3'), ('fz', 'C4:D4'),
                   ('dz', 'F4:G4'), ('ch', 'I4'), ('fhdwmc', 'C5:E5'), ('shdwmc', 'H5:I5'), ('jbr', 'C6:D6'),
                   ('jbrdh', 'G6:I6')):
        p.row(m + '.' + zdm, a, next(bh))
    for col, zdm in (('B', 'hwmc'), ('C', 'bzfs'), ('D', 'hw'), ('E', 'gg'), ('F', 'js'), ('G', 'zl'),
                     ('H', 'tj'), ('I', 'hwbz')):
        p.row(d + '.' + zdm, col + '8', next(bh), mline=col + '10', fh_width=fh)
    p.row(m + '.bz', 'C12:I12', next(bh))
    p.row(m + '.cgy', 'C13:D13', next(bh))
    p.row(m + '.zdr', 'G13:I13', 999)
    p.act('I3', 'write_mdb')

    cols = ['ysth', 'fz', 'dz', 'ch', 'fhdwmc', 'shdwmc']
    p.stmt('yswtd1', 'select ' + ','.join('%s as "%s.%s"' % (c, m, c) for c in cols) + ' from yswtd1',
           " where ysth=';'")
    # Goods names of the waybill's first three lines, so the clerk types quantities only.
    p.stmt('yswtd2', 'select fh_wz,hwmc as "%s.hwmc",bzfs as "%s.bzfs" from yswtd2' % (d, d),
           " where ysth=';' and fh_wz<=3", ' order by fh_wz')
    p.stmt(m, 'select ysth,bh,%s,%s,ck,fz,dz,ch,fhdwmc,shdwmc,jbr,jbrdh,cgy,bz,zdr from %s' % (rq, kpd, m),
           " where ysth=';'")
    p.stmt(d, 'select fh_wz,hwmc,bzfs,hw,gg,js,zl,tj,hwbz from ' + d, " where ysth=';'", ' order by fh_wz')
    p.popup('C3:D3', kind + '库日期：', ['date'])
    p.popup('F2:G2', '仓库：', CANGKU)
    p.popup('I2', '开票点：', KPD)
    for r in lines:
        p.popup('C%d' % r, '包装：', BAOZHUANG)
    p.write(s)
    return p


def customers():
    name = '客户登记表'
    p = Page(name)
    s = Sheet(name, [92, 92, 100, 100, 110, 80, 80, 80, 96])
    s.height(1, 44)
    s.put('A1:I1', CO + name, TITLE, border=False)
    s.put('A2:I2', '输入客户名称后回车，显示其最近登记的联系方式和作为发货单位的运单。', NOTE, border=False)
    s.put('A3:B3', '客户名称', LABEL); s.put('C3', '', KEY, border='')
    s.put('D3:I3', '', border=False)
    s.put('A4:B4', '发货地址', LABEL); s.put('C4:E4', '', VALUE)
    s.put('F4', '电话', LABEL); s.put('G4', '', CENTER, fmt='@')
    s.put('H4', '手机', LABEL); s.put('I4', '', CENTER, fmt='@')
    s.put('A5:B5', '收货地址', LABEL); s.put('C5:E5', '', VALUE)
    s.put('F5', '电话', LABEL); s.put('G5', '', CENTER, fmt='@')
    s.put('H5', '手机', LABEL); s.put('I5', '', CENTER, fmt='@')
    s.height(6, 8)
    s.put('A6:I6', '', border=False)
    for i, h in enumerate(['托运日期', '运输托号', '发站', '到站', '收货单位', '件数', '重量(吨)', '体积(立方)',
                           '合计金额(元)'], 1):
        s.put('%s7' % col_letters(i), h, HEAD)
    p.row('cs_khmc', 'C3', 1, out_cl='wbd')
    for zdm, a in (('fhdwdz', 'C4:E4'), ('fhdwdh', 'G4'), ('fhdwsj', 'I4'), ('shdwdz', 'C5:E5'),
                   ('shdwdh', 'G5'), ('shdwsj', 'I5')):
        p.row('yswtd1.' + zdm, a)
    for i, zdm in enumerate(['tyrq', 'ysth', 'fz', 'dz', 'shdwmc', 'hjjs', 'hjzl', 'hjtj', 'hjje'], 1):
        c = col_letters(i)
        p.row('yswtd1.' + zdm, c + '8', mline=c + '207')
    p.act('C3', 'write_cell')
    # Not "yswtd1": a customer without waybills is no missing waybill number.
    p.stmt('khdj', 'select fhdwdz as "yswtd1.fhdwdz",fhdwdh as "yswtd1.fhdwdh",fhdwsj as "yswtd1.fhdwsj"'
                   ' from yswtd1', " where fhdwmc=';'", ' order by tyrq desc,ysth desc limit 1')
    p.stmt('khdj', 'select shdwdz as "yswtd1.shdwdz",shdwdh as "yswtd1.shdwdh",shdwsj as "yswtd1.shdwsj"'
                   ' from yswtd1', " where shdwmc=';'", ' order by tyrq desc,ysth desc limit 1')
    p.stmt('khdj', 'select tyrq as "yswtd1.tyrq",ysth as "yswtd1.ysth",fz as "yswtd1.fz",dz as "yswtd1.dz",'
                   'shdwmc as "yswtd1.shdwmc",hjjs as "yswtd1.hjjs",hjzl as "yswtd1.hjzl",hjtj as "yswtd1.hjtj",'
                   'hjje as "yswtd1.hjje" from yswtd1', " where fhdwmc=';'", ' order by tyrq desc,ysth desc')
    p.write(s)
    return p
