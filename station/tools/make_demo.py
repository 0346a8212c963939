"""Writes demo/: two dozen consignments of one week at the station 成都, consistent with the pages."""
import os, random, sys
sys.path.insert(0, os.path.dirname(__file__))
from station_page import write_tsv, OUT
from capital_numerals import template, fixed

rnd = random.Random(20261211)
DAYS = ['2026-12-07', '2026-12-08', '2026-12-09', '2026-12-10', '2026-12-11']
HOME = '成都'

SHIPPERS = [
    ('成都蓉欣商贸有限公司', '成都市武侯区科华北路12号', '028-85551234', '13808012345'),
    ('四川天府茶业有限公司', '成都市青羊区琴台路56号', '028-86602211', '13980023456'),
    ('成都锦程电器有限公司', '成都市成华区建设路88号', '028-84317788', '13550034567'),
    ('成都新都五金制品厂', '成都市新都区工业东路9号', '028-83962210', '18980045678'),
    ('四川康源医药有限公司', '成都市高新区天府大道北段966号', '028-85189930', '13678056789'),
    ('成都宏图服饰有限公司', '成都市金牛区荷花池商贸城3栋', '028-83321567', '15828067890'),
]
CONSIGNEES = {
    '昆明': [('昆明滇池百货有限公司', '昆明市官渡区春城路8号', '0871-63331234', '13908711111'),
             ('云南顺达商贸有限公司', '昆明市盘龙区北京路1020号', '0871-65123456', '13888722222')],
    '重庆': [('重庆渝丰贸易有限公司', '重庆市渝中区民生路168号', '023-63712345', '13983033333'),
             ('重庆嘉陵电器城', '重庆市江北区观音桥步行街5号', '023-67856789', '13508344444')],
    '贵阳': [('贵州黔南商贸有限公司', '贵阳市南明区中华南路22号', '0851-85812345', '13885155555')],
    '西安': [('西安古城百货批发部', '西安市莲湖区大庆路77号', '029-88612345', '13909266666')],
    '南宁': [('广西邕江物资有限公司', '南宁市青秀区民族大道136号', '0771-58612345', '13978177777')],
}
INBOUND = [('昆明', '云南普洱茶厂', '普洱市思茅区茶城大道3号', '0879-2123456', '13908799999'),
           ('重庆', '重庆长江摩配有限公司', '重庆市九龙坡区石坪桥东路12号', '023-68412345', '13638388888'),
           ('贵阳', '贵州山珍食品有限公司', '贵阳市花溪区清溪路45号', '0851-83612345', '13985177777')]
HOME_CONSIGNEES = [('成都蓉欣商贸有限公司', '成都市武侯区科华北路12号', '028-85551234', '13808012345'),
                   ('成都宏图服饰有限公司', '成都市金牛区荷花池商贸城3栋', '028-83321567', '15828067890'),
                   ('成都东郊汽配城', '成都市锦江区成龙大道二段1号', '028-84561234', '13730612345')]
GOODS = [('服装', '纸箱', 0.012, 0.06), ('家用电器', '木箱', 0.045, 0.18), ('五金配件', '编织袋', 0.030, 0.02),
         ('茶叶', '纸箱', 0.010, 0.04), ('日用百货', '纸箱', 0.015, 0.08), ('药品', '纸箱', 0.008, 0.03),
         ('摩托车配件', '木箱', 0.040, 0.10), ('干菌山货', '编织袋', 0.020, 0.09)]
OWN = ['川A·5R218', '川A·7K309', '川A·2M876']
HIRED = ['川A·X6631', '川G·33815', '云A·3H521', '渝B·8F063']
DRIVERS = [('刘建国', '13881234501'), ('陈志强', '13881234502'), ('杨小兵', '13881234503'), ('何平', '13881234504')]
CLERKS = ['张丽', 'admin']

t = {k: [] for k in ('yswtd1', 'yswtd2', 'yshp1', 'yshp2', 'qcyspz1_jhd', 'qcyspz1_shd', 'rkd1_fs', 'rkd2_fs',
                     'ckd1_fs', 'ckd2_fs', 'rkd1_dd', 'rkd2_dd', 'ckd1_dd', 'ckd2_dd', 'qr_table')}
