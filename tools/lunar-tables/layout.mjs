// The bit layouts of the three calendar tables, encoders and decoders.
// The decoders follow the layout description word for word, so the generator
// can prove its own output before writing it.
import { dayIndex, fromDayIndex, monthLength } from './source.mjs';

const bits = (word, shift, width) => (word >>> shift) & ((1 << width) - 1);

function check(cond, what) {
    if (!cond) throw new Error(`cannot encode: ${what}`);
}

// ---- term table: day bits 0-4, hour 5-9, minute 10-15; low half the first term

export function encodeTermHalf({ d, h, mi }) {
    return d | (h << 5) | (mi << 10);
}

export function encodeTermWord(first, second) {
    return (encodeTermHalf(first) | (encodeTermHalf(second) << 16)) >>> 0;
}

export function decodeTermWord(word, which) {
    const half = which === 1 ? word & 0xffff : word >>> 16;
    return { d: bits(half, 0, 5), h: bits(half, 5, 5), mi: bits(half, 10, 6) };
}

// ---- solar-to-lunar table, one word per solar month (low 16 bits)

// Month offset of a lunar month seen from solar month M of year Y: the
// decoder takes M - offset, adding 12 and the year before when below 1.
function monthOffset(Y, M, lm) {
    const off = M - lm.month + (lm.year === Y - 1 ? 12 : 0);
    check(lm.year === Y || lm.year === Y - 1, `lunar year ${lm.year} in solar ${Y}`);
    check(off >= 0 && off <= 3, `month offset ${off} in ${Y}-${M}`);
    return off;
}

// startedIn: the lunar months that begin in this solar month (in order);
// atFirst: the lunar month running on day 1 and its lunar day there.
//
// Eleven solar months of 1900..2050 touch three lunar months (1902-10:
// day 1 ends one month, days 2-30 are a 29-day month, day 31 begins the
// next). The low half holds only two, so such a word carries the third in
// bits 16-23: D1 in bits 16-20 (a lunar month begins on D1 + 1), its month
// offset in bits 21-22 and its leap flag in bit 23. D1 = 0 everywhere else.
export function encodeSolarToLunar(Y, M, startedIn, atFirst) {
    check(startedIn.length <= 2, `${startedIn.length} lunar months begin in ${Y}-${M}`);
    const half = (D0, month) => D0 | (monthOffset(Y, M, month) << 5) | ((month.leap ? 1 : 0) << 7);
    const high = half(atFirst.day - 1, atFirst.month) << 8;
    if (startedIn.length === 0) return (31 | high) >>> 0; // every day reads the second half
    if (startedIn.length === 2 && startedIn[0].day > 1) {
        const [first, later] = startedIn;
        return (half(first.day - 1, first.month) | high | (half(later.day - 1, later.month) << 16)) >>> 0;
    }
    // One start, or starts on the 1st and the 30th/31st: the later start
    // splits the month and the second half describes the month from the 1st.
    const later = startedIn[startedIn.length - 1];
    return (half(later.day - 1, later.month) | high) >>> 0;
}

export function decodeSolarToLunar(word, Y, M, D) {
    const D0 = bits(word, 0, 5);
    const D1 = bits(word, 16, 5);
    let day, month, leap;
    if (D1 > 0 && D > D1) {
        day = D - D1;
        month = M - bits(word, 21, 2);
        leap = bits(word, 23, 1) === 1;
    } else if (D > D0) {
        day = D - D0;
        month = M - bits(word, 5, 2);
        leap = bits(word, 7, 1) === 1;
    } else {
        day = D + bits(word, 8, 5);
        month = M - bits(word, 13, 2);
        leap = bits(word, 15, 1) === 1;
    }
    let year = Y;
    if (month < 1) {
        month += 12;
        year -= 1;
    }
    return { year, month, leap, day };
}

// ---- lunar-to-solar table, one word per (lunar year, month); high half the leap month

export function encodeLunarHalf(Y, m, lm) {
    const s = fromDayIndex(lm.start);
    const A0 = s.m - m + 12 * (s.y - Y);
    check(A0 >= 0 && A0 <= 3, `solar month offset ${A0} of lunar ${Y}/${m}`);
    let C0 = s.d - 1;
    let G = monthLength(s.y, s.m) - C0; // lunar days that fall in the first solar month
    if (s.d === 31 && A0 === 0) {
        // The layout's own code for a month that begins on the 31st of month m.
        C0 = 0;
        G = 1;
    }
    check(!(C0 === 0 && A0 === 0 && s.d !== 31), `lunar ${Y}/${m} begins on the 1st of solar month ${m}`);
    const A1 = Math.min(A0 + 1, 3);
    return C0 | (A0 << 5) | ((lm.days === 30 ? 1 : 0) << 7) | (G << 8) | (A1 << 13);
}

export function encodeLunarToSolar(Y, m, ordinary, leapMonth) {
    let word = encodeLunarHalf(Y, m, ordinary);
    if (leapMonth) word |= (encodeLunarHalf(Y, m, leapMonth) | 0x8000) << 16;
    return word >>> 0;
}

// Returns { y, m, d } or { error } with the calendar's own message.
export function decodeLunarToSolar(word, Y, m, d, leap) {
    const noDate = '不存在这个日期,请重新输入！';
    if (d > 30) return { error: noDate };
    if (leap && bits(word, 31, 1) === 0) return { error: `此年没有闰${m}月,请重新确定月份！` };
    const s = leap ? 16 : 0;
    const C0 = bits(word, s, 5);
    const A0 = bits(word, s + 5, 2);
    const long = bits(word, s + 7, 1) === 1;
    const G = bits(word, s + 8, 5);
    const A1 = bits(word, s + 13, 2);
    if (d === 30 && !long) return { error: noDate };
    let month, day;
    if (C0 === 0 && A0 === 0 && d === G) {
        month = m;
        day = 31;
    } else if (d <= G || G === 0) {
        month = m + A0;
        day = d + C0;
    } else {
        month = m + A1;
        day = d - G;
    }
    let year = Y;
    if (month > 12) {
        month -= 12;
        year += 1;
    }
    // Lunar 1938/1 and 1957/1 begin on 31 January and have 30 days, so
    // their day 30 is 1 March: a day past the end of a solar month goes on
    // into the next one.
    if (day > monthLength(year, month)) {
        day -= monthLength(year, month);
        if (++month > 12) {
            month = 1;
            year += 1;
        }
    }
    return { y: year, m: month, d: day };
}

// Day index of a decoded solar date, or NaN when the date does not exist.
export function solarDay({ y, m, d }) {
    return d >= 1 && d <= monthLength(y, m) ? dayIndex(y, m, d) : NaN;
}
