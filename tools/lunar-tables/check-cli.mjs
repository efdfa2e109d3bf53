// Checks the finished program against lunar-javascript: every day's lunar
// date and four pillars from `varrow-cli days` at a few clock times, with and
// without late 子, and every term moment from `varrow-cli terms`.
//
//   node check-cli.mjs PATH/TO/varrow-cli [--from Y-MM-DD] [--to Y-MM-DD]
//
// Exits non-zero when a row disagrees for a reason other than the rounding
// of a term moment to the minute.
import { spawnSync } from 'node:child_process';
import { parseArgs } from 'node:util';

import { Solar, dayIndex, fromDayIndex, sourceName, termMoments, termNames } from './source.mjs';

const { values: opts, positionals } = parseArgs({
    allowPositionals: true,
    options: {
        from: { type: 'string', default: '1900-01-31' },
        to: { type: 'string', default: '2050-12-31' },
    },
});
if (positionals.length !== 1) {
    console.error('usage: node check-cli.mjs PATH/TO/varrow-cli [--from Y-MM-DD] [--to Y-MM-DD]');
    process.exit(2);
}
const cli = positionals[0];

function run(args) {
    const r = spawnSync(cli, args, { encoding: 'utf8', maxBuffer: 1 << 28 });
    if (r.error) throw r.error;
    return { rows: r.stdout.split('\n').filter((l) => l !== '').map((l) => l.split('\t')), status: r.status, stderr: r.stderr.trim() };
}

const parseDate = (s) => {
    const [y, m, d] = s.split('-').map(Number);
    return { y, m, d };
};
// A naive (zone-free) moment in seconds, for differences only.
const seconds = (y, m, d, h, mi, s = 0) => Date.UTC(y, m - 1, d, h, mi, s) / 1000;

// Exact moments of the first terms (节), which open the months of the pillars.
const jieMoments = [];
const firstYear = parseDate(opts.from).y;
const lastYear = parseDate(opts.to).y;
const termsByYear = new Map();
for (let y = firstYear - 1; y <= lastYear + 1; y++) {
    const t = termMoments(y);
    termsByYear.set(y, t);
    for (const [first] of t) jieMoments.push(seconds(first.y, first.m, first.d, first.h, first.mi, first.s));
}
const nearJie = (t) => jieMoments.some((j) => Math.abs(j - t) <= 30);

let failed = false;

// ---- days

const fields = ['weekday', 'lunar year', 'lunar month', 'leap', 'lunar day', 'year pillar', 'month pillar', 'day pillar', 'hour pillar'];

function expectedRow({ y, m, d }, h, mi, lateZi) {
    const solar = Solar.fromYmdHms(y, m, d, h, mi, 0);
    // The lunar date of 23:xx is the next day's unless late 子 keeps the day.
    const lunarDay = h === 23 && !lateZi ? solar.next(1) : solar;
    const l = Solar.fromYmd(lunarDay.getYear(), lunarDay.getMonth(), lunarDay.getDay()).getLunar();
    const ec = solar.getLunar().getEightChar();
    // Sect 1 moves the day pillar of 23:xx to the next day; sect 2 keeps it.
    ec.setSect(lateZi ? 2 : 1);
    return [
        String(solar.getWeek()), String(l.getYear()), String(Math.abs(l.getMonth())), l.getMonth() < 0 ? '1' : '0',
        String(l.getDay()), ec.getYear(), ec.getMonth(), ec.getDay(), ec.getTime(),
    ];
}

