// Writes calendar/LunarTables.gen.cpp: the term, solar-to-lunar and
// lunar-to-solar tables of 1900..2050, from lunar-javascript. Before writing,
// it decodes its own tables for every day and compares them with
// lunar-javascript and with the reference calendar TSV; any disagreement
// stops it with a non-zero exit status.
//
//   node generate.mjs [--reference FILE] [--out FILE]
import { existsSync, readFileSync, writeFileSync } from 'node:fs';
import { basename, dirname, resolve } from 'node:path';
import { fileURLToPath } from 'node:url';
import { parseArgs } from 'node:util';

import {
    decodeLunarToSolar, decodeSolarToLunar, decodeTermWord,
    encodeLunarToSolar, encodeSolarToLunar, encodeTermWord, solarDay,
} from './layout.mjs';
import {
    Solar, dayIndex, fromDayIndex, lunarMonths, monthLength, roundToMinute, sourceName, termMoments, ymd,
} from './source.mjs';

const FIRST = 1900;
const LAST = 2050;
const here = dirname(fileURLToPath(import.meta.url));

const { values: args } = parseArgs({
    options: {
        reference: { type: 'string', default: '../../../shared/reference/chinese-calendar-104bce-2200.tsv' },
        out: { type: 'string', default: '../../calendar/LunarTables.gen.cpp' },
    },
});
const referencePath = resolve(here, args.reference);
const outPath = resolve(here, args.out);
if (!existsSync(referencePath)) {
    console.error(`no reference calendar at ${referencePath} (pass --reference FILE)`);
    process.exit(2);
}

// ---- the calendar from lunar-javascript

const months = lunarMonths(FIRST - 1, LAST + 1);
const firstDay = months[0].start;
const dayMonth = []; // day index - firstDay -> lunar month running that day
for (const [i, lm] of months.entries()) {
    const end = i + 1 < months.length ? months[i + 1].start : lm.start + lm.days;
    if (end - lm.start !== lm.days) throw new Error(`lunar ${lm.year}/${lm.month} has a gap after it`);
    for (let n = lm.start; n < end; n++) dayMonth[n - firstDay] = lm;
}
const runningOn = (n) => {
    const month = dayMonth[n - firstDay];
    return { month, day: n - month.start + 1 };
};
const monthKey = (y, m, leap) => `${y}/${m}${leap ? 'L' : ''}`;
const monthByKey = new Map(months.map((lm) => [monthKey(lm.year, lm.month, lm.leap), lm]));

// ---- the three tables

const termWords = [];
const roundedTerms = [];
const solarToLunarWords = [];
const lunarToSolarWords = [];
for (let Y = FIRST; Y <= LAST; Y++) {
    const moments = termMoments(Y);
    const rounded = moments.map((pair) => pair.map(roundToMinute));
    rounded.forEach((pair, i) =>
        pair.forEach((t) => {
            if (t.m !== i + 1) throw new Error(`a term of ${Y}-${i + 1} rounds into month ${t.m}`);
        }));
    roundedTerms.push(rounded);
    termWords.push(rounded.map(([first, second]) => encodeTermWord(first, second)));

    const s2l = [];
    for (let M = 1; M <= 12; M++) {
        const day1 = dayIndex(Y, M, 1);
        const startedIn = [];
        for (let D = 1; D <= monthLength(Y, M); D++) {
            const r = runningOn(day1 + D - 1);
            if (r.day === 1) startedIn.push({ month: r.month, day: D });
        }
        s2l.push(encodeSolarToLunar(Y, M, startedIn, runningOn(day1)));
    }
    solarToLunarWords.push(s2l);

    const l2s = [];
    for (let m = 1; m <= 12; m++) {
        const ordinary = monthByKey.get(monthKey(Y, m, false));
        if (!ordinary) throw new Error(`${sourceName} has no lunar month ${Y}/${m}`);
        l2s.push(encodeLunarToSolar(Y, m, ordinary, monthByKey.get(monthKey(Y, m, true))));
    }
    lunarToSolarWords.push(l2s);
}

// ---- cross-checks on the encoded words

const faults = [];
const fault = (text) => {
    if (faults.length < 40) console.error(text);
    faults.push(text);
};
const s2lWord = (y, m) => solarToLunarWords[y - FIRST][m - 1];
const l2sWord = (y, m) => lunarToSolarWords[y - FIRST][m - 1];
const sameLunar = (a, b) => a.year === b.year && a.month === b.month && a.leap === b.leap && a.day === b.day;
const showLunar = (l) => `${l.year}/${l.leap ? 'leap ' : ''}${l.month}/${l.day}`;

