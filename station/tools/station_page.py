"""Template grid, cell-map rows, stored statements, actions and choice lists of one page; TSV writing."""
import os, re, html

# The station folder this tool writes into: its parent.
OUT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))

def col_num(letters):
    n = 0
    for ch in letters.upper():
        n = n * 26 + (ord(ch) - 64)
    return n

def col_letters(n):
    s = ''
    while n:
        n, r = divmod(n - 1, 26)
        s = chr(65 + r) + s
    return s

def parse_cell(a):
    m = re.fullmatch(r'([A-Za-z]+)(\d+)', a)
    return int(m.group(2)), col_num(m.group(1))

def parse_range(a):
    parts = a.split(':')
    r1, c1 = parse_cell(parts[0])
    r2, c2 = parse_cell(parts[-1])
    return r1, c1, r2, c2

def esc(v):
    if v is None:
        return ''
    v = str(v)
    if v == '':
        return '\\e'
    return v.replace('\\', '\\\\').replace('\t', '\\t').replace('\n', '\\n')

def write_tsv(path, header, rows):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, 'w', encoding='utf-8', newline='\n') as f:
        f.write('\t'.join(header) + '\n')
        for r in rows:
            assert len(r) == len(header), (path, r)
            f.write('\t'.join(esc(x) for x in r) + '\n')

FONT = "font-family:'宋体';"

class Sheet:
    """A page template: column widths, row heights, cells with spans, styles and attributes."""

    def __init__(self, title, widths, default_height=24):
        self.title = title
        self.widths = widths
        self.heights = {}
        self.default_height = default_height
        self.cells = {}  # (r, c) -> dict(r2, c2, text, style, attrs)

    def nrows(self):
        return max(v['r2'] for v in self.cells.values())

    def put(self, rng, text='', style='', fmt=None, formula=None, border=True):
        r1, c1, r2, c2 = parse_range(rng)
        attrs = {}
        if fmt:
            attrs['data-format'] = fmt
        if formula:
            attrs['data-formula'] = formula
        self.cells[(r1, c1)] = dict(r2=r2, c2=c2, text=text, style=style, attrs=attrs, border=border)

    def height(self, row, h):
        self.heights[row] = h

    def render(self, preprinted=False):
        ncols = len(self.widths)
        nrows = self.nrows()
        covered = set()
        for (r, c), v in self.cells.items():
            for rr in range(r, v['r2'] + 1):
                for cc in range(c, v['c2'] + 1):
                    if (rr, cc) != (r, c):
                        covered.add((rr, cc))
        out = ['<!DOCTYPE html>', '<html>', '<head>', '<meta charset="utf-8">',
               '<title>%s</title>' % html.escape(self.title), '</head>', '<body>',
               '<table style="border-collapse:collapse;%s font-size:10.5pt">' % FONT]
        for w in self.widths:
            out.append('<col width="%d">' % w)
        for r in range(1, nrows + 1):
            out.append('<tr style="height:%dpx">' % self.heights.get(r, self.default_height))
            for c in range(1, ncols + 1):
                if (r, c) in covered:
                    continue
                v = self.cells.get((r, c))
                if v is None:
                    out.append('<td></td>')
                    continue
                span = ''
                if v['c2'] > c:
                    span += ' colspan="%d"' % (v['c2'] - c + 1)
                if v['r2'] > r:
                    span += ' rowspan="%d"' % (v['r2'] - r + 1)
                style = FONT + v['style']
                if preprinted:
                    # Stationery already carries the labels, rules and shading: print values only.
                    style = re.sub(r'(border[^:;]*|background-color|color):[^;]*;', '', style)
                elif v['border'] is True:
                    style = 'border:1px solid #000000;' + style
                elif v['border']:
                    style = v['border'] + style
                attrs = ''.join(' %s="%s"' % (k, html.escape(x, quote=True)) for k, x in v['attrs'].items())
                st = ' style="%s"' % style if style else ''
                text = '' if preprinted else html.escape(v['text']).replace('\n', '<br>')
                out.append('<td%s%s%s>%s</td>' % (span, st, attrs, text))
            out.append('</tr>')
        out += ['</table>', '</body>', '</html>']
        return '\n'.join(out) + '\n'