cols = {
    'yswtd1': ['ysth', 'tyrq', 'fz', 'dz', 'ysfs', 'ch', 'clxz', 'sj', 'fhdwmc', 'fhdwdz', 'fhdwdh', 'fhdwsj',
               'shdwmc', 'shdwdz', 'shdwdh', 'shdwsj', 'fkfs', 'jhfs', 'hjjs', 'hjzl', 'hjtj', 'hjyf', 'hjbjf',
               'hjje', 'hjdx', 'bjjz', 'bjjzdx', 'bz', 'zdr'],
    'yswtd2': ['ysth', 'fh_wz', 'hwmc', 'bzfs', 'js', 'zl', 'tj', 'jffs', 'dj', 'yf', 'bjje', 'bjf', 'xj', 'hwbz'],
    'yshp1': ['ysth', 'hpbh', 'kprq', 'hplx', 'fz', 'dz', 'ysfs', 'ch', 'clxz', 'jbr', 'fhdwmc', 'shdwmc', 'js',
              'zl', 'tj', 'qhdj', 'zhdj', 'ajdj', 'hjje', 'hjdx', 'jzje', 'xjje', 'dsje', 'bz', 'zdr'],
    'yshp2': ['ysth', 'hpbh', 'fh_wz', 'fymc', 'jfsl', 'jldw', 'dj', 'je', 'bz'],
    'voucher': ['ysth', 'pzbh', 'rq', 'fz', 'dz', 'ch', 'clxz', 'sj', 'sjdh', 'hwdz', 'lxr', 'lxdh', 'fhdwmc',
                'shdwmc', 'hwmc', 'js', 'zl', 'tj', 'lc', 'qyf', 'qyfdx', 'bz', 'zdr'],
    'slip_in': ['ysth', 'bh', 'rkrq', 'kpd', 'ck', 'fz', 'dz', 'ch', 'fhdwmc', 'shdwmc', 'jbr', 'jbrdh', 'cgy',
                'bz', 'zdr'],
    'slip_out': ['ysth', 'bh', 'ckrq', 'ckd1_kpd', 'ck', 'fz', 'dz', 'ch', 'fhdwmc', 'shdwmc', 'jbr', 'jbrdh',
                 'cgy', 'bz', 'zdr'],
    'slip_line': ['ysth', 'fh_wz', 'hwmc', 'bzfs', 'hw', 'gg', 'js', 'zl', 'tj', 'hwbz'],
    'qr_table': ['ysth', 'queren', 'qr_ren', 'qr_sj'],
}


def r2(x):
    return round(x + 1e-9, 2)


def num(x):
    return ('%.2f' % x).rstrip('0').rstrip('.') if isinstance(x, float) else str(x)


seq = {}
def number(prefix, day):
    key = prefix + day
    seq[key] = seq.get(key, 0) + 1
    return '%s%s%03d' % (prefix, day[2:4] + day[5:7] + day[8:10], seq[key])


def waybill(day, fz, dz, shipper, consignee, n_lines, in_or_out):
    ysth = number('LC', day) if in_or_out == 'out' else number('LC%s' % {'昆明': 'K', '重庆': 'C', '贵阳': 'G'}[fz], day)
    own = rnd.random() < 0.5
    ch = rnd.choice(OWN if own else HIRED)
    clxz = '自有车辆' if own else '外雇车辆'
    drv = rnd.choice(DRIVERS)
    fkfs = rnd.choice(['现金', '记帐', '记帐', '到付'])
    jhfs = rnd.choice(['自提', '送货上门'])
    lines = []
    for n in range(1, n_lines + 1):
        g = rnd.choice(GOODS)
        js = rnd.randint(5, 80)
        zl = r2(js * g[2] * rnd.uniform(0.9, 1.1))
        tj = r2(js * g[3] * rnd.uniform(0.9, 1.1))
        jffs = '按体积' if tj / max(zl, 0.01) > 4 else '按重量'
        dj = float(rnd.choice([420, 460, 500, 560])) if jffs == '按重量' else float(rnd.choice([110, 125, 140]))
        qty = tj if jffs == '按体积' else zl
        yf = r2(qty * dj)
        bjje = float(rnd.choice([0, 0, 5000, 10000, 20000]))
        bjf = r2(bjje * 0.003)
        lines.append(dict(ysth=ysth, fh_wz=n, hwmc=g[0], bzfs=g[1], js=js, zl=zl, tj=tj, jffs=jffs, dj=dj, yf=yf,
                          bjje=bjje or None, bjf=bjf or None, xj=r2(yf + bjf), hwbz=None))
    hjje = r2(sum(l['xj'] for l in lines))
    bjjz = sum(l['bjje'] or 0 for l in lines)
    w = dict(ysth=ysth, tyrq=day, fz=fz, dz=dz, ysfs=rnd.choice(['汽车运输', '汽车运输', '零担快运', '行包快运']),
             ch=ch, clxz=clxz, sj=drv[0], fhdwmc=shipper[0], fhdwdz=shipper[1], fhdwdh=shipper[2],
             fhdwsj=shipper[3], shdwmc=consignee[0], shdwdz=consignee[1], shdwdh=consignee[2], shdwsj=consignee[3],
             fkfs=fkfs, jhfs=jhfs, hjjs=sum(l['js'] for l in lines), hjzl=r2(sum(l['zl'] for l in lines)),
             hjtj=r2(sum(l['tj'] for l in lines)), hjyf=r2(sum(l['yf'] for l in lines)),
             hjbjf=r2(sum(l['bjf'] or 0 for l in lines)), hjje=hjje, hjdx=template(hjje, '元#角#分;2'),
             bjjz=bjjz or None, bjjzdx=fixed(bjjz) if bjjz else None, bz=None, zdr=rnd.choice(CLERKS))
    t['yswtd1'].append(w)
    t['yswtd2'].extend(lines)
    return w, lines, drv


