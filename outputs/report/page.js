// The flight report page: builds the header, summary, charts and track from the data the program
// embedded, using nothing but this page. Every text from the log or the file system goes into
// the page as text (textContent), never as markup.
(function () {
  'use strict';

  const data = JSON.parse(document.getElementById('report-data').textContent);
  const allTexts = JSON.parse(document.getElementById('report-texts').textContent);
  const texts = allTexts[data.lang] || allTexts.en;

  // The chart groups in page order; "other" takes every quantity no other group names.
  const GROUPS = [
    { key: 'height', quantities: ['height', 'climb'] },
    { key: 'speed', quantities: ['speed'] },
    { key: 'voltage', quantities: ['voltage'] },
    { key: 'current', quantities: ['current', 'capacity'] },
    { key: 'temperature', quantities: ['temperature'] },
    { key: 'rotation', quantities: ['rotation'] },
    { key: 'other', quantities: null },
    { key: 'channel', quantities: ['channel'], collapsed: true },
  ];
  const COLOURS = ['#0b6bcb', '#d9480f', '#2b8a3e', '#ae3ec9', '#e8a100', '#c2255c', '#1098ad',
    '#5c940d', '#7048e8', '#868e96', '#a61e4d', '#364fc7'];
  const CHART_HEIGHT = 230;
  // Below the panel's inner width on the narrowest phones (320 pixels), with a scroll bar.
  const CHART_LEAST_WIDTH = 200;
  const SYNC_KEY = 'trelvox';
  // The y axes' numbers are measured before any chart is drawn, so they are drawn in a font the
  // page names: its own, at the chart library's size.
  const AXIS_FONT = '12px ' + getComputedStyle(document.body).fontFamily;
  const AXIS_TITLE_SIZE = 18;
  const AXIS_LEAST_SIZE = 56;  // without the title; room for five digits
  // Beside the numbers: the chart library's tick (10) and gap (5) on the plot's side, and a few
  // pixels apart from the axis title on the other.
  const AXIS_NUMBER_MARGINS = 15 + 4;

  // A number the program wrote with a decimal point, as the page's language writes it.
  function numberText(text) {
    return text.replace('.', texts.decimal);
  }

  // The log's duration, from milliseconds rounded to the tenth as --summary and the logbook give
  // it, so that all three show the same time; the header gives its whole seconds.
  function durationText(milliseconds, withTenths) {
    return withTenths ? clockText(milliseconds, texts.decimal)
      : wholeClockText(Math.floor(Math.floor((milliseconds + 50) / 100) / 10));
  }

  function timeOfDayText(seconds) {
    return twoDigits(Math.floor(seconds / 3600)) + ':' + twoDigits(Math.floor(seconds / 60) % 60) +
      ':' + twoDigits(seconds % 60);
  }

  function sensorName(index) {
    const sensor = data.sensors[index];
    return sensor ? sensor.type.trim() : '';
  }

  // --- Header -------------------------------------------------------------------------------

  function header() {
    const facts = [];
    if (data.log.date) facts.push([texts.date, data.log.date]);
    facts.push([texts.duration, durationText(data.log.duration, false)]);
    facts.push([texts.records, String(data.log.records)]);
    if (data.log.utcStart !== null) facts.push([texts.utcStart, timeOfDayText(data.log.utcStart)]);
    const children = [
      element('div', { class: 'kicker' }, [texts.report]),
      element('h1', { id: 'log-name' }, [data.log.name]),
      element('dl', { class: 'facts' }, facts.map(([term, value]) =>
        element('div', {}, [element('dt', {}, [term]), element('dd', {}, [value])]))),
      element('ul', { class: 'sensors', 'aria-label': texts.sensors }, data.sensors.map((sensor) =>
        element('li', {}, [element('span', { class: 'slot' }, [texts.slot + ' ' + sensor.slot]),
          sensor.type.trim()]))),
    ];
    if (data.links.length > 0) {
      children.push(element('p', { class: 'links' }, [texts.files + ': ', ...data.links.map((link) =>
        element('a', { href: link.href }, [link.label + ' (' + link.file + ')']))]));
    }
    return element('header', { class: 'panel' }, children);
  }

  // --- Summary ------------------------------------------------------------------------------

  function summary() {
    const head = element('tr', {}, [texts.sensor, texts.reading, texts.smallest, texts.largest,
      texts.last, texts.unit].map((title) => element('th', {}, [title])));
    const rows = [];
    let previousSensor = -1;
    for (const row of data.summary) {
      const sensor = data.sensors[row.sensor];
      const first = row.sensor !== previousSensor;
      previousSensor = row.sensor;
      rows.push(element('tr', { class: first ? 'sensor-first' : '', 'data-slot': sensor.slot }, [
        element('td', { class: 'sensor' }, [first ? sensor.slot + ' ' + sensor.type.trim() : '']),
        element('td', { class: 'name' }, [row.name]),
        element('td', { class: 'number' }, [row.min === null ? '---' : numberText(row.min)]),
        element('td', { class: 'number' }, [row.max === null ? '---' : numberText(row.max)]),
        element('td', { class: 'number' }, [row.last === null ? '---' : numberText(row.last)]),
        element('td', { class: 'unit' }, [row.unit]),
      ]));
    }
    const factRows = data.flightFacts.map((fact) => element('tr', { 'data-fact': fact.key }, [
      element('th', {}, [texts['fact.' + fact.key]]),
      element('td', { class: 'number' }, [withUnit(fact.value, fact.unit)]),
      element('td', { class: 'source' }, [fact.sensor]),
    ]));
    const facts = element('table', { id: 'flight-facts' }, [element('tbody', {}, [
      element('tr', {}, [element('th', {}, [texts.records]),
        element('td', { class: 'number' }, [String(data.log.records)])]),
      element('tr', {}, [element('th', {}, [texts.duration]),
        element('td', { class: 'number' }, [durationText(data.log.duration, true)])]),
      ...factRows,
    ])]);
    return element('section', { class: 'panel summary' }, [
      element('h2', {}, [texts.summary]),
      element('div', { class: 'facts-box' }, [facts]),
      element('div', { class: 'table-box' }, [element('table', { id: 'summary-table' }, [
        element('thead', {}, [head]), element('tbody', {}, rows)])]),
    ]);
  }

  // --- Charts -------------------------------------------------------------------------------

  function groupOf(quantity) {
    for (const group of GROUPS) {
      if (group.quantities && group.quantities.includes(quantity)) return group.key;
    }
    return 'other';
  }

  // A series' points from the program's compact text: comma-separated numbers, "n" for no
  // reading, nothing for a repeat of the point before; divided into the reading's unit.
  function decodePoints(text, divisor) {
    if (text === '') return [];
    const items = text.split(',');
    const points = new Array(items.length);
    let previous = null;
    for (let i = 0; i < items.length; i++) {
      const item = items[i];
      if (item !== '') previous = item === 'n' ? null : Number(item) / divisor;
      points[i] = previous;
    }
    return points;
  }

  for (const series of data.series) {
    series.points = decodePoints(series.values, Math.pow(10, series.scale));
  }
  if (data.track) {
    data.track.east = decodePoints(data.track.east, 10);
    data.track.north = decodePoints(data.track.north, 10);
  }

  // A sensor's reading as a legend names it: a name that repeats in the chart takes its sensor's
  // type before it, and, where two sensors of one type repeat it, the sensor's slot as well.
  function seriesLabels(members) {
    const typed = (series) => (series.sensor === null ? '' : sensorName(series.sensor) + ' · ') +
      series.name;
    const repeatedNames = repeatedOf(members, (series) => series.name);
    const repeatedTyped = repeatedOf(members, typed);
    return members.map((series) => {
      const unit = series.unit ? ' [' + series.unit + ']' : '';
      if (!repeatedNames.has(series.name)) return series.name + unit;
      const slot = series.sensor !== null && repeatedTyped.has(typed(series))
        ? data.sensors[series.sensor].slot + ' ' : '';
      return slot + typed(series) + unit;
    });
  }

  function repeatedOf(members, key) {
    const seen = new Set();
    const repeated = new Set();
    for (const series of members) {
      if (seen.has(key(series))) repeated.add(key(series));
      seen.add(key(series));
    }
    return repeated;
  }

  // One y scale per unit; the first two units get an axis, left and right.
  function unitScales(members) {
    const units = [];
    for (const series of members) if (!units.includes(series.unit)) units.push(series.unit);
    return units;
  }

  // The series shown on a chart's y axes: one list per axis, left then right.
  function axisMembers(members) {
    return unitScales(members).slice(0, 2).map((unit) => members.filter((s) => s.unit === unit));
  }

  // A y axis' numbers as the rest of the page writes numbers: digits and the language's decimal
  // separator, no grouping (the chart library would group them as the browser's language does,
  // and "6,000" reads as 6 in German).
  function axisNumbers(u, splits) {
    return splits.map((value) => (value === null ? '' : numberText(String(value))));
  }

  // Tick steps no finer than the readings' decimals (so without 2.5 times the finest power of ten):
  // no tick shows a decimal its readings lack.
  function tickSteps(decimals) {
    const steps = [];
    for (let power = -decimals; power <= 15; power++) {
      for (const step of power > -decimals ? [1, 2, 2.5, 5] : [1, 2, 5]) {
        steps.push(Number((step * 10 ** power).toPrecision(2)));
      }
    }
    return steps;
  }

  function mostDecimals(members) {
    return Math.max(...members.map((member) => member.decimals));
  }

  // A log whose records all share one time spans none, and the chart library would stretch it
  // over 0:00 to 1:40. One second centred on that time puts its readings in the middle of the
  // chart above a single time label, and labels no time before the log starts.
  function timeRange() {
    const first = data.times[0] / 1000;
    if (first !== data.times[data.times.length - 1] / 1000) return undefined;
    return () => [first - 0.5, first + 0.5];
  }

  function chartOptions(members, layout, charts) {
    const units = unitScales(members);
    const labels = seriesLabels(members);
    const scales = { x: { time: false, range: timeRange() } };
    units.forEach((unit) => { scales['u:' + unit] = { auto: true }; });
    const axes = [{
      values: (u, splits) => splits.map(wholeClockText),
      incrs: [1, 2, 5, 10, 15, 30, 60, 120, 300, 600, 900, 1800, 3600, 7200],
      grid: { stroke: '#e9edf1' },
    }];
    axisMembers(members).forEach((shown, i) => {
      axes.push({ scale: 'u:' + shown[0].unit, side: i === 0 ? 3 : 1, label: shown[0].unit,
        labelSize: AXIS_TITLE_SIZE, size: layout.axisSize, font: AXIS_FONT, values: axisNumbers,
        incrs: tickSteps(mostDecimals(shown)), grid: { show: i === 0, stroke: '#e9edf1' } });
    });
    // An empty right axis keeps the plot areas of all charts aligned under one cursor.
    if (units.length === 1) {
      axes.push({ scale: 'u:' + units[0], side: 1, size: layout.axisSize + AXIS_TITLE_SIZE,
        grid: { show: false }, ticks: { show: false },
        values: (u, splits) => splits.map(() => '') });
    }
    const series = [{
      label: texts.time,
      value: (u, v) => (v === null || v === undefined ? '--'
        : clockText(Math.round(v * 1000), texts.decimal)),
    }];
    members.forEach((member, i) => {
      series.push({
        label: labels[i],
        scale: 'u:' + member.unit,
        stroke: COLOURS[i % COLOURS.length],
        // Firefox strokes lines wider than one device pixel several times slower.
        width: 1,
        spanGaps: false,
        // Records that all share one time have no line between them: their readings show as dots.
        points: { show: data.times[0] === data.times[data.times.length - 1] },
        value: (u, v) => (v === null || v === undefined ? '--'
          : withUnit(v.toFixed(member.decimals), member.unit)),
      });
    });
    return {
      width: layout.width,
      height: CHART_HEIGHT,
      scales: scales,
      axes: axes,
      series: series,
      legend: { live: true },
      cursor: { sync: { key: SYNC_KEY, setSeries: false }, drag: { x: true, y: false } },
      hooks: charts.hooks,
    };
  }

  // The smallest and largest of `values` that are not null; Infinity and -Infinity for none.
  function extremes(values) {
    let low = Infinity;
    let high = -Infinity;
    for (const value of values) {
      if (value === null) continue;
      if (value < low) low = value;
      if (value > high) high = value;
    }
    return [low, high];
  }

  // The longest number a y axis of these series can show at any zoom, with 0 for every digit. Its
  // ticks lie within its scale's range, which the chart library pads around the readings in view:
  // by a tenth of their spread, or out to twice their value where they are all one value. The
  // ranges of all readings and of either extreme alone hold all others.
  function longestAxisNumber(members) {
    const ranges = members.map((member) => extremes(member.points));
    const low = Math.min(...ranges.map(([from]) => from));
    const high = Math.max(...ranges.map(([, to]) => to));
    if (low > high) return '';
    const ends = [[low, high], [low, low], [high, high]]
      .flatMap(([from, to]) => uPlot.rangeNum(from, to, 0.1, true));
    const digits = String(Math.floor(Math.max(...ends.map(Math.abs)))).length;
    const decimals = mostDecimals(members);
    return (Math.min(...ends) < 0 ? '-' : '') + '0'.repeat(digits) +
      (decimals > 0 ? '.' + '0'.repeat(decimals) : '');
  }

  // One size for every y axis of every chart, wide enough for the longest number any can show, so
  // that all plot areas keep one left edge and width under the shared cursor.
  function yAxisSize(charts) {
    const context = document.createElement('canvas').getContext('2d');
    context.font = AXIS_FONT;
    const digitWidths = [...'0123456789'].map((digit) => context.measureText(digit).width);
    const widestDigit = String(digitWidths.indexOf(Math.max(...digitWidths)));
    let widest = 0;
    for (const chart of charts.pending) {
      for (const shown of axisMembers(chart.members)) {
        const text = longestAxisNumber(shown).replaceAll('0', widestDigit);
        widest = Math.max(widest, context.measureText(text).width);
      }
    }
    return Math.max(AXIS_LEAST_SIZE, Math.ceil(widest) + AXIS_NUMBER_MARGINS);
  }

  // Charts fill the panel's inner width (its padding and border are 34 pixels), on a phone too.
  function chartWidth(panel) {
    return Math.max(CHART_LEAST_WIDTH, Math.floor(panel.clientWidth) - 34);
  }

  function chartSections(charts) {
    const seconds = data.times.map((t) => t / 1000);
    const sections = [];
    for (const group of GROUPS) {
      const members = data.series.filter((s) => groupOf(s.quantity) === group.key);
      if (members.length === 0) continue;
      const title = element('h2', {}, [texts['group.' + group.key]]);
      const target = element('div', { class: 'chart' });
      const section = group.collapsed
        ? element('details', { class: 'chart-group', 'data-group': group.key },
          [element('summary', {}, [title]), target])
        : element('section', { class: 'chart-group', 'data-group': group.key }, [title, target]);
      sections.push(section);
      const points = [seconds, ...members.map((member) => member.points)];
      charts.pending.push({ members, draw: (layout) => {
        const options = chartOptions(members, layout, charts);
        options.hooks = Object.assign({}, options.hooks,
          { drawClear: [shadeEvents(group.key), markFlights] });
        const plot = new uPlot(options, points, target);
        legendKeys(plot);
        charts.plots.push(plot);
      } });
    }
    return sections;
  }

  // A legend entry switches its series off and on by keyboard too: Tab reaches it, Enter or Space
  // works it as a click does, and it tells whether its series is shown.
  function legendKeys(plot) {
    plot.root.querySelectorAll('.u-legend .u-series').forEach((row, i) => {
      if (i === 0) return;  // the time
      const label = row.querySelector('th');
      label.setAttribute('tabindex', '0');
      label.setAttribute('role', 'button');
      label.setAttribute('aria-pressed', String(plot.series[i].show));
      label.addEventListener('keydown', (event) => {
        if (event.key !== 'Enter' && event.key !== ' ') return;
        event.preventDefault();
        label.click();
      });
    });
  }

  function legendPressed(u, i) {
    const label = u.root.querySelectorAll('.u-legend .u-series th')[i];
    if (label) label.setAttribute('aria-pressed', String(u.series[i].show));
  }

  // One zoom range for every chart: a chart's new x range goes to all others. Charts that show
  // it already are left alone, or every chart's first range would draw all others a second time.
  function zoomTogether(charts) {
    return (u, key) => {
      if (key !== 'x') return;
      const { min, max } = u.scales.x;
      for (const other of charts.plots) {
        const shown = other.scales.x;
        if (shown.min !== min || shown.max !== max) other.setScale('x', { min, max });
      }
    };
  }


  // --- Health -------------------------------------------------------------------------------

  // Amber and red in colour and in words; the shading on the charts is lighter.
  const FLIGHT_BAND_COLOUR = 'rgba(11, 107, 203, 0.35)';
  const FLIGHT_BAND_PIXELS = 5;
  const SEVERITY_SHADES = { amber: 'rgba(232, 161, 0, 0.22)', red: 'rgba(201, 42, 42, 0.2)' };
  // Room either side of an event zoomed to: a tenth of its span, at least two seconds.
  const EVENT_MARGIN_SECONDS = 2;

  function eventSpanText(event) {
    const start = clockText(event.start, texts.decimal);
    return event.end === event.start ? start
      : start + '–' + clockText(event.end, texts.decimal);
  }

  function fill(pattern, values) {
    return pattern.replace(/\{(\w+)\}/g, (whole, key) => (key in values ? values[key] : whole));
  }

  // A number the program wrote, in the page's language, with its unit.
  function withUnit(value, unit) {
    return unit ? numberText(value) + ' ' + unit : numberText(value);
  }

  // "RECEIVER BATTERY below 4.4 V (amber 4.8 V): lowest 4.2 V", as the summary says it.
  function limitEventText(event) {
    const red = event.severity === 'red';
    const crossed = red ? event.red : event.amber;
    const other = red ? event.amber : event.red;
    const notes = [];
    if (other !== null) notes.push(texts[red ? 'severity.amber' : 'severity.red'] + ' ' +
      withUnit(other, event.unit));
    if (event.cells > 1) notes.push(event.cells + ' ' + texts.cells);
    const crossing = fill(texts.limitPattern,
      { direction: texts[event.direction], limit: withUnit(crossed, event.unit) });
    return event.sensor.trim() + ' ' + event.item + ' ' + crossing +
      (notes.length ? fill(texts.asidePattern, { aside: notes.join(texts.listSeparator) }) : '') +
      texts.colon + texts[event.direction === 'below' ? 'lowest' : 'highest'] + ' ' +
      withUnit(event.worst, event.unit);
  }

  // A check's words, by its name, then what the event is about: "gap in the records: 2000 ms".
  function checkEventText(event) {
    const about = [];
    if (event.sensor !== undefined) about.push(event.sensor.trim());
    if (event.item !== undefined) about.push(event.item, withUnit(event.worst, event.unit));
    if (event.count !== undefined) {
      about.push(event.count + ' ' + (texts[event.countUnit] || event.countUnit));
    }
    const words = texts['check.' + event.check] || event.check;
    return about.length ? words + texts.colon + about.join(' ') : words;
  }

  function eventText(event) {
    return event.check === 'limit' ? limitEventText(event) : checkEventText(event);
  }

  // What the verdict means, its first letter a capital; its colour is the card's.
  function verdictWords(verdict) {
    const words = texts['verdict.' + verdict];
    return words.charAt(0).toUpperCase() + words.slice(1);
  }

  // The chart groups an event is shaded on: its item's group; gaps and clock steps on every one,
  // a lost fix on the GPS's height and speed.
  function shadedOn(event, groupKey) {
    if (event.check === 'gap' || event.check === 'clock_back') return true;
    if (event.check === 'gps_fix_lost') return groupKey === 'height' || groupKey === 'speed';
    return event.quantity !== undefined && groupOf(event.quantity) === groupKey;
  }

  function shadeEvents(groupKey) {
    const shaded = data.health.events.filter((event) => shadedOn(event, groupKey));
    return (u) => {
      if (shaded.length === 0) return;
      const { ctx, bbox } = u;
      ctx.save();
      ctx.beginPath();
      ctx.rect(bbox.left, bbox.top, bbox.width, bbox.height);
      ctx.clip();
      for (const event of shaded) {
        const from = u.valToPos(Math.min(event.start, event.end) / 1000, 'x', true);
        const to = u.valToPos(Math.max(event.start, event.end) / 1000, 'x', true);
        // An event of one record is still a visible band.
        const width = Math.max(to - from, 3 * devicePixelRatio);
        ctx.fillStyle = SEVERITY_SHADES[event.severity];
        ctx.fillRect(from - (width - (to - from)) / 2, bbox.top, width, bbox.height);
      }
      ctx.restore();
    };
  }

  // The flights within the log as a band along the foot of every chart.
  function markFlights(u) {
    if (!data.flights || data.flights.length === 0) return;
    const { ctx, bbox } = u;
    const height = FLIGHT_BAND_PIXELS * devicePixelRatio;
    ctx.save();
    ctx.fillStyle = FLIGHT_BAND_COLOUR;
    for (const [start, end] of data.flights) {
      const from = Math.max(u.valToPos(start / 1000, 'x', true), bbox.left);
      const to = Math.min(u.valToPos(end / 1000, 'x', true), bbox.left + bbox.width);
      if (to > from) ctx.fillRect(from, bbox.top + bbox.height - height, to - from, height);
    }
    ctx.restore();
  }

  function zoomToEvent(charts, event) {
    const from = Math.min(event.start, event.end) / 1000;
    const to = Math.max(event.start, event.end) / 1000;
    const margin = Math.max(EVENT_MARGIN_SECONDS, (to - from) / 10);
    for (const plot of charts.plots) plot.setScale('x', { min: from - margin, max: to + margin });
  }

  // The verdict card at the top and the list of events, each a button that zooms the charts.
  function healthSection(charts) {
    const health = data.health;
    const card = element('div', { class: 'verdict verdict-' + health.verdict,
      'data-health': health.verdict, role: 'status' }, [verdictWords(health.verdict)]);
    const children = [element('h2', {}, [texts.health]), card];
    if (health.events.length > 0) {
      children.push(element('p', { class: 'note' }, [texts['health.hint']]));
      children.push(element('ol', { class: 'events', 'aria-label': texts['health.events'] },
        health.events.map((event, i) => {
          const button = element('button', { type: 'button', class: 'event',
            'data-event': String(i), 'data-severity': event.severity }, [
            element('span', { class: 'event-time' }, [eventSpanText(event)]),
            element('span', { class: 'severity severity-' + event.severity },
              [texts['severity.' + event.severity]]),
            element('span', { class: 'event-text' }, [eventText(event)])]);
          button.addEventListener('click', () => zoomToEvent(charts, event));
          return element('li', {}, [button]);
        })));
    }
    return element('section', { class: 'panel health', id: 'health' }, children);
  }

  // --- Track --------------------------------------------------------------------------------

  function heightsForTrack() {
    const own = data.series.find((s) => s.quantity === 'height' && s.sensor === data.track.sensor);
    const any = own || data.series.find((s) => s.quantity === 'height');
    return any ? any.points : null;
  }

  const RAMP = [[0, [43, 108, 196]], [0.35, [32, 164, 134]], [0.65, [230, 180, 30]], [1, [214, 60, 40]]];

  function rampColour(f) {
    for (let i = 1; i < RAMP.length; i++) {
      if (f <= RAMP[i][0]) {
        const [f0, c0] = RAMP[i - 1];
        const [f1, c1] = RAMP[i];
        const t = (f - f0) / (f1 - f0);
        return 'rgb(' + c0.map((c, k) => Math.round(c + (c1[k] - c) * t)).join(',') + ')';
      }
    }
    return 'rgb(' + RAMP[RAMP.length - 1][1].join(',') + ')';
  }

  function niceLength(metres) {
    const power = Math.pow(10, Math.floor(Math.log10(metres)));
    for (const step of [5, 2, 1]) if (step * power <= metres) return step * power;
    return power;
  }

  function track(charts) {
    const east = data.track.east;
    const north = data.track.north;
    const points = [];
    for (let i = 0; i < east.length; i++) {
      if (east[i] !== null && north[i] !== null) points.push(i);
    }
    if (points.length === 0) return null;
    const [minE, maxE] = extremes(points.map((i) => east[i]));
    const [minN, maxN] = extremes(points.map((i) => north[i]));
    const spanE = Math.max(maxE - minE, 10);
    const spanN = Math.max(maxN - minN, 10);
    const width = 600;
    const margin = 36;
    const height = Math.round(Math.min(600, Math.max(320, width * spanN / spanE)));
    const scale = Math.min((width - 2 * margin) / spanE, (height - 2 * margin) / spanN);
    const offsetX = (width - spanE * scale) / 2;
    const offsetY = (height - spanN * scale) / 2;
    const x = (i) => (offsetX + (east[i] - minE) * scale).toFixed(1);
    const y = (i) => (height - offsetY - (north[i] - minN) * scale).toFixed(1);

    const svg = svgElement('svg', { viewBox: '0 0 ' + width + ' ' + height, role: 'img',
      'aria-label': texts.track });
    const heights = heightsForTrack();
    let low = 0, high = 0;
    if (heights) [low, high] = extremes(points.map((i) => heights[i]));
    if (low > high) [low, high] = [0, 0];
    // Neighbouring points of one colour step share a polyline, so a long track stays a few
    // elements.
    const steps = 24;
    const stepOf = (i) => (!heights || heights[i] === null || high <= low ? 0
      : Math.min(steps - 1, Math.floor((heights[i] - low) / (high - low) * steps)));
    let run = [points[0]];
    let runStep = stepOf(points[0]);
    const flush = () => {
      if (run.length < 2) return;
      svg.append(svgElement('polyline', {
        class: 'track-path', fill: 'none', 'stroke-width': 2.5, 'stroke-linejoin': 'round',
        'stroke-linecap': 'round', stroke: heights ? rampColour((runStep + 0.5) / steps) : COLOURS[0],
        points: run.map((i) => x(i) + ',' + y(i)).join(' '),
      }));
    };
    for (const i of points.slice(1)) {
      run.push(i);
      const step = stepOf(i);
      if (step !== runStep) {
        flush();
        run = [i];
        runStep = step;
      }
    }
    flush();

    const first = points[0];
    svg.append(svgElement('circle', { class: 'start-marker', cx: x(first), cy: y(first), r: 6,
      fill: '#ffffff', stroke: '#1d2733', 'stroke-width': 2 }));
    // The label goes on the side of the marker with room for it.
    const labelLeft = Number(x(first)) > width - 80;
    const startText = svgElement('text', { class: 'start-text',
      x: Number(x(first)) + (labelLeft ? -10 : 10), y: Number(y(first)) - 8,
      'text-anchor': labelLeft ? 'end' : 'start' });
    startText.textContent = texts.start;
    svg.append(startText);

    const barMetres = niceLength(spanE / 4);
    const barPixels = barMetres * scale;
    const barY = height - 14;
    svg.append(svgElement('path', { d: 'M14 ' + (barY - 5) + 'v5h' + barPixels.toFixed(1) + 'v-5',
      fill: 'none', stroke: '#1d2733', 'stroke-width': 1.5 }));
    const barText = svgElement('text', { class: 'scale-text', x: 14 + barPixels + 6, y: barY });
    barText.textContent = barMetres >= 1000 ? barMetres / 1000 + ' km' : barMetres + ' m';
    svg.append(barText);

    const arrowX = width - 24;
    svg.append(svgElement('path', { class: 'north-arrow', d: 'M' + arrowX + ' 14l7 20l-7 -5l-7 5z',
      fill: '#1d2733' }));
    const northText = svgElement('text', { class: 'north-text', x: arrowX, y: 48,
      'text-anchor': 'middle' });
    northText.textContent = 'N';
    svg.append(northText);

    const dot = svgElement('circle', { class: 'cursor-dot', r: 6, fill: '#d6336c', stroke: '#ffffff',
      'stroke-width': 2, visibility: 'hidden' });
    svg.append(dot);
    // The chart cursor's record index, mapped to the last point with a position.
    const lastPoint = new Int32Array(east.length).fill(-1);
    let known = -1;
    for (let i = 0; i < east.length; i++) {
      if (east[i] !== null && north[i] !== null) known = i;
      lastPoint[i] = known;
    }
    charts.onCursor.push((index) => {
      const point = index === null || index === undefined ? -1 : lastPoint[index];
      if (point < 0) { dot.setAttribute('visibility', 'hidden'); return; }
      dot.setAttribute('cx', x(point));
      dot.setAttribute('cy', y(point));
      dot.setAttribute('visibility', 'visible');
    });

    const children = [element('h2', {}, [texts.track]), element('p', { class: 'note' }, [texts.trackNote]), svg];
    if (heights && high > low) {
      const gradient = RAMP.map(([f]) => rampColour(f) + ' ' + f * 100 + '%').join(',');
      const ramp = element('span', { class: 'ramp' });
      ramp.style.background = 'linear-gradient(to right,' + gradient + ')';
      children.push(element('div', { class: 'height-key' }, [element('span', {}, [texts.height]),
        element('span', {}, [withUnit(low.toFixed(1), 'm')]), ramp,
        element('span', {}, [withUnit(high.toFixed(1), 'm')])]));
    }
    return element('section', { class: 'panel track', id: 'track' }, children);
  }

  // --- Page ---------------------------------------------------------------------------------

  function markReady() {
    performance.mark('trelvox-ready');
    document.body.setAttribute('data-ready', '1');
  }

  function build() {
    document.title = data.log.name + ' – ' + texts.report;
    const main = element('main', {});
    document.body.prepend(main);
    main.append(header());

    const charts = { plots: [], pending: [], onCursor: [], hooks: null };
    main.append(healthSection(charts));
    const overview = element('div', { class: 'overview' }, [summary()]);
    main.append(overview);
    const trackSection = data.track ? track(charts) : null;
    if (trackSection) overview.append(trackSection);
    else overview.classList.add('single');

    const chartPanel = element('section', { class: 'panel charts', id: 'charts' }, [
      element('h2', {}, [texts.charts])]);
    main.append(chartPanel);
    main.append(element('footer', {}, [texts.madeBy]));
    if (data.log.records === 0) {
      chartPanel.append(element('p', { class: 'note' }, [texts.noRecords]));
      markReady();
      return;
    }
    chartPanel.append(element('p', { class: 'note' }, [texts.chartHint]));
    let drawn = 0;
    const seen = new Set();
    charts.hooks = {
      setScale: [zoomTogether(charts)],
      setCursor: [(u) => { for (const move of charts.onCursor) move(u.cursor.idx); }],
      setSeries: [legendPressed],
      draw: [(u) => {
        if (seen.has(u)) return;
        seen.add(u);
        if (++drawn === charts.pending.length) markReady();
      }],
    };
    for (const section of chartSections(charts)) chartPanel.append(section);
    // The collapsed channels chart is drawn at the same width, ready to be opened.
    const layout = { width: chartWidth(chartPanel), axisSize: yAxisSize(charts) };
    for (const chart of charts.pending) chart.draw(layout);

    const fitCharts = () => {
      const w = chartWidth(chartPanel);
      for (const plot of charts.plots) plot.setSize({ width: w, height: CHART_HEIGHT });
    };
    let resizing = false;
    window.addEventListener('resize', () => {
      if (resizing) return;
      resizing = true;
      requestAnimationFrame(() => {
        resizing = false;
        fitCharts();
      });
    });
    // A printed page is narrower than the window, and no resize tells the page: the charts take
    // the printed panel's width as the page is laid out for print, and the window's after.
    window.matchMedia('print').addEventListener('change', fitCharts);
  }

  build();
})();
