// Writes calendar/LeapMonths.gen.cpp, the leap-month table of -849..2100.
//
//   node generate.mjs --reference FILE --build DIR [--out FILE] [--check]
//   (DEBUG_YEAR=Y also prints every day of year Y, computed and source month)
//
// Sources:
//  - from the Chinese year -105 on: the reference calendar TSV (month starts
//    and leap months of the calendar actually in use, 104 BC .. AD 2200);
//  - before it, where no day-exact record exists: the traditional rules of
//    the calendars of the time, applied to our own new moons and terms. Up to
//    the year -256 (257 BC) the Zhou reckoning (the year opens with the month
//    of the winter solstice, and a thirteenth month is the leap twelfth at the
//    year's end); from -255 (256 BC) the Qin reckoning (the year opens with
//    the month of 小雪, the tenth, and a thirteenth month is the 后九月 at the
//    year's end). Years are astronomical throughout (0 is 1 BC).
//
// It compiles tools/leap-months/dump.cpp against DIR/libvarrow_core.a to get
// our own lunar days, lunation counts and principal terms for every day, then
// chooses each year's entry so that the month numbering of the computed
// calendar (re-implemented here on those counts, exactly as CYiDate does it)
// agrees best with the sources, year by year with one year of look-ahead.
// It prints the years where no entry can make every day agree. With --check
// it compares the lunar dates that the built library gives (rebuild after
// generating) with the sources and prints the agreement by century.
import { execFileSync } from 'node:child_process';
import { existsSync, readFileSync, writeFileSync } from 'node:fs';
import { dirname, resolve } from 'node:path';
import { fileURLToPath } from 'node:url';
import { parseArgs } from 'node:util';

const here = dirname(fileURLToPath(import.meta.url));
const root = resolve(here, '../..');
const FIRST = -849;
const LAST = 2100;

const { values: args } = parseArgs({
    options: {
        reference: { type: 'string' },
        build: { type: 'string' },
        out: { type: 'string', default: resolve(root, 'calendar/LeapMonths.gen.cpp') },
        check: { type: 'boolean', default: false },
    },
});
if (!args.reference || !existsSync(args.reference) || !args.build) {
    console.error('usage: node generate.mjs --reference chinese-calendar-104bce-2200.tsv --build BUILD_DIR [--check]');
    process.exit(2);
}

// ---------------------------------------------------------------- our days

function dumpDays() {
    const exe = resolve(args.build, 'leap-months-dump');
    execFileSync('g++', ['-std=c++20', '-O2', '-I', root, resolve(here, 'dump.cpp'),
        resolve(args.build, 'libvarrow_core.a'), '-o', exe], { stdio: 'inherit' });
    const text = execFileSync(exe, { maxBuffer: 1 << 30, encoding: 'utf8' });
    const days = [];
    const terms = new Map(); // year -> day numbers of term numbers 2, 4, .., 24
    for (const line of text.split('\n')) {
        if (!line) continue;
        const f = line.split('\t');
        if (f[0] === 'T') {
            terms.set(+f[1], f.slice(2).map(Number));
            continue;
        }
        const [dn, y, m, d, ld, lun, ly, lm, leap, lday] = f.map(Number);
        days.push({ dn, y, m, d, ld, lun, out: { year: ly, month: lm, leap: leap === 1, day: lday } });
    }
    return { days, terms };
}

const { days, terms } = dumpDays();
const firstDn = days[0].dn;
const dayAt = (dn) => days[dn - firstDn];
const jan1 = new Map(days.filter((x) => x.m === 1 && x.d === 1).map((x) => [x.y, x.dn]));

// ----------------------------------------------------------- the algorithm

function eraOffset(y) {
    if (y <= -722) return 4;
    if (y <= -256) return 3;
    if (y === -255) return 1;
    if (y <= 8) return 0;
    if (y <= 23) return 1;
    if (y <= 237) return 0;
    if (y <= 240) return 1;
    return 0;
}
const mod = (a, n) => ((a % n) + n) % n;