def ticket(w, lines, hplx, day):
    hpbh = number('FP' if hplx == '发送' else 'DP', day)
    fees = []
    zl_lines = [l for l in lines if l['jffs'] == '按重量']
    tj_lines = [l for l in lines if l['jffs'] == '按体积']
    if hplx == '发送':
        if zl_lines:
            q = r2(sum(l['zl'] for l in zl_lines))
            fees.append(('运费', q, '吨', zl_lines[0]['dj'], r2(sum(l['yf'] for l in zl_lines))))
        if tj_lines:
            q = r2(sum(l['tj'] for l in tj_lines))
            fees.append(('运费', q, '立方', tj_lines[0]['dj'], r2(sum(l['yf'] for l in tj_lines))))
        if w['hjbjf']:
            fees.append(('保价费', float(w['bjjz']), '票', 0.003, w['hjbjf']))
    else:
        fees.append(('装卸费', float(w['hjjs']), '件', 1.5, r2(w['hjjs'] * 1.5)))
        if w['jhfs'] == '送货上门':
            fees.append(('送货费', 1.0, '票', 80.0, 80.0))
    hjje = r2(sum(f[4] for f in fees))
    pay = {'现金': 'xjje', '记帐': 'jzje', '到付': 'dsje'}[w['fkfs']]
    h = dict(ysth=w['ysth'], hpbh=hpbh, kprq=day, hplx=hplx, fz=w['fz'], dz=w['dz'], ysfs=w['ysfs'], ch=w['ch'],
             clxz=w['clxz'], jbr=w['zdr'], fhdwmc=w['fhdwmc'], shdwmc=w['shdwmc'], js=w['hjjs'], zl=w['hjzl'],
             tj=w['hjtj'], qhdj=tj_lines[0]['dj'] if tj_lines else None,
             zhdj=zl_lines[0]['dj'] if zl_lines else None, ajdj=None, hjje=hjje, hjdx=template(hjje, '元#角#分;2'),
             jzje=None, xjje=None, dsje=None, bz=None, zdr=w['zdr'])
    h[pay] = hjje
    t['yshp1'].append(h)
    for n, f in enumerate(fees, 1):
        t['yshp2'].append(dict(ysth=w['ysth'], hpbh=hpbh, fh_wz=n, fymc=f[0], jfsl=f[1], jldw=f[2], dj=f[3],
                               je=f[4], bz=None))


def voucher(table, w, lines, drv, day, kind):
    own = rnd.random() < 0.5
    lc = float(rnd.randint(8, 45))
    qyf = r2(lc * (6.0 if own else 9.5))
    party = ('fhdwdz', 'fhdwmc', 'fhdwdh') if kind == 'jhd' else ('shdwdz', 'shdwmc', 'shdwdh')
    t[table].append(dict(ysth=w['ysth'], pzbh=number('JH' if kind == 'jhd' else 'SH', day), rq=day, fz=w['fz'],
                         dz=w['dz'], ch=rnd.choice(OWN if own else HIRED), clxz='自有车辆' if own else '外雇车辆',
                         sj=drv[0], sjdh=drv[1], hwdz=w[party[0]], lxr=w[party[1]], lxdh=w[party[2]],
                         fhdwmc=w['fhdwmc'], shdwmc=w['shdwmc'], hwmc=lines[0]['hwmc'], js=w['hjjs'],
                         zl=w['hjzl'], tj=w['hjtj'], lc=lc, qyf=qyf, qyfdx=fixed(qyf), bz=None, zdr=w['zdr']))


