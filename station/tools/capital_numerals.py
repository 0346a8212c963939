"""Chinese capital numerals as the engine writes them (for the demo data), with a self-check."""
DIG = '零壹贰叁肆伍陆柒捌玖'
MASK = '#万#仟#佰#拾#亿#仟#佰#拾#万#仟#佰#拾#'
FULL = MASK + '圆#角#分'


def number_text(x):
    s = '%.15g' % x
    if 'e' in s:
        s = '%.0f' % x
    return s.split('.')[0]


def lay(D, mask):
    p = mask.count('#')
    if D == '0':
        D = ''
    digs = list(D)
    if len(digs) > p:
        digs = [''.join(digs[:len(digs) - p + 1])] + digs[len(digs) - p + 1:]
    slots = [''] * (p - len(digs)) + digs
    out, k = [], 0
    for ch in mask:
        if ch == '#':
            out.append(slots[k]); k += 1
        else:
            out.append(ch)
    return ''.join(out)


def caps(text):
    t = ''.join(DIG[int(c)] if c.isdigit() else c for c in text)
    for i, c in enumerate(t):
        if c in DIG:
            return t[i:]
    return ''


def at(S, k):
    return S[k - 1] if 1 <= k <= len(S) else ''


def template(a, T):
    v = a if a >= 1 else a + 1
    if ';' in T:
        U, n = T.split(';', 1)
        n = int(n)
    else:
        U, n = T, 0
    if a == 0:
        return '/'
    D = number_text(v * 10 ** n)
    S = caps(lay(D, MASK + U))
    N = len(S)
    t = ''
    for j in range(len(U) - 2, -1, -1):
        if U[j] == '#':
            t = U[j + 1:]
            break
    P = S.find('点') + 1 or S.find('元') + 1
    F = G = Z = 0
    R = 0
    i = len(t)
    while i <= N:
        k = N - i + 1
        if k > P - 1:
            c = at(S, k - 1)
            if c not in ('零', '角'):
                F = 1
            if F == 0 and '元' in U and c == '零' and k - 2 >= 0:
                S = S[:k - 2] + '整'
            if F == 0 and i <= len(U) and '元' not in U and c == '零':
                if at(S, k - 2) == '点':
                    if k - 3 >= 0:
                        S = S[:k - 3] + t
                elif k - 2 >= 0:
                    S = S[:k - 2] + t
        else:
            c = at(S, k)
            u = at(S, k + 1)
            i += 1
            if c != '零':
                G = 1
            if u == '万':
                G = 0
                Z = 0
            if G == 1 and c == '零':
                S = S[:k] + S[k + 1:]
            if G == 0 and c == '零':
                Z += 1
                if Z == 1:
                    R = len(S) - k
                if k - 1 >= 0:
                    S = S[:k - 1] + (S[len(S) - R:] if R > 0 else '')
        i += 1
    if '元' not in U and t:
        S = S[:len(S) - len(t)] + t
    if a < 1 and S:
        S = '零' + S[1:]
    return cleanup(S)


def cleanup(X):
    L = len(X)
    i = 1
    while i <= L:
        two = X[i - 1:i + 1]
        rep = {'拾万': '拾万零', '佰万': '佰万零', '仟万': '仟万零', '仟拾': '仟零', '佰拾': '佰零', '万拾': '万零'}.get(two)
        if rep:
            X = X[:i - 1] + rep + X[i + 1:]
            i += 1
        i += 1
    L = len(X)
    r = s0 = 0
    j = 1
    while j <= L:
        if at(X, j) == '零':
            if r == 0:
                s0 = j - 1
            r += 1
        else:
            if r > 1:
                X = X[:s0] + '零' + X[j - 1:]
                j = s0 + 1
            r = 0
            s0 = 0
        j += 1
    return X


def fixed(a):
    S = caps(lay(number_text(a * 100), FULL))
    if '零角零分' in S:
        return S[:S.index('零角零分')]
    if '零分' in S:
        return S[:S.index('零分')]
    return S


if __name__ == '__main__':
    ex = [(1005.30, '壹仟零伍元叁角整'), (5.30, '伍元叁角整'), (5, '伍元整'), (100, '壹佰元整'), (0.5, '零元伍角整'),
          (0.05, '零元零角伍分'), (0.29, '零元贰角玖分'), (1010.01, '壹仟零壹拾元零角壹分'), (20000.08, '贰万元零角捌分'),
          (100000, '壹拾万零元整'), (105000, '壹拾万零伍仟元整'), (10010000, '壹仟零壹万元整'), (100000000, '壹亿万元整'),
          (123456789.12, '壹亿贰仟叁佰肆拾伍万陆仟柒佰捌拾玖元壹角贰分'), (0, '/'), (5.309, '伍元叁角整')]
    bad = 0
    for a, want in ex:
        got = template(a, '元#角#分;2')
        if got != want:
            bad += 1
            print('T', a, got, want)
    for a, T, want in ((1005.30, '元;0', '壹仟零伍元'), (12.5, '点#;1', '壹拾贰点伍'), (12, '点#;1', '壹拾贰'),
                       (0.5, '点#;1', '零点伍')):
        got = template(a, T)
        if got != want:
            bad += 1
            print('T2', a, T, got, want)
    for a, want in ((1005.30, '壹仟零佰零拾伍圆叁角'), (5.30, '伍圆叁角'), (100, '壹佰零拾零圆'), (0.5, '伍角'),
                    (0.05, '伍分'), (1010.01, '壹仟零佰壹拾零圆零角壹分'), (105000, '壹拾零万伍仟零佰零拾零圆'),
                    (123456789.12, '壹亿贰仟叁佰肆拾伍万陆仟柒佰捌拾玖圆壹角贰分')):
        got = fixed(a)
        if got != want:
            bad += 1
            print('F', a, got, want)
    raise SystemExit(1 if bad else 0)