// Every solar day: the solar-to-lunar word against lunar-javascript's own
// day conversion, then back through the lunar-to-solar word.
let solarDays = 0;
const firstTableDay = dayIndex(FIRST, 1, 1);
const lastTableDay = dayIndex(LAST, 12, 31);
for (let n = firstTableDay; n <= lastTableDay; n++) {
    const { y, m, d } = fromDayIndex(n);
    const got = decodeSolarToLunar(s2lWord(y, m), y, m, d);
    const l = Solar.fromYmd(y, m, d).getLunar();
    const want = { year: l.getYear(), month: Math.abs(l.getMonth()), leap: l.getMonth() < 0, day: l.getDay() };
    if (!sameLunar(got, want)) fault(`${ymd({ y, m, d })}: table ${showLunar(got)}, source ${showLunar(want)}`);
    solarDays++;
    if (got.year < FIRST) continue; // lunar 1899 is not in the lunar-to-solar table
    const back = decodeLunarToSolar(l2sWord(got.year, got.month), got.year, got.month, got.day, got.leap);
    if (back.error || solarDay(back) !== n) fault(`${ymd({ y, m, d })}: lunar ${showLunar(got)} goes back to ${back.error ?? ymd(back)}`);
}

// Every lunar date of the table years, leap months and day 30 included,
// and the two ways a lunar date can fail.
let lunarDates = 0;
for (const lm of months) {
    if (lm.year < FIRST || lm.year > LAST) continue;
    const word = l2sWord(lm.year, lm.month);
    for (let d = 1; d <= 30; d++) {
        const got = decodeLunarToSolar(word, lm.year, lm.month, d, lm.leap);
        const what = `lunar ${showLunar({ year: lm.year, month: lm.month, leap: lm.leap, day: d })}`;
        if (d > lm.days) {
            if (!got.error) fault(`${what} does not exist but gives ${ymd(got)}`);
            continue;
        }
        lunarDates++;
        if (got.error || solarDay(got) !== lm.start + d - 1) {
            fault(`${what}: table ${got.error ?? ymd(got)}, source ${ymd(fromDayIndex(lm.start + d - 1))}`);
        }
    }
    if (!lm.leap && !monthByKey.has(monthKey(lm.year, lm.month, true))) {
        const got = decodeLunarToSolar(word, lm.year, lm.month, 1, true);
        if (got.error !== `此年没有闰${lm.month}月,请重新确定月份！`) fault(`${lm.year} has no leap ${lm.month} but gives ${got.error ?? ymd(got)}`);
    }
}

// The reference calendar: month starts and leap months on every day.
function referenceCalendar(path) {
    const starts = [];
    for (const line of readFileSync(path, 'utf8').split('\n')) {
        if (!/^-?\d/.test(line)) continue; // comments and the header
        const f = line.split('\t').map(Number);
        const year = f[0];
        if (year < FIRST - 1 || year > LAST + 1) continue;
        const dec31 = dayIndex(year - 1, 12, 31);
        for (let k = 1; k <= 12; k++) starts.push({ year, month: k, leap: false, start: dec31 + f[k] });
        if (f[14] !== 0) starts.push({ year, month: f[14], leap: true, start: dec31 + f[13] });
    }
    return starts.sort((a, b) => a.start - b.start);
}

let referenceDays = 0;
const reference = referenceCalendar(referencePath);
let r = 0;
for (let n = dayIndex(FIRST, 1, 31); n <= lastTableDay; n++) {
    while (reference[r + 1].start <= n) r++;
    const ref = reference[r];
    const want = { year: ref.year, month: ref.month, leap: ref.leap, day: n - ref.start + 1 };
    const { y, m, d } = fromDayIndex(n);
    const got = decodeSolarToLunar(s2lWord(y, m), y, m, d);
    if (!sameLunar(got, want)) fault(`${ymd({ y, m, d })}: table ${showLunar(got)}, reference ${showLunar(want)}`);
    referenceDays++;
}

// Terms: the words give back the rounded moments, in order within the year.
let termCount = 0;
let carried = 0;
let previous = null;
for (let Y = FIRST; Y <= LAST; Y++) {
    const moments = termMoments(Y);
    for (let M = 1; M <= 12; M++) {
        for (const which of [1, 2]) {
            const want = roundedTerms[Y - FIRST][M - 1][which - 1];
            const got = decodeTermWord(termWords[Y - FIRST][M - 1], which);
            if (got.d !== want.d || got.h !== want.h || got.mi !== want.mi) fault(`term ${Y}-${M}/${which} does not round-trip`);
            if (moments[M - 1][which - 1].h !== want.h) carried++;
            const n = dayIndex(Y, M, got.d);
            if (previous !== null && (n - previous < 14 || n - previous > 16)) fault(`term ${Y}-${M}/${which} is ${n - previous} days after the one before`);
            previous = n;
            termCount++;
        }
    }
}