def slips(sfx, w, lines, day_in, day_out, out_share, kpd):
    ck = rnd.choice(['一号库', '二号库', '三号库'])
    common = dict(ysth=w['ysth'], ck=ck, fz=w['fz'], dz=w['dz'], ch=w['ch'], fhdwmc=w['fhdwmc'],
                  shdwmc=w['shdwmc'], cgy='赵仓管', bz=None, zdr=w['zdr'])
    mark = 'FS' if sfx == '_fs' else 'DD'
    t['rkd1' + sfx].append(dict(common, bh=number(mark + 'R', day_in), rkrq=day_in, kpd=kpd,
                                jbr=w['sj'], jbrdh=None))
    for l in lines[:3]:
        t['rkd2' + sfx].append(dict(ysth=w['ysth'], fh_wz=l['fh_wz'], hwmc=l['hwmc'], bzfs=l['bzfs'],
                                    hw='%s-%02d' % (ck[0], rnd.randint(1, 30)), gg=None, js=l['js'], zl=l['zl'],
                                    tj=l['tj'], hwbz=None))
    if day_out is None:
        return
    t['ckd1' + sfx].append(dict(common, bh=number(mark + 'C', day_out), ckrq=day_out, ckd1_kpd=kpd,
                                jbr=w['sj'] if sfx == '_fs' else w['shdwmc'][:2] + '经办',
                                jbrdh=w['shdwsj'] if sfx == '_dd' else None))
    for l in lines[:3]:
        js = l['js'] if out_share >= 1 else max(1, int(l['js'] * out_share))
        k = js / l['js']
        t['ckd2' + sfx].append(dict(ysth=w['ysth'], fh_wz=l['fh_wz'], hwmc=l['hwmc'], bzfs=l['bzfs'], hw=None,
                                    gg=None, js=js, zl=r2(l['zl'] * k), tj=r2(l['tj'] * k), hwbz=None))


for i in range(16):
    day = DAYS[i % len(DAYS)]
    dz = rnd.choice(list(CONSIGNEES))
    w, lines, drv = waybill(day, HOME, dz, rnd.choice(SHIPPERS), rnd.choice(CONSIGNEES[dz]), rnd.randint(1, 3), 'out')
    ticket(w, lines, '发送', day)
    if i % 3 != 2:
        voucher('qcyspz1_jhd', w, lines, drv, day, 'jhd')
    later = DAYS[min(DAYS.index(day) + 1, len(DAYS) - 1)]
    slips('_fs', w, lines, day, later if i % 4 != 3 else None, 1, '成都东站')
    if i % 2 == 0:
        t['qr_table'].append(dict(ysth=w['ysth'], queren='已确认', qr_ren='admin', qr_sj=later + ' 17:30:00'))
for i in range(8):
    day = DAYS[(i + 1) % len(DAYS)]
    fz, name, addr, tel, mob = INBOUND[i % len(INBOUND)]
    w, lines, drv = waybill(day, fz, HOME, (name, addr, tel, mob), rnd.choice(HOME_CONSIGNEES), rnd.randint(1, 2),
                            'in')
    ticket(w, lines, '发送', day)
    arrive = DAYS[min(DAYS.index(day) + 2, len(DAYS) - 1)]
    ticket(w, lines, '到达', arrive)
    if w['jhfs'] == '送货上门':
        voucher('qcyspz1_shd', w, lines, drv, arrive, 'shd')
    slips('_dd', w, lines, arrive, arrive if i % 3 else None, 0.5 if i % 2 else 1, '成都北站')

d = os.path.join(OUT, 'demo')
os.makedirs(d, exist_ok=True)
for name, rows in t.items():
    kind = {'qcyspz1_jhd': 'voucher', 'qcyspz1_shd': 'voucher', 'rkd1_fs': 'slip_in', 'rkd1_dd': 'slip_in',
            'ckd1_fs': 'slip_out', 'ckd1_dd': 'slip_out', 'rkd2_fs': 'slip_line', 'rkd2_dd': 'slip_line',
            'ckd2_fs': 'slip_line', 'ckd2_dd': 'slip_line'}.get(name, name)
    c = cols[kind]
    write_tsv(os.path.join(d, name + '.tsv'), c,
              [[num(r.get(k)) if r.get(k) is not None else None for k in c] for r in rows])
print({k: len(v) for k, v in t.items()})
