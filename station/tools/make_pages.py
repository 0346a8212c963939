"""Writes pages/ and catalog.tsv of the station folder from the page definitions."""
import shutil, os, sys
sys.path.insert(0, os.path.dirname(__file__))
from station_page import *
import document_pages as docs, report_pages as reports

shutil.rmtree(os.path.join(OUT, 'pages'), ignore_errors=True)

catalog = []
bh = 10

def add(name, ysthdz, lx=None, gjz=None, gjz_zdm=None, sy_bm=None, gstb='90,45', key=None):
    global bh
    catalog.append([name, lx, bh, ysthdz, gjz, gjz_zdm, sy_bm, gstb, key])
    bh += 10

docs.waybill(); add('货物运单', 'M2')
docs.write_ticket(); add('运输货票', 'G4:H4*T2', gjz="ysth=';' and hpbh=';'", gjz_zdm='ysth*hpbh', sy_bm='yshp1,yshp2')
docs.voucher('汽车运输凭证（接货单）', 'qcyspz1_jhd', '接货'); add('汽车运输凭证（接货单）', 'I2:J2')
docs.voucher('汽车运输凭证（送货单）', 'qcyspz1_shd', '送货'); add('汽车运输凭证（送货单）', 'I2:J2')
for name, d, k in (('入库单（发送）', 'fs', '入'), ('出库单（发送）', 'fs', '出'),
                   ('入库单（到达）', 'dd', '入'), ('出库单（到达）', 'dd', '出')):
    docs.slip(name, d, k); add(name, 'I3')
for p, keys in reports.all_reports():
    add(p.name, keys, lx='A', gstb=None, key='AX' if '汇总表' in p.name else None)
docs.customers(); add('客户登记表', 'C3')

write_tsv(os.path.join(OUT, 'catalog.tsv'),
          ['bbm', 'lx', 'bh', 'ysthdz', 'gjz', 'gjz_zdm', 'sy_bm', 'gstb_wz', 'key'], catalog)
print(len(catalog), 'pages')