TITLE = "font-size:18pt;font-weight:bold;text-align:center;vertical-align:middle;letter-spacing:4px;"
LABEL = "text-align:center;vertical-align:middle;background-color:#F2F2F2;"
LABEL_R = "text-align:right;vertical-align:middle;font-weight:bold;"
VALUE = "text-align:left;vertical-align:middle;"
NUM = "text-align:right;vertical-align:middle;"
CENTER = "text-align:center;vertical-align:middle;"
NOTE = "font-size:9pt;text-align:left;vertical-align:middle;"
KEY = "border:2px solid #000000;text-align:center;vertical-align:middle;font-weight:bold;color:#C00000;"
HEAD = "text-align:center;vertical-align:middle;font-weight:bold;background-color:#D9E1F2;"
TOTAL = "text-align:right;vertical-align:middle;font-weight:bold;"

MAP_HEADER = ['zdm', 'exceldz', 'mline', 'bh', 'jsbds', 'zhxdz', 'dw', 'fh_width', 'out_cl', 'ifout',
              'hz_sum', 'fx_zh', 'fx_tj', 'excel_zhtj', 'sql_zhtj']

class Page:
    def __init__(self, name):
        self.name = name
        self.map = []
        self.sql = []
        self.cellact = []
        self.pop = []
        self.celldxx = []
        self.preprinted = False

    def ref(self, addr):
        return self.name + '.' + addr

    def row(self, zdm, addr, bh=None, mline=None, jsbds='nullstring', zhxdz=None, dw=None, fh_width=None,
            out_cl=None, ifout=None, hz_sum=None, fx_zh=None, fx_tj=None):
        self.map.append([zdm, self.ref(addr), self.ref(mline) if mline else None, bh, jsbds, zhxdz, dw,
                         fh_width, out_cl, ifout, hz_sum, fx_zh, fx_tj, None, None])

    def stmt(self, table_name, sql, ex=None, exe=None, add=None):
        self.sql.append([self.name, table_name, sql, ex, exe, add])

    def act(self, addr, act):
        # Actions are looked up by the first cell of the edited range.
        self.cellact.append([self.ref(addr.split(':')[0]), act])

    def popup(self, addr, title, items):
        text = title + ','
        for i, it in enumerate(items, 1):
            if it.lower() == 'date':
                text += it + ','
            else:
                text += '%d.%s,' % (i, it)
        self.pop.append([addr, text])

    def capital(self, src, dst):
        self.celldxx.append([self.ref(src), self.ref(dst)])

    def write(self, sheet):
        # Cells that are not input cells sort after the end-of-cycle mark 999.
        nxt = max([998] + [r[3] for r in self.map if r[3] is not None]) + 1
        for r in self.map:
            if r[3] is None:
                r[3] = nxt
                nxt += 1
        d = os.path.join(OUT, 'pages', self.name)
        os.makedirs(d, exist_ok=True)
        with open(os.path.join(d, 'template.htm'), 'w', encoding='utf-8', newline='\n') as f:
            f.write(sheet.render())
        if self.preprinted:
            with open(os.path.join(d, 'out_hp.htm'), 'w', encoding='utf-8', newline='\n') as f:
                f.write(sheet.render(preprinted=True))
        write_tsv(os.path.join(d, 'map.tsv'), MAP_HEADER, self.map)
        write_tsv(os.path.join(d, 'sql.tsv'),
                  ['excel_table_name', 'table_name', 'sql_name', 'sql_name_ex', 'sql_name_exe', 'add'], self.sql)
        write_tsv(os.path.join(d, 'cellact.tsv'), ['exceldz', 'act'], self.cellact)
        write_tsv(os.path.join(d, 'pop.tsv'), ['exceldz', 'popnr'], self.pop)
        if self.celldxx:
            write_tsv(os.path.join(d, 'celldxx.tsv'), ['exceldz1', 'exceldz2'], self.celldxx)

STATIONS = ['成都', '昆明', '重庆', '贵阳', '西安', '南宁', '兰州', '拉萨']
YSFS = ['汽车运输', '行包快运', '零担快运', '整车运输', '冷链运输']
CLXZ = ['自有车辆', '外雇车辆']
CHEHAO = ['川A·5R218', '川A·7K309', '川A·2M876', '云A·3H521', '渝B·8F063', '贵A·6T415']
BAOZHUANG = ['纸箱', '木箱', '编织袋', '托盘', '铁桶', '散装']
JFFS = ['按重量', '按体积', '按件数']
FKFS = ['现金', '记帐', '到付']
JHFS = ['自提', '送货上门']
CANGKU = ['一号库', '二号库', '三号库', '冷藏库']
KPD = ['成都东站', '成都北站', '昆明南站', '重庆西站']
FYMC = ['运费', '保价费', '装卸费', '仓储费', '送货费', '包装费', '其他']