function checkDays(time, lateZi) {
    const [h, mi] = time.split(':').map(Number);
    const args = ['days', opts.from, opts.to, '--time', time, ...(lateZi ? ['--late-zi'] : [])];
    const { rows, status, stderr } = run(args);
    const first = dayIndex(...Object.values(parseDate(opts.from)));
    const last = dayIndex(...Object.values(parseDate(opts.to)));
    const byField = new Map();
    const examples = [];
    const termExamples = [];
    let mismatching = 0;
    let atTerm = 0;
    for (let n = first; n <= last; n++) {
        const date = fromDayIndex(n);
        const row = rows[n - first];
        const want = expectedRow(date, h, mi, lateZi);
        const label = `${date.y}-${String(date.m).padStart(2, '0')}-${String(date.d).padStart(2, '0')}`;
        if (!row || row[0] !== label) {
            mismatching++;
            byField.set('missing row', (byField.get('missing row') ?? 0) + 1);
            if (examples.length < 12) examples.push(`${label}: no row (got ${row ? row[0] : 'nothing'})`);
            continue;
        }
        const wrong = fields.filter((_, i) => row[i + 1] !== want[i]);
        if (wrong.length === 0) continue;
        // A pillar that changes at a term: our term moments are rounded to
        // the minute, lunar-javascript's are to the second.
        const pillarsOnly = wrong.every((f) => f === 'year pillar' || f === 'month pillar');
        if (pillarsOnly && nearJie(seconds(date.y, date.m, date.d, h, mi))) {
            atTerm++;
            if (termExamples.length < 3) termExamples.push(`${label} (within 30 s of a term): ${row.slice(1).join(' ')} vs ${want.join(' ')}`);
            continue;
        }
        mismatching++;
        for (const f of wrong) byField.set(f, (byField.get(f) ?? 0) + 1);
        if (examples.length < 12) examples.push(`${label}: ${row.slice(1).join(' ')} vs ${want.join(' ')}`);
    }
    const days = last - first + 1;
    const extra = rows.length > days ? `, ${rows.length - days} extra rows` : '';
    console.log(`days ${opts.from}..${opts.to} at ${time}${lateZi ? ' --late-zi' : ''}: ${days} compared, ` +
        `${mismatching} mismatching, ${atTerm} within term rounding${extra}` +
        (status !== 0 ? `; exit status ${status}: ${stderr}` : ''));
    for (const [f, c] of byField) console.log(`    ${f}: ${c}`);
    for (const e of [...examples, ...termExamples]) console.log(`    ${e}`);
    if (mismatching > 0 || status !== 0 || extra) failed = true;
}

for (const time of ['00:30', '12:00', '23:30']) {
    for (const lateZi of [false, true]) checkDays(time, lateZi);
}

// ---- terms

{
    const { rows, status, stderr } = run(['terms', String(firstYear), String(lastYear)]);
    let largest = 0;
    let largestAt = '';
    let wrong = 0;
    const seen = new Set();
    for (const row of rows) {
        const [y, m, which] = row.slice(0, 3).map(Number);
        const exact = termsByYear.get(y)?.[m - 1]?.[which - 1];
        const [date, clock] = (row[4] ?? '').split(' ');
        if (!exact || row[3] !== termNames[m - 1][which - 1] || !clock) {
            wrong++;
            if (wrong <= 5) console.log(`    bad term row: ${row.join(' ')}`);
            continue;
        }
        seen.add(`${y}/${m}/${which}`);
        const d = parseDate(date);
        const [h, mi] = clock.split(':').map(Number);
        const diff = (seconds(d.y, d.m, d.d, h, mi) - seconds(exact.y, exact.m, exact.d, exact.h, exact.mi, exact.s)) / 60;
        if (Math.abs(diff) > Math.abs(largest)) {
            largest = diff;
            largestAt = `${row[3]} ${row[4]}`;
        }
        if (Math.abs(diff) > 0.5) wrong++;
    }
    const expected = (lastYear - firstYear + 1) * 24;
    console.log(`terms ${firstYear}..${lastYear}: ${rows.length} rows, ${expected - seen.size} missing, ${wrong} off by more than half a minute; ` +
        `largest difference ${largest.toFixed(3)} min (${largestAt})` + (status !== 0 ? `; exit status ${status}: ${stderr}` : ''));
    if (wrong > 0 || seen.size !== expected || status !== 0) failed = true;
}

console.log(`reference: ${sourceName}`);
process.exit(failed ? 1 : 0);