// The lunar month of a day (negative for a leap month), as CYiDate::LunarMonthOf
// computes it from the table; count(y) = entries up to and including y.
function monthOf(x, entry, count) {
    const n = count(x.y);
    const m = mod(x.lun - n + eraOffset(x.y) - 3, 12) + 1;
    const lp = entry(x.y), lq = entry(x.y - 1);
    if (m === lq && x.m === 1 && x.d < x.ld) return -m;
    if (m === lp) {
        if ((x.m === 1 || m > x.m + 6) && lp !== 12) return m + 1;
        if (lp === 12 && x.m <= 3) return 1;
        return -m;
    }
    let r = m;
    if ((m < lp && !(m < x.m - 6)) || (m > x.m && lp !== 0)) r = m === 12 ? 1 : m + 1;
    if (lq === 12 && x.m < 3 && r === 12) return -12;
    if (lq === 12 && x.m === 1 && r === 11) return 12;
    return r;
}

// ------------------------------------------------------------- the sources

// Months of the reference: { year, month, leap, start } by start day number.
function referenceMonths() {
    const months = [];
    let end = 0;
    for (const line of readFileSync(args.reference, 'utf8').split('\n')) {
        if (!line || line.startsWith('#') || line.startsWith('year')) continue;
        const f = line.split('\t').map(Number);
        const year = f[0];
        if (!jan1.has(year)) continue;
        const base = jan1.get(year) - 1;
        for (let i = 1; i <= 12; i++) months.push({ year, month: i, leap: false, start: base + f[i] });
        if (f[14] !== 0) months.push({ year, month: f[14], leap: true, start: base + f[13] });
        end = base + f[1] + f[15];
    }
    months.sort((a, b) => a.start - b.start);
    return { months, end };
}

// Months before the reference, by the rules of the Zhou and Qin calendars.
function traditionalMonths(until) {
    const starts = days.filter((x) => x.ld === 1).map((x) => x.dn);
    const lunationOf = (dn) => { // last start on or before dn
        let lo = 0, hi = starts.length - 1;
        while (lo < hi) {
            const mid = (lo + hi + 1) >> 1;
            if (starts[mid] <= dn) lo = mid;
            else hi = mid - 1;
        }
        return lo;
    };
    // Term number 22 (小雪) and 24 (冬至) of each year, as lunation indexes.
    const anchors = (termNo) => [...terms.keys()].map((y) => lunationOf(terms.get(y)[termNo / 2 - 1]));
    const solstice = anchors(24), lesserSnow = anchors(22);
    const qinFrom = jan1.get(-255);
    const label = new Map(); // lunation index -> { month, leap }
    const numberYear = (from, to, first, leapAfter) => {
        for (let i = from, k = 0; i < to; i++, k++) {
            if (k === 12) label.set(i, { month: leapAfter, leap: true });
            else label.set(i, { month: mod(first - 1 + k, 12) + 1, leap: false });
        }
    };
    // Zhou: from the solstice month; the months before the first anchor count back.
    for (let i = 0; i < solstice[0]; i++) label.set(i, { month: mod(12 - (solstice[0] - i) , 12) + 1, leap: false });
    for (let j = 0; j + 1 < solstice.length && starts[solstice[j]] < qinFrom; j++) numberYear(solstice[j], solstice[j + 1], 1, 12);
    // Qin: from the month of 小雪 (the tenth); the year -255 runs on from January.
    const firstQin = starts.findIndex((s) => s >= qinFrom);
    const q0 = lesserSnow.find((i) => i >= firstQin);
    for (let i = firstQin; i < q0; i++) label.set(i, { month: mod(10 - (q0 - i) - 1, 12) + 1, leap: false });
    for (let j = lesserSnow.indexOf(q0); j + 1 < lesserSnow.length && starts[lesserSnow[j]] < until; j++)
        numberYear(lesserSnow[j], lesserSnow[j + 1], 10, 9);
    let months = [];
    for (const [i, l] of label) if (starts[i] < until) months.push({ year: null, ...l, start: starts[i], first: starts[i] });
    months.sort((a, b) => a.start - b.start);
    // The era offsets change on 1 January; the month running then is split.
    // From the year -255 the months carry their Qin (Xia) numbers.
    const split = (b, label) => {
        const k = months.findIndex((mo) => mo.start > b) - 1;
        if (months[k].start < b) months.splice(k + 1, 0, { ...months[k], ...label(k), start: b });
    };
    split(qinFrom, (k) => ({ month: mod(months[k + 1].month - 2, 12) + 1, leap: false }));
    // In the years -721 and -254 the offset drops by one without a new year start:
    // the drop stands for a leap month, so the months after it are numbered
    // one lower and the next leap month of the rules becomes ordinary.
    for (const b of [jan1.get(-721), jan1.get(-254)]) {
        split(b, (k) => ({ month: mod(months[k].month - 2, 12) + 1, leap: false }));
        let k = months.findIndex((mo) => mo.start === b) + 1;
        for (; k < months.length && !months[k].leap; k++) months[k] = { ...months[k], month: mod(months[k].month - 2, 12) + 1 };
        if (k < months.length) months[k] = { ...months[k], leap: false };
    }
    return months;
}