// The rows the layout description spells out.
const telling = [
    [decodeTermWord(termWords[2000 - FIRST][1], 1), { d: 4, h: 20, mi: 40 }, '立春 2000-02-04 20:40'],
    [decodeTermWord(termWords[2000 - FIRST][1], 2), { d: 19, h: 16, mi: 33 }, '雨水 2000-02-19 16:33'],
    [decodeTermWord(termWords[2000 - FIRST][0], 1), { d: 6, h: 9, mi: 1 }, '小寒 2000-01-06 09:01'],
    [s2lWord(2000, 2) & 0xffff, 4 | (1 << 5) | (25 << 8) | (2 << 13), 'solar-to-lunar word of 2000-02'],
    [l2sWord(2000, 1) & 0xffff, 4 | (1 << 5) | (1 << 7) | (25 << 8) | (2 << 13), 'lunar-to-solar word of 2000/1'],
    [decodeSolarToLunar(s2lWord(1900, 1), 1900, 1, 1), { year: 1899, month: 12, leap: false, day: 1 }, '1900-01-01'],
    [decodeLunarToSolar(l2sWord(2033, 11), 2033, 11, 1, true), { y: 2033, m: 12, d: 22 }, 'lunar 2033 leap 11/1'],
    [decodeLunarToSolar(l2sWord(1938, 1), 1938, 1, 30, false), { y: 1938, m: 3, d: 1 }, 'lunar 1938/1/30'],
    [decodeLunarToSolar(l2sWord(1957, 1), 1957, 1, 30, false), { y: 1957, m: 3, d: 1 }, 'lunar 1957/1/30'],
    [decodeSolarToLunar(s2lWord(2000, 7), 2000, 7, 31), { year: 2000, month: 7, leap: false, day: 1 }, '2000-07-31'],
    [decodeSolarToLunar(s2lWord(2000, 7), 2000, 7, 1), { year: 2000, month: 5, leap: false, day: 30 }, '2000-07-01'],
    [decodeLunarToSolar(l2sWord(2000, 2), 2000, 2, 1, true).error, '此年没有闰2月,请重新确定月份！', 'leap 2 of 2000'],
];
for (const [got, want, what] of telling) {
    if (JSON.stringify(got) !== JSON.stringify(want)) fault(`${what}: ${JSON.stringify(got)}, expected ${JSON.stringify(want)}`);
}

console.log(`source: ${sourceName}; reference: ${basename(referencePath)}`);
console.log(`solar days 1900-01-01..2050-12-31 checked against the source: ${solarDays}`);
console.log(`lunar dates of lunar ${FIRST}..${LAST} converted back: ${lunarDates}`);
console.log(`days 1900-01-31..2050-12-31 checked against the reference: ${referenceDays}`);
console.log(`terms: ${termCount} (rounding carried into the next hour for ${carried}); telling rows: ${telling.length}`);
if (faults.length > 0) {
    console.error(`${faults.length} disagreements; nothing written`);
    process.exit(1);
}

// ---- output

const hex = (w) => `0x${w.toString(16).toUpperCase().padStart(8, '0')}`;
function table(name, what, rows) {
    const lines = [`// ${what}`, `const std::uint32_t ${name}[151][12] = {`];
    rows.forEach((row, i) => {
        lines.push(`    // ${FIRST + i}`);
        lines.push(`    {${row.slice(0, 6).map(hex).join(', ')},`);
        lines.push(`     ${row.slice(6).map(hex).join(', ')}},`);
    });
    lines.push('};');
    return lines.join('\n');
}

const text = [
    `// Generated by tools/lunar-tables/generate.mjs from ${sourceName}; never edit by hand.`,
    '// Checked day by day against shared/reference/chinese-calendar-104bce-2200.tsv.',
    '#include "calendar/LunarTables.h"',
    '',
    '// clang-format off',
    'namespace varrow::tables {',
    '',
    table('kTermWords', 'Solar terms by Gregorian year and month.', termWords),
    '',
    table('kSolarToLunarWords', 'Lunar dates by Gregorian year and month.', solarToLunarWords),
    '',
    table('kLunarToSolarWords', 'Solar dates by lunar year and month.', lunarToSolarWords),
    '',
    '} // namespace varrow::tables',
    '// clang-format on',
    '',
].join('\n');
writeFileSync(outPath, text);
console.log(`wrote ${args.out}`);
