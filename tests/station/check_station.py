#!/usr/bin/env python3
"""Consistency check of the shipped station content: schemas, catalog, templates, cell maps,
stored SQL, cell actions, choice lists and users must agree with each other.

Usage: check_station.py STATION_DIR   (exit status 1 and one line per fault when something is wrong)
"""
import html.parser
import os
import re
import sqlite3
import sys

FAULTS = []


def fault(where, text):
    FAULTS.append('%s: %s' % (where, text))


# ---------------------------------------------------------------- TSV


def unescape(field):
    if field == '':
        return None
    if field == '\\e':
        return ''
    out, i = [], 0
    while i < len(field):
        ch = field[i]
        if ch == '\\' and i + 1 < len(field):
            nxt = field[i + 1]
            out.append({'t': '\t', 'n': '\n', '\\': '\\'}.get(nxt, '\\' + nxt))
            i += 2
            continue
        out.append(ch)
        i += 1
    return ''.join(out)


def read_tsv(path, header=None):
    with open(path, encoding='utf-8', newline='') as f:
        text = f.read()
    if '\r' in text:
        fault(path, 'carriage return in file')
    lines = text.split('\n')
    if lines and lines[-1] == '':
        lines.pop()
    head = lines[0].split('\t')
    if header is not None and head != header:
        fault(path, 'header %s, expected %s' % (head, header))
    rows = []
    for n, line in enumerate(lines[1:], 2):
        fields = line.split('\t')
        if len(fields) != len(head):
            fault(path, 'line %d has %d fields, header has %d' % (n, len(fields), len(head)))
            continue
        rows.append(dict(zip(head, (unescape(x) for x in fields))))
    return rows


# ---------------------------------------------------------------- addresses


def col_num(letters):
    n = 0
    for ch in letters:
        n = n * 26 + ord(ch) - 64
    return n


def col_letters(n):
    s = ''
    while n:
        n, r = divmod(n - 1, 26)
        s = chr(65 + r) + s
    return s


def cell(addr):
    m = re.fullmatch(r'([A-Z]{1,3})([1-9][0-9]*)', addr)
    return (int(m.group(2)), col_num(m.group(1))) if m else None


# ---------------------------------------------------------------- templates


class TableParser(html.parser.HTMLParser):
    def __init__(self):
        super().__init__()
        self.tables = 0
        self.cols = 0
        self.rows = []  # list of list of (colspan, rowspan, attrs)

    def handle_starttag(self, tag, attrs):
        a = dict(attrs)
        if tag == 'table':
            self.tables += 1
        elif tag == 'col':
            self.cols += 1
        elif tag == 'tr':
            self.rows.append([])
        elif tag == 'td':
            self.rows[-1].append((int(a.get('colspan', 1)), int(a.get('rowspan', 1)), a))


def template_areas(path, where):
    """Addresses the grid reports for the template: one per cell or merged area, plus all covered slots."""
    p = TableParser()
    with open(path, encoding='utf-8') as f:
        p.feed(f.read())
    if p.tables != 1:
        fault(where, 'template has %d tables' % p.tables)
    taken = {}
    areas = {}
    for r, tds in enumerate(p.rows, 1):
        c = 1
        for colspan, rowspan, attrs in tds:
            while (r, c) in taken:
                c += 1
            addr = '%s%d' % (col_letters(c), r)
            if colspan > 1 or rowspan > 1:
                addr += ':%s%d' % (col_letters(c + colspan - 1), r + rowspan - 1)
            areas[addr] = attrs
            for rr in range(r, r + rowspan):
                for cc in range(c, c + colspan):
                    if (rr, cc) in taken:
                        fault(where, 'overlapping cells at %s%d' % (col_letters(cc), rr))
                    taken[(rr, cc)] = addr
            c += colspan
        if c - 1 > p.cols and tds:
            fault(where, 'row %d is %d columns wide, template declares %d' % (r, c - 1, p.cols))
    return areas, taken, p.cols


# ---------------------------------------------------------------- schema