const reference = referenceMonths();
const refFrom = reference.months[0].start;
const allMonths = [...traditionalMonths(refFrom), ...reference.months];

// Target of every day: month number in the numbering the era offsets give
// (Xia numbering shifted by one in the Xin and Jingchu years), leap flag,
// lunar day, and the source's lunar year (reference years only).
const targetShift = (y) => (y >= 9 && y <= 240 ? eraOffset(y) : 0);
for (let i = 0, k = 0; i < days.length; i++) {
    const x = days[i];
    while (k + 1 < allMonths.length && allMonths[k + 1].start <= x.dn) k++;
    const mo = allMonths[k];
    if (mo.start > x.dn || x.dn >= reference.end) continue;
    x.target = {
        month: mod(mo.month + targetShift(x.y) - 1, 12) + 1,
        leap: mo.leap,
        day: x.dn - (mo.first ?? mo.start) + 1,
        year: mo.year,
        fromReference: mo.year !== null,
    };
}

// ------------------------------------------------------ choosing the table

const entries = new Map();
const entry = (y) => entries.get(y) ?? 0;
// Running count: the table is built in year order, so keep prefix sums.
const prefix = new Map();
const countFast = (y) => (y < FIRST ? 0 : prefix.get(y) ?? (prefix.get(y - 1) ?? 0) + (entry(y) ? 1 : 0));

const byYear = new Map();
for (const x of days) {
    if (x.y > LAST) continue;
    if (!byYear.has(x.y)) byYear.set(x.y, []);
    byYear.get(x.y).push(x);
}
const sameMonth = (x, m) => x.target && Math.abs(m) === x.target.month && (m < 0) === x.target.leap;
function score(y) {
    let s = 0;
    for (const x of byYear.get(y)) if (sameMonth(x, monthOf(x, entry, countFast))) s++;
    return s;
}
// Leap months of the sources that begin in a year, in the year's numbering.
const leapsStarting = new Map();
for (const mo of allMonths) {
    if (!mo.leap) continue;
    const x = dayAt(mo.start);
    if (!x) continue;
    const v = mod(mo.month + targetShift(x.y) - 1, 12) + 1;
    if (!leapsStarting.has(x.y)) leapsStarting.set(x.y, []);
    leapsStarting.get(x.y).push(v);
}
const candidates = (y) => [...new Set([...(leapsStarting.get(y - 1) ?? []), ...(leapsStarting.get(y) ?? []),
    ...(leapsStarting.get(y + 1) ?? []), 0])];
function trySet(y, v) {
    entries.set(y, v);
    prefix.set(y, (y > FIRST ? prefix.get(y - 1) : 0) + (v ? 1 : 0));
}
for (let y = FIRST; y <= LAST; y++) {
    const natural = (leapsStarting.get(y) ?? [0])[0];
    let best = null;
    for (const v of candidates(y)) {
        trySet(y, v);
        let total = score(y);
        if (y < LAST) {
            let ahead = -1;
            for (const w of candidates(y + 1)) {
                trySet(y + 1, w);
                ahead = Math.max(ahead, score(y + 1));
            }
            entries.delete(y + 1);
            prefix.delete(y + 1);
            total += ahead;
        }
        const rank = [total, v === natural ? 1 : 0, v === 0 ? 1 : 0];
        if (!best || rank[0] > best.rank[0] || (rank[0] === best.rank[0] && (rank[1] > best.rank[1] ||
            (rank[1] === best.rank[1] && rank[2] > best.rank[2])))) best = { v, rank };
    }
    trySet(y, best.v);
}

// ------------------------------------------------------------ the report

