// What the tables are made from and checked against: lunar-javascript's lunar
// months and solar-term moments (Beijing time, to the second), plus plain
// Gregorian day arithmetic.
import { createRequire } from 'node:module';

const require = createRequire(import.meta.url);
const lunar = require('lunar-javascript');
export const { Solar, Lunar, LunarYear } = lunar;
export const sourceName = `lunar-javascript ${require('lunar-javascript/package.json').version}`;

const MS_PER_DAY = 86400000;

// Days since 1970-01-01 of a Gregorian date (all our dates are after 1582).
export function dayIndex(y, m, d) {
    return Math.round(Date.UTC(y, m - 1, d) / MS_PER_DAY);
}

export function fromDayIndex(n) {
    const t = new Date(n * MS_PER_DAY);
    return { y: t.getUTCFullYear(), m: t.getUTCMonth() + 1, d: t.getUTCDate() };
}

export function monthLength(y, m) {
    return dayIndex(m === 12 ? y + 1 : y, m === 12 ? 1 : m + 1, 1) - dayIndex(y, m, 1);
}

export function ymd({ y, m, d }) {
    return `${y}-${String(m).padStart(2, '0')}-${String(d).padStart(2, '0')}`;
}

// Every lunar month that begins in lunar years first..last, in order:
// { year, month, leap, days, start } with start a day index.
export function lunarMonths(first, last) {
    const byStart = new Map();
    for (let y = first - 1; y <= last + 1; y++) {
        for (const lm of LunarYear.fromYear(y).getMonths()) {
            const s = Solar.fromJulianDay(lm.getFirstJulianDay());
            const start = dayIndex(s.getYear(), s.getMonth(), s.getDay());
            const month = {
                year: lm.getYear(),
                month: Math.abs(lm.getMonth()),
                leap: lm.getMonth() < 0,
                days: lm.getDayCount(),
                start,
            };
            if (month.year >= first && month.year <= last) byStart.set(start, month);
        }
    }
    return [...byStart.values()].sort((a, b) => a.start - b.start);
}

// Term names by Gregorian month: [first term, second term].
export const termNames = [
    ['小寒', '大寒'], ['立春', '雨水'], ['惊蛰', '春分'], ['清明', '谷雨'],
    ['立夏', '小满'], ['芒种', '夏至'], ['小暑', '大暑'], ['立秋', '处暑'],
    ['白露', '秋分'], ['寒露', '霜降'], ['立冬', '小雪'], ['大雪', '冬至'],
];

// lunar-javascript repeats the terms at the ends of its table under these keys.
const aliases = {
    DA_XUE: '大雪', DONG_ZHI: '冬至', XIAO_HAN: '小寒', DA_HAN: '大寒',
    LI_CHUN: '立春', YU_SHUI: '雨水', JING_ZHE: '惊蛰',
};

// The 24 term moments of Gregorian year y to the second, Beijing time:
// result[month - 1][which] = { y, m, d, h, mi, s }.
export function termMoments(y) {
    const found = new Map();
    for (const probe of [Solar.fromYmd(y, 1, 1), Solar.fromYmd(y, 7, 1), Solar.fromYmd(y, 12, 31)]) {
        for (const [key, s] of Object.entries(probe.getLunar().getJieQiTable())) {
            if (s.getYear() !== y) continue;
            found.set(`${aliases[key] ?? key}/${s.getMonth()}`, {
                y, m: s.getMonth(), d: s.getDay(), h: s.getHour(), mi: s.getMinute(), s: s.getSecond(),
            });
        }
    }
    return termNames.map((names, i) =>
        names.map((name) => {
            const t = found.get(`${name}/${i + 1}`);
            if (!t) throw new Error(`no ${name} in ${y}-${i + 1} from ${sourceName}`);
            return t;
        }));
}

// A moment to the second rounded to the nearest minute (half a minute goes
// up); the carry may reach the next hour, day or month.
export function roundToMinute(t) {
    const ms = Date.UTC(t.y, t.m - 1, t.d, t.h, t.mi, t.s);
    const r = new Date(Math.round(ms / 60000) * 60000);
    return {
        y: r.getUTCFullYear(), m: r.getUTCMonth() + 1, d: r.getUTCDate(),
        h: r.getUTCHours(), mi: r.getUTCMinutes(),
    };
}