def load_schema(station):
    db = sqlite3.connect(':memory:')
    with open(os.path.join(station, 'schema', 'main.sql'), encoding='utf-8') as f:
        main_sql = f.read()
    db.executescript(main_sql)
    columns = {}
    for (t,) in db.execute("select name from sqlite_master where type='table' and name not like 'sqlite_%'"):
        columns[t] = [r[1] for r in db.execute('pragma table_info("%s")' % t)]
        if 'bb' in t.lower() or any('bb' in c.lower() for c in columns[t]):
            fault('main.sql', 'table %s: a name containing "bb" is routed to the settings database' % t)
    # The transfer template is made from the marked part of the same file.
    m = re.search(r'-- transfer: begin\n(.*)-- transfer: end', main_sql, re.S)
    if not m:
        fault('main.sql', 'transfer markers missing')
    else:
        tdb = sqlite3.connect(':memory:')
        tdb.executescript(m.group(1))
        names = [t for (t,) in tdb.execute("select name from sqlite_master where type='table'")]
        expected = ['yswtd1', 'yswtd2', 'yshp1', 'yshp2', 'qcyspz1_jhd', 'qcyspz1_shd', 'rkd1_dd', 'rkd2_dd',
                    'ckd1_dd', 'ckd2_dd', 'rkd1_fs', 'rkd2_fs', 'ckd1_fs', 'ckd2_fs']
        if sorted(names) != sorted(expected):
            fault('main.sql', 'transfer tables %s' % names)
    for t, cols in columns.items():
        for name, decl, coll in ((r[1], r[2], None) for r in db.execute('pragma table_info("%s")' % t)):
            if decl not in ('TEXT', 'INTEGER', 'REAL', 'DATE', 'DATETIME'):
                fault('main.sql', '%s.%s has type %s' % (t, name, decl))
    sql = ' '.join(main_sql.split())
    for t in columns:
        body = re.search(r'CREATE TABLE %s \((.*?)\);' % t, main_sql, re.S).group(1)
        for line in body.split('\n'):
            m2 = re.match(r'\s*(\w+)\s+TEXT\b(.*)', line)
            if m2 and 'COLLATE NOCASE' not in m2.group(2) and (t, m2.group(1)) != ('ws_gxq', 'mm'):
                fault('main.sql', '%s.%s compares with case' % (t, m2.group(1)))
    sdb = sqlite3.connect(':memory:')
    with open(os.path.join(station, 'schema', 'settings.sql'), encoding='utf-8') as f:
        sdb.executescript(f.read())
    del sql
    return db, columns


# ---------------------------------------------------------------- formulas

FUNCTIONS = {'SUM', 'ROUND', 'IF'}


def check_formula(where, formula, taken):
    if not formula.startswith('='):
        fault(where, 'formula %r does not start with "="' % formula)
        return
    body = re.sub(r'"[^"]*"', '""', formula[1:])
    for name in re.findall(r'([A-Z]+)\s*\(', body):
        if name not in FUNCTIONS:
            fault(where, 'formula %r uses %s' % (formula, name))
    for ref in re.findall(r'(?<![A-Z])([A-Z]{1,3}[0-9]+)(?![0-9(])', body):
        rc = cell(ref)
        if rc not in taken and rc[1] > max(c for _, c in taken):
            fault(where, 'formula %r refers to %s outside the template' % (formula, ref))
    if body.count('(') != body.count(')'):
        fault(where, 'formula %r has unbalanced parentheses' % formula)


# ---------------------------------------------------------------- stored SQL

SAMPLE = [
    "insert into yswtd1 (ysth,tyrq,fz,dz,ysfs,ch,clxz,fhdwmc,fhdwdz,fhdwdh,fhdwsj,shdwmc,shdwdz,shdwdh,shdwsj,"
    "hjjs,hjzl,hjtj,hjyf,hjje) values ('LC2612001','2026-12-11','成都','昆明','汽车运输','川A·5R218','自有车辆',"
    "'成都蓉欣商贸有限公司','成都市武侯区科华北路12号','028-85551234','13800001111','昆明滇池百货有限公司',"
    "'昆明市官渡区春城路8号','0871-63331234','13900002222',12,1.5,3.2,860,872.5)",
    "insert into yswtd2 (ysth,fh_wz,hwmc,bzfs,js,zl,tj) values ('LC2612001',1,'服装','纸箱',12,1.5,3.2)",
    "insert into yshp1 (ysth,hpbh,kprq,hplx,hjje,jzje,xjje,dsje) values ('LC2612001','HP001','2026-12-11','发送',"
    "872.5,500,372.5,0)",
    "insert into yshp1 (ysth,hpbh,kprq,hplx,hjje,jzje,xjje,dsje) values ('LC2612001','HP002','2026-12-11','到达',"
    "100,60,40,0)",
    "insert into yshp2 (ysth,hpbh,fh_wz,fymc,jfsl,dj,je) values ('LC2612001','HP001',1,'运费',1.5,573.33,860)",
]
for t in ('qcyspz1_jhd', 'qcyspz1_shd'):
    for k in ('自有车辆', '外雇车辆'):
        SAMPLE.append("insert into %s (ysth,pzbh,rq,ch,clxz,qyf) values ('LC2612001','PZ1','2026-12-11',"
                      "'川A·7K309','%s',150)" % (t, k))