// A day whose month differs only because our new moon falls a day or two
// from the source's is a boundary day; any other is a numbering fault.
const isBoundary = (x, m) => [-2, -1, 1, 2].some((k) => { const o = dayAt(x.dn + k); return o && sameMonth(o, m); });
const misses = [];
let boundaryDays = 0, boundaryYears = 0;
for (let y = FIRST; y <= LAST; y++) {
    const bad = byYear.get(y).filter((x) => x.target && !sameMonth(x, monthOf(x, entry, countFast)));
    const faults = bad.filter((x) => !isBoundary(x, monthOf(x, entry, countFast)));
    boundaryDays += bad.length - faults.length;
    if (bad.length > faults.length) boundaryYears++;
    if (faults.length) misses.push({ y, n: faults.length, from: faults[0], to: faults[faults.length - 1] });
}
const leapYears = [...entries.values()].filter((v) => v).length;
const iso = (x) => `${x.y}-${String(x.m).padStart(2, '0')}-${String(x.d).padStart(2, '0')}`;
console.log(`${leapYears} years with a leap month`);
console.log(`${boundaryDays} days in ${boundaryYears} years take the neighbouring month because our new moon ` +
    'falls a day or two from the source\'s');
console.log(`${misses.length} years where the month numbering cannot follow the sources:`);
for (const m of misses) console.log(`  ${m.y}: ${m.n} days, ${iso(m.from)} .. ${iso(m.to)}`);
if (process.env.DEBUG_YEAR) {
    for (const x of byYear.get(+process.env.DEBUG_YEAR))
        console.log(iso(x), x.ld, x.lun, monthOf(x, entry, countFast), JSON.stringify(x.target));
}

// ------------------------------------------------------------ the table

const code = (v) => (v >= 10 ? `'${v - 9}'` : String(v));
const lines = [
    '// Generated by tools/leap-months/generate.mjs from shared/reference/chinese-calendar-104bce-2200.tsv ' +
        '(from the year -105 on) and the Zhou and Qin calendar rules (before); never edit by hand.',
    '#include "calendar/LeapMonths.h"',
    '',
    'namespace varrow::tables {',
    '',
    '// clang-format off',
    'const unsigned char kLeapMonths[kLeapYears] = {',
];
for (let y = FIRST; y <= LAST; y += 20) {
    const row = [];
    for (let z = y; z < Math.min(y + 20, LAST + 1); z++) row.push(code(entry(z)));
    lines.push(`    ${row.join(', ')}, // ${y}`);
}
lines.push('};', '// clang-format on', '', '} // namespace varrow::tables', '');
const text = lines.join('\n');
if (!args.check) {
    writeFileSync(args.out, text);
    console.log(`wrote ${args.out}`);
}

// ------------------------------------------------------------- the check

if (args.check) {
    // The built library against the table just derived and the sources.
    let differs = 0;
    for (const x of days) {
        if (x.y > LAST || (x.y >= 1900 && x.y <= 2050)) continue; // the library reads its tables there
        const m = monthOf(x, entry, countFast);
        if (Math.abs(m) !== x.out.month || (m < 0) !== x.out.leap) {
            if (differs++ < 10) console.log(`  ${iso(x)}: library ${x.out.leap ? '-' : ''}${x.out.month}, script ${m}`);
        }
    }
    console.log(`days where the library's month differs from this script's: ${differs}` +
        (differs ? ' (rebuild after generating)' : ''));
    const byCentury = new Map();
    for (const x of days) {
        if (x.y > LAST || !x.target?.fromReference) continue;
        const c = Math.floor((x.y) / 100);
        const s = byCentury.get(c) ?? { all: 0, month: 0, date: 0 };
        s.all++;
        const t = x.target, o = x.out;
        if (o.month === t.month && o.leap === t.leap) {
            s.month++;
            if (o.day === t.day) s.date++;
        }
        byCentury.set(c, s);
    }
    console.log('century\tdays\tmonth agrees\tmonth and day agree');
    for (const [c, s] of [...byCentury].sort((a, b) => a[0] - b[0])) {
        const from = c * 100, to = from + 99;
        const pct = (v) => (100 * v / s.all).toFixed(2) + '%';
        console.log(`${from}..${to}\t${s.all}\t${pct(s.month)}\t${pct(s.date)}`);
    }
}