for d in ('dd', 'fs'):
    SAMPLE += ["insert into rkd1_%s (ysth,bh,rkrq,ck) values ('LC2612001','R1','2026-12-11','一号库')" % d,
               "insert into rkd2_%s (ysth,fh_wz,hwmc,js,zl,tj) values ('LC2612001',1,'服装',12,1.5,3.2)" % d,
               "insert into ckd1_%s (ysth,bh,ckrq,ck) values ('LC2612001','C1','2026-12-11','一号库')" % d,
               "insert into ckd2_%s (ysth,fh_wz,hwmc,js,zl,tj) values ('LC2612001',1,'服装',10,1.2,2.8)" % d]

# Parameter values by parameter column (report pages) and key text of document pages.
PARAMS = {'cs_qsrq': '2026/12/1', 'cs_zzrq': '2026-12-31', 'cs_rq': '2026-12-11', 'cs_ch': '全部',
          'cs_fz': '全部', 'cs_dz': '全部', 'cs_ysfs': '全部', 'cs_ck': '全部', 'cs_khmc': '成都蓉欣商贸有限公司'}
DOC_KEYS = {'运输货票': 'LC2612001*HP001'}


def dialect(stmt, where):
    def date(m):
        parts = re.split(r'[/-]', m.group(1))
        if len(parts) != 3 or not all(p.isdigit() for p in parts) or len(parts[0]) != 4:
            fault(where, 'date literal #%s# is not year, month, day' % m.group(1))
            return "''"
        return "'%04d-%02d-%02d'" % tuple(int(p) for p in parts)
    return re.sub(r'#([^#]*)#', date, stmt)


def fill_key_template(template, key):
    for part in key.split('*')[:100]:
        i = template.find(';')
        if i < 0:
            break
        template = template[:i] + part + template[i + 1:]
    return template


# ---------------------------------------------------------------- pages


LISTS = {}  # list title -> (list text, page): closing the settings grid copies lists to all pages by title


def check_page(station, name, cat, db, columns, reports):
    where = name
    folder = os.path.join(station, 'pages', name)
    for f in ('template.htm', 'map.tsv', 'sql.tsv', 'cellact.tsv', 'pop.tsv'):
        if not os.path.exists(os.path.join(folder, f)):
            fault(where, 'missing %s' % f)
            return
    areas, taken, ncols = template_areas(os.path.join(folder, 'template.htm'), where)
    prefix = name + '.'
    hp = os.path.join(folder, 'out_hp.htm')
    if os.path.exists(hp) and set(template_areas(hp, where + ' out_hp')[0]) != set(areas):
        fault(where, 'out_hp.htm has other cells than the page template, so printed values would move')

    def address(ref, what):
        if ref is None or not ref.startswith(prefix):
            fault(where, '%s %r is not qualified by the document name' % (what, ref))
            return None
        a = ref[len(prefix):]
        if a in areas:
            return a
        # Below the template the page goes on with plain cells of the template's columns.
        rc = cell(a)
        if rc and rc not in taken and rc[1] <= ncols:
            areas[a] = {}
            return a
        fault(where, '%s %r is not a cell or merged area of the template' % (what, ref))
        return None

    mp = read_tsv(os.path.join(folder, 'map.tsv'),
                  ['zdm', 'exceldz', 'mline', 'bh', 'jsbds', 'zhxdz', 'dw', 'fh_width', 'out_cl', 'ifout',
                   'hz_sum', 'fx_zh', 'fx_tj', 'excel_zhtj', 'sql_zhtj'])
    zdms = set()
    mapped = set()
    for row in mp:
        w = '%s map %s' % (name, row['exceldz'])
        a = address(row['exceldz'], 'exceldz')
        zdm = row['zdm'] or ''
        zdms.add(zdm.lower())
        if '.' in zdm:
            t, c = zdm.split('.', 1)
            if t not in columns or c not in columns[t]:
                fault(w, 'zdm %s names no main-database column' % zdm)
        elif any(zdm.lower() in (c.lower() for c in cols) for cols in columns.values()):
            # A page save would take such a key cell for a record key of that table.
            fault(w, 'unstored zdm %s is also a column name' % zdm)
        if row['bh'] is None or not row['bh'].isdigit():
            fault(w, 'bh %r is not a number' % row['bh'])
        if row['jsbds'] is None:
            fault(w, 'jsbds is NULL; "nullstring" marks a cell without formula')
        elif row['jsbds'] != 'nullstring':
            check_formula(w, row['jsbds'], taken)
        if a is None:
            continue
        mapped.add(a)
        if row['mline']:
            m = address(row['mline'], 'mline')
            if m:
                (r1, c1), (r2, c2) = cell(a), cell(m)
                if c1 != c2 or r2 <= r1 or ':' in a + m:
                    fault(w, 'block %s..%s is not one column of single cells' % (a, m))
                mapped.update('%s%d' % (col_letters(c1), rr) for rr in range(r1, r2 + 1))
                if row['fh_width']:
                    rows = [int(x) for x in row['fh_width'].split('*')]
                    if rows[0] != r1 or rows[-1] != r2 or rows != sorted(rows):
                        fault(w, 'fh_width %s does not run from %d to %d' % (row['fh_width'], r1, r2))
            if '999' in a + ':' + (m or ''):
                fault(w, 'a range on row 999 would leave the page unprotected')
        if row['zhxdz']:
            if row['zhxdz'] not in areas:
                fault(w, 'zhxdz %s is not a cell of the template' % row['zhxdz'])
            if not row['dw'] or not re.fullmatch(r'[^;]*#?[^;]*(;[0-9]+)?', row['dw']):
                fault(w, 'capital target without a unit template')
        for k in ('fx_zh', 'fx_tj'):
            if row[k]:
                check_formula(w, row[k], taken)
        if row['hz_sum'] and row['hz_sum'].lower() != 'hz':
            check_formula(w, row['hz_sum'] + '1)', taken)
        for k in ('mline', 'zhxdz'):
            if row[k] and '$' in row[k]:
                fault(w, '%s holds "$"' % k)
        if row['exceldz'] != row['exceldz'].upper().replace(name.upper(), name):
            fault(w, 'address not upper case')
    # A computed cell is stored through the first map row that matches it in table order,
    # and its formula is refreshed only when the formula names the edited cell itself.
    def first_match(a):
        r0, c0 = cell(a.split(':')[0])
        for row in mp:
            e = row['exceldz'][len(prefix):].split(':')[0]
            m = (row['mline'] or '')[len(prefix):]
            (re_, ce), rm = cell(e), cell(m) if m else None
            if rm and ce == c0 == rm[1] and re_ <= r0 <= rm[0]:
                return row
            if ce == c0 and re_ == r0:
                return row
        return None
    for row in mp:
        w = '%s map %s' % (name, row['exceldz'])
        if row['jsbds'] and row['jsbds'] != 'nullstring':
            if ':' in row['jsbds']:
                fault(w, 'formula %r uses a range: editing a cell inside it would not refresh it' % row['jsbds'])
            hit = first_match(row['exceldz'][len(prefix):])
            if hit is None or '.' not in (hit['zdm'] or ''):
                fault(w, 'computed cell is not stored: its first matching map row has no table column')
        if row['zhxdz']:
            hit = first_match(row['zhxdz'])
            if hit is None or '.' not in (hit['zdm'] or ''):
                fault(w, 'capital amount cell %s is not stored' % row['zhxdz'])
    # The cursor walks the map in bh order and wraps at the first 999; each cell finds itself
    # by a begins-with search on document name, ".", its first cell.
    by_bh = sorted(mp, key=lambda r: int(r['bh'] or 0))
    after = [int(r['bh']) for r in by_bh if int(r['bh']) >= 999]
    if after and after[0] != 999:
        fault(where, 'no bh 999 closes the input cycle')
    for row in by_bh:
        if int(row['bh']) >= 999:
            break
        first = prefix + row['exceldz'][len(prefix):].split(':')[0]
        hit = next(r for r in by_bh if (r['exceldz'] or '').upper().startswith(first.upper()))
        if hit is not row:
            fault(where, 'the cursor search for %s stops at %s' % (first, hit['exceldz']))
    # Template formulas must also be plain.
    for a, attrs in areas.items():
        if 'data-formula' in attrs:
            check_formula('%s template %s' % (name, a), attrs['data-formula'], taken)

    keys = (cat['ysthdz'] or '').split('*')
    for k in keys:
        if k not in areas:
            fault(where, 'key cell %s is not a cell of the template' % k)
    wbd = [r for r in mp if (r['out_cl'] or '').lower() == 'wbd']
    if sorted(r['exceldz'][len(prefix):] for r in wbd) != sorted(keys):
        fault(where, 'key cells %s differ from the map rows marked wbd' % keys)
    if name == '澜川物流货物运输日报表' and len(mp) == 16:
        fault(where, 'a 16-row map would be extended again by the database correction')

    acts = read_tsv(os.path.join(folder, 'cellact.tsv'), ['exceldz', 'act'])
    first_cells = {a.split(':')[0]: a for a in areas}
    for r in acts:
        ref = r['exceldz'] or ''
        a = ref[len(prefix):] if ref.startswith(prefix) else None
        if a not in first_cells or first_cells[a] not in mapped:
            fault(where, 'cellact %r is not the first cell of a mapped cell' % ref)
        if r['act'] not in ('write_mdb', 'write_cell'):
            fault(where, 'cellact %r has action %r' % (ref, r['act']))

    path = os.path.join(folder, 'celldxx.tsv')
    if os.path.exists(path):
        for r in read_tsv(path, ['exceldz1', 'exceldz2']):
            for k in ('exceldz1', 'exceldz2'):
                if address(r[k], k) not in mapped:
                    fault(where, 'celldxx %s %r is not a mapped cell' % (k, r[k]))

    pops = read_tsv(os.path.join(folder, 'pop.tsv'), ['exceldz', 'popnr'])
    popped = set()
    for r in pops:
        a = r['exceldz']
        popped.add(a)
        if a not in areas or a not in mapped:
            fault(where, 'choice list at %r, which is no mapped cell' % a)
        text = r['popnr'] or ''
        items = text.split(',')
        if not text.endswith(',') or len(items) < 3 or any(i == '' for i in items[:-1]):
            fault(where, 'choice list at %s is malformed: %r' % (a, text))
        elif not items[0].endswith('：'):
            fault(where, 'choice list at %s has no title ending in "："' % a)
        else:
            seen = LISTS.setdefault(items[0], (text, name))
            if seen[0] != text:
                fault(where, 'list %s at %s differs from the list of that title on %s' % (items[0], a, seen[1]))

    is_report = name in reports
    if is_report:
        if len(keys) < 2 or cat['gjz']:
            fault(where, 'a report takes two or more parameters and has no gjz')
        for k in keys:
            if k not in popped:
                fault(where, 'parameter cell %s has no choice list' % k)
            if not any(r['exceldz'] == prefix + k.split(':')[0] and r['act'] == 'write_cell' for r in acts):
                fault(where, 'parameter cell %s has no write_cell action' % k)

    # Stored statements: routed to the main database, run on a small sample after the dialect step,
    # and every result column lands in a mapped cell.
    sqls = read_tsv(os.path.join(folder, 'sql.tsv'),
                    ['excel_table_name', 'table_name', 'sql_name', 'sql_name_ex', 'sql_name_exe', 'add'])
    if is_report:
        key = '*'.join(PARAMS[next(r['zdm'] for r in wbd if r['exceldz'] == prefix + k)] for k in keys)
    elif name in DOC_KEYS:
        key = DOC_KEYS[name]
    elif wbd and wbd[0]['zdm'] == 'cs_khmc':
        key = PARAMS['cs_khmc']
    else:
        key = 'LC2612001'
    rows_found = 0
    for n, r in enumerate(sqls, 1):
        w = '%s sql %d' % (name, n)
        if r['excel_table_name'] != name:
            fault(w, 'excel_table_name %r' % r['excel_table_name'])
        stmt = (r['sql_name'] or '') + (r['sql_name_ex'] or '') + (r['sql_name_exe'] or '')
        low = stmt.lower()
        for bad in ('bb', 'cellact', 'sql_查询', name.lower()):
            if bad in low:
                fault(w, 'statement contains %r and would be routed to the settings database' % bad)
        if stmt.count(';') > len(key.split('*')):
            fault(w, 'statement has more placeholders than the page key has parts')
        run = dialect(fill_key_template(stmt, key), w)
        try:
            cur = db.execute(run)
            got = cur.fetchall()
        except sqlite3.Error as e:
            fault(w, '%s: %s' % (e, run))
            continue
        rows_found += len(got) > 0
        table = r['table_name']
        for d in cur.description:
            col = d[0]
            if col.lower() == 'fh_wz':
                continue
            q = col if '.' in col else table + '.' + col
            if '.' in col:
                table = col.split('.', 1)[0]
            if q.lower() not in zdms:
                fault(w, 'result column %s has no map row' % q)
    if sqls and rows_found == 0:
        fault(where, 'no statement finds the sample consignment')


def main():
    station = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), '..', '..', 'station')
    db, columns = load_schema(station)
    for s in SAMPLE:
        db.execute(s)
    cat = read_tsv(os.path.join(station, 'catalog.tsv'),
                   ['bbm', 'lx', 'bh', 'ysthdz', 'gjz', 'gjz_zdm', 'sy_bm', 'gstb_wz', 'key'])
    names = [r['bbm'] for r in cat]
    if len(set(names)) != len(names):
        fault('catalog.tsv', 'duplicate document names')
    if [int(r['bh']) for r in cat] != sorted(int(r['bh']) for r in cat):
        fault('catalog.tsv', 'rows are not in tree order')
    folders = sorted(os.listdir(os.path.join(station, 'pages')))
    if sorted(names) != folders:
        fault('catalog.tsv', 'pages without catalog row or catalog rows without page: %s'
              % sorted(set(names) ^ set(folders)))
    documents = {'货物运单', '运输货票', '汽车运输凭证（接货单）', '汽车运输凭证（送货单）', '入库单（到达）',
                 '出库单（到达）', '入库单（发送）', '出库单（发送）', '客户登记表'}
    reports = set(names) - documents
    if len(reports) != 20 or not documents <= set(names):
        fault('catalog.tsv', 'expected the nine documents and twenty reports')
    for r in cat:
        if '.' in r['bbm']:
            fault('catalog.tsv', '%s: a document name holds no "."' % r['bbm'])
        if r['gstb_wz'] and not re.fullmatch(r'[0-9]+,[0-9]+', r['gstb_wz']):
            fault('catalog.tsv', '%s: gstb_wz %r' % (r['bbm'], r['gstb_wz']))
        if bool(r['gjz']) != bool(r['gjz_zdm']) or bool(r['gjz']) != bool(r['sy_bm']):
            fault('catalog.tsv', '%s: gjz, gjz_zdm and sy_bm go together' % r['bbm'])
        if r['gjz'] and r['gjz'].count(';') != len(r['gjz_zdm'].split('*')):
            fault('catalog.tsv', '%s: gjz has not one ";" per key column' % r['bbm'])
        check_page(station, r['bbm'], r, db, columns, reports)
    users = read_tsv(os.path.join(station, 'users.tsv'), columns['ws_gxq'][1:])
    if sorted(u['userright'] for u in users) != ['ADMIN', 'R', 'W']:
        fault('users.tsv', 'expected one ADMIN, one W and one R user')
    ul = read_tsv(os.path.join(station, 'userlist.tsv'), ['A', 'B'])
    if not ul or not ul[0]['B']:
        fault('userlist.tsv', 'B1 holds no departure station')
    if {u['A'] for u in ul} != {u['username'] for u in users}:
        fault('userlist.tsv', 'user names differ from users.tsv')
    for f in FAULTS:
        print(f)
    print('%d pages checked, %d faults' % (len(cat), len(FAULTS)))
    return 1 if FAULTS else 0


if __name__ == '__main__':
    sys.exit(main())
