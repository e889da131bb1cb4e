// The logbook page: builds the card's totals, model cards, flying days, the logbook table, the
// trends, what stands out, the logs not read and the rules from the data the program embedded.
// Every text from the card (folders, logs, model names) goes into the page as text
// (textContent), never as markup.
(function () {
  'use strict';

  const data = JSON.parse(document.getElementById('logbook-data').textContent);
  const allTexts = JSON.parse(document.getElementById('logbook-texts').textContent);
  const texts = allTexts[data.lang] || allTexts.en;
  // The health words of the report pages: verdicts, checks, severities and punctuation.
  const allHealthTexts = JSON.parse(document.getElementById('report-texts').textContent);
  const health = allHealthTexts[data.lang] || allHealthTexts.en;
  const numberLocale = { en: 'en-GB', de: 'de-DE', ja: 'ja-JP' }[data.lang] || 'en-GB';

  // The figures and how each is shown: unit and decimals; air time as a clock.
  const FIGURES = {
    max_height_m: { unit: 'm', decimals: 0 },
    max_distance_m: { unit: 'm', decimals: 0 },
    max_ground_speed_kmh: { unit: 'km/h', decimals: 0 },
    min_receiver_voltage_v: { unit: 'V', decimals: 2 },
    max_current_a: { unit: 'A', decimals: 1 },
    capacity_used_mah: { unit: 'mAh', decimals: 0 },
    capacity_per_air_minute_mah: { unit: 'mAh/min', decimals: 0 },
    max_temperature_c: { unit: '°C', decimals: 0 },
    air_time_s: { clock: true },
    duration_s: { clock: true },
  };
  const TABLE_COLUMNS = ['start', 'model', 'log', 'flights', 'air_time_s', 'duration_s',
    'max_height_m', 'max_distance_m', 'max_ground_speed_kmh', 'min_receiver_voltage_v',
    'max_current_a', 'capacity_used_mah', 'max_temperature_c', 'verdict', 'events'];
  // The page's widest and a phone's widest, as the style sheets have them.
  const PAGE_WIDTH = 1280;
  const PHONE_WIDTH = 600;
  const VERDICT_ORDER = { none: 0, green: 1, amber: 2, red: 3 };
  const COLOURS = { point: '#0b6bcb', band: 'rgba(11, 107, 203, 0.12)', median: '#7d8b99',
    standout: '#c92a2a' };

  function fill(pattern, values) {
    return pattern.replace(/\{(\w+)\}/g, (whole, key) => (key in values ? values[key] : whole));
  }

  // Air and logged time, to the second, always with hours as the logbook CSV gives them.
  function totalTimeText(seconds) {
    const whole = Math.round(seconds);
    return Math.floor(whole / 3600) + ':' + twoDigits(Math.floor(whole / 60) % 60) + ':' +
      twoDigits(whole % 60);
  }

  // Formats are made once each: making one costs more than using it, and a card has many cells.
  const numberFormats = new Map();
  function numberText(value, decimals) {
    if (!numberFormats.has(decimals)) {
      numberFormats.set(decimals, new Intl.NumberFormat(numberLocale,
        { minimumFractionDigits: decimals, maximumFractionDigits: decimals }));
    }
    return numberFormats.get(decimals).format(value);
  }
  // The decimals a chart axis' tick step needs: none for 5, one for 0.5, two for 0.25.
  function stepDecimals(step) {
    const [digits, exponent] = String(step).split('e-');
    return exponent ? Number(exponent) : (digits.split('.')[1] || '').length;
  }

  const startFormat = new Intl.DateTimeFormat(numberLocale, { timeZone: 'UTC', day: 'numeric',
    month: 'short', year: 'numeric', hour: '2-digit', minute: '2-digit' });
  const dayFormat = new Intl.DateTimeFormat(numberLocale, { timeZone: 'UTC', weekday: 'short',
    day: 'numeric', month: 'short', year: 'numeric' });

  function figureText(key, value) {
    if (value === null || value === undefined) return '';
    const figure = FIGURES[key];
    if (figure.clock) return totalTimeText(value);
    return numberText(value, figure.decimals) + ' ' + figure.unit;
  }

  // "12 May 14:05" (UTC); the date alone for a log without a GPS time.
  function startText(log) {
    if (log.start_iso) return startFormat.format(new Date(log.start_iso));
    return log.date ? dayText(log.date) : texts.noDate;
  }

  function dayText(day) {
    return dayFormat.format(new Date(day + 'T00:00:00Z'));
  }

  // What a verdict means, its first letter a capital; its colour is the badge's.
  function verdictWords(verdict) {
    const words = health['verdict.' + verdict];
    return words.charAt(0).toUpperCase() + words.slice(1);
  }

  function verdictBadge(verdict) {
    return element('span', { class: 'verdict verdict-' + verdict, 'data-verdict': verdict },
      [verdictWords(verdict)]);
  }

  function fileName(path) {
    return path.slice(path.lastIndexOf('/') + 1);
  }

  function logLink(log, text) {
    if (!log.href) return element('span', { title: log.path }, [text]);
    return element('a', { href: log.href, title: log.path }, [text]);
  }

  function sum(logs, key) {
    return logs.reduce((total, log) => total + (log[key] || 0), 0);
  }

  function fact(label, value, attributes) {
    return element('div', attributes, [element('dt', {}, [label]), element('dd', {}, [value])]);
  }

  function verdictCounts(logs) {
    const counts = { red: 0, amber: 0, green: 0 };
    for (const log of logs) if (log.verdict in counts) ++counts[log.verdict];
    return element('span', { class: 'verdict-counts' }, ['red', 'amber', 'green'].map((v) =>
      element('span', { class: 'verdict verdict-' + v, 'data-count': v },
        [verdictWords(v) + health.colon + counts[v]])));
  }

  function section(id, title, hint) {
    const node = element('section', { class: 'panel', id }, [element('h2', {}, [title])]);
    if (hint) node.append(element('p', { class: 'hint' }, [hint]));
    return node;
  }

  const datedLogs = data.logs.filter((log) => log.date);

  function glance() {
    const node = section('glance', texts.glance);
    const period = datedLogs.length ? dayText(datedLogs[0].date) + ' – ' +
      dayText(datedLogs[datedLogs.length - 1].date) : texts.noDate;
    node.append(element('dl', { class: 'facts' }, [
      fact(texts.period, period, { 'data-total': 'period' }),
      fact(texts.logs, data.logs.length, { 'data-total': 'logs' }),
      fact(texts.flights, sum(data.logs, 'flights'), { 'data-total': 'flights' }),
      fact(texts.airTime, totalTimeText(sum(data.logs, 'air_time_s')), { 'data-total': 'air_time' }),
      fact(texts.loggedTime, totalTimeText(sum(data.logs, 'duration_s')),
        { 'data-total': 'logged' }),
      fact(texts.models, data.models.length, { 'data-total': 'models' }),
      fact(texts.verdicts, verdictCounts(data.logs), { 'data-total': 'verdicts' }),
    ]));
    return node;
  }

  // A small line of a model's air time per log, in time order.
  function sparkline(logs) {
    const values = logs.map((log) => log.air_time_s || 0);
    const width = 160;
    const height = 32;
    const top = Math.max(...values, 1);
    const step = values.length > 1 ? width / (values.length - 1) : 0;
    const points = values.map((v, i) => (i * step).toFixed(1) + ',' +
      (height - 2 - (v / top) * (height - 4)).toFixed(1)).join(' ');
    const svg = svgElement('svg', { class: 'sparkline', viewBox: '0 0 ' + width + ' ' + height,
      role: 'img', 'aria-label': texts['figure.air_time_s'] });
    svg.append(svgElement('polyline', { points, fill: 'none', stroke: COLOURS.point,
      'stroke-width': '1.5' }));
    return svg;
  }

  function modelCards() {
    const node = section('models', texts.modelCards);
    const cards = element('div', { class: 'model-cards' });
    for (const model of data.models) {
      const logs = data.logs.filter((log) => log.model === model.name);
      const dated = logs.filter((log) => log.date);
      const capacity = sum(logs, 'capacity_used_mah');
      cards.append(element('article', { class: 'model-card', 'data-model': model.name }, [
        element('h3', {}, [model.name]),
        element('dl', { class: 'facts' }, [
          fact(texts.logs, model.logs),
          fact(texts.flights, model.flights),
          fact(texts.airTime, totalTimeText(model.air_time_s)),
          fact(texts.loggedTime, totalTimeText(model.logged_s)),
          fact(texts.firstFlown, dated.length ? startText(dated[0]) : texts.noDate),
          fact(texts.lastFlown, dated.length ? startText(dated[dated.length - 1]) : texts.noDate),
          fact(texts.capacityInAll, figureText('capacity_used_mah', capacity)),
          fact(texts.verdicts, verdictCounts(logs)),
        ]),
        sparkline(logs),
      ]));
    }
    node.append(cards);
    return node;
  }

  // The filters of the logbook table, shared by the day strip and the table.
  const filter = { model: '', verdict: '', day: '' };
  const sorting = { column: 'start', descending: true };
  let renderTable = () => {};

  function dayKey(log) {
    return log.date || '';
  }

  function flyingDays() {
    const node = section('days', texts.days, texts.daysHint);
    const strip = element('div', { class: 'day-strip' });
    if (datedLogs.length) {
      const airByDay = new Map();
      for (const log of datedLogs) {
        airByDay.set(log.date, (airByDay.get(log.date) || 0) + (log.air_time_s || 0));
      }
      const most = Math.max(...airByDay.values(), 1);
      const first = new Date(datedLogs[0].date + 'T00:00:00Z');
      const last = new Date(datedLogs[datedLogs.length - 1].date + 'T00:00:00Z');
      for (let day = first; day <= last; day = new Date(day.getTime() + 86400000)) {
        const key = day.toISOString().slice(0, 10);
        const flown = airByDay.has(key);
        const share = flown ? 0.15 + 0.85 * airByDay.get(key) / most : 0;
        const button = element('button', { type: 'button', class: flown ? 'day flown' : 'day',
          'data-day': key, title: dayText(key) + (flown ? ' · ' + totalTimeText(airByDay.get(key)) : ''),
          style: '--share:' + share.toFixed(3) });
        if (flown) {
          button.addEventListener('click', () => {
            filter.day = filter.day === key ? '' : key;
            renderTable();
          });
        } else {
          button.disabled = true;
        }
        strip.append(button);
      }
    }
    node.append(strip);
    return node;
  }

  function sortValue(log, column) {
    switch (column) {
      case 'start': return log.start_iso || log.date || '';
      case 'model': return log.model;
      case 'log': return log.path;
      case 'verdict': return VERDICT_ORDER[log.verdict];
      default: return log[column];
    }
  }

  function compareLogs(a, b) {
    const x = sortValue(a, sorting.column);
    const y = sortValue(b, sorting.column);
    // Missing figures go last whichever way the column is sorted.
    if (x === null || x === undefined || x === '') return y === null || y === undefined || y === '' ? 0 : 1;
    if (y === null || y === undefined || y === '') return -1;
    const order = x < y ? -1 : x > y ? 1 : 0;
    return sorting.descending ? -order : order;
  }

  function cell(log, column) {
    switch (column) {
      case 'start': return element('td', {}, [startText(log)]);
      case 'model': return element('td', {}, [log.model]);
      case 'log': return element('td', { class: 'log-name' }, [logLink(log, fileName(log.path))]);
      case 'flights': return element('td', { class: 'number' }, [log.flights ?? '']);
      case 'verdict': return element('td', {}, [verdictBadge(log.verdict)]);
      case 'events': return element('td', { class: 'number' }, [log.events]);
      default: return element('td', { class: 'number' }, [figureText(column, log[column])]);
    }
  }

  function logRow(log) {
    const row = element('tr', { 'data-log': log.path, 'data-model': log.model,
      'data-verdict': log.verdict, 'data-day': dayKey(log) });
    for (const column of TABLE_COLUMNS) row.append(cell(log, column));
    return row;
  }

  function dayRow(day, logs) {
    const subtotal = fill(texts.daySubtotal, { logs: logs.length, flights: sum(logs, 'flights'),
      air: totalTimeText(sum(logs, 'air_time_s')) });
    return element('tr', { class: 'day-row', 'data-day-row': day }, [
      element('th', { colspan: TABLE_COLUMNS.length, scope: 'rowgroup' },
        [day ? dayText(day) : texts.noDate, element('span', { class: 'subtotal' }, [subtotal])]),
    ]);
  }

  function select(label, choices, onChange) {
    const node = element('select', { 'aria-label': label });
    for (const [value, text] of choices) node.append(element('option', { value }, [text]));
    node.addEventListener('change', () => onChange(node.value));
    return node;
  }

  function logbookTable() {
    const node = section('logbook', texts.logbook);
    const dayChip = element('button', { type: 'button', class: 'day-chip', hidden: '' });
    dayChip.addEventListener('click', () => {
      filter.day = '';
      renderTable();
    });
    node.append(element('div', { class: 'filters' }, [
      select(texts['col.model'],
        [['', texts.allModels], ...data.models.map((m) => [m.name, m.name])],
        (value) => { filter.model = value; renderTable(); }),
      select(texts['col.verdict'], [['', texts.allVerdicts],
        ...['red', 'amber', 'green', 'none'].map((v) => [v, verdictWords(v)])],
      (value) => { filter.verdict = value; renderTable(); }),
      dayChip,
    ]));
    const head = element('tr');
    for (const column of TABLE_COLUMNS) {
      const button = element('button', { type: 'button', 'data-sort': column },
        [texts['col.' + column]]);
      button.addEventListener('click', () => {
        sorting.descending = sorting.column === column ? !sorting.descending : column === 'start';
        sorting.column = column;
        renderTable();
      });
      head.append(element('th', { scope: 'col' }, [button]));
    }
    const body = element('tbody');
    node.append(element('div', { class: 'table-room' },
      [element('table', { class: 'logbook' }, [element('thead', {}, [head]), body])]));

    renderTable = () => {
      const shown = data.logs.filter((log) => (!filter.model || log.model === filter.model) &&
        (!filter.verdict || log.verdict === filter.verdict) &&
        (!filter.day || dayKey(log) === filter.day)).sort(compareLogs);
      dayChip.hidden = !filter.day;
      dayChip.textContent = filter.day ? dayText(filter.day) + ' ✕' : '';
      document.querySelectorAll('.day-strip .day').forEach((day) =>
        day.classList.toggle('chosen', day.dataset.day === filter.day));
      head.querySelectorAll('th').forEach((th, i) => th.setAttribute('aria-sort',
        TABLE_COLUMNS[i] !== sorting.column ? 'none' : sorting.descending ? 'descending' : 'ascending'));
      const rows = [];
      // By start, the rows come in days with their subtotals; by any other column, as one list.
      if (sorting.column === 'start') {
        const days = new Map();
        for (const log of shown) {
          if (!days.has(dayKey(log))) days.set(dayKey(log), []);
          days.get(dayKey(log)).push(log);
        }
        for (const [day, logs] of days) {
          rows.push(() => dayRow(day, logs), ...logs.map((log) => () => logRow(log)));
        }
      } else {
        rows.push(...shown.map((log) => () => logRow(log)));
      }
      showRows(body, rows);
    };
    return node;
  }

  // The first rows at once, enough for any screen; the rest in pieces while the page is idle, so
  // that a card of hundreds of logs shows at once. A newer rendering stops an older one's pieces.
  const FIRST_ROWS = 120;
  const LATER_ROWS = 100;
  let rendering = 0;
  function showRows(body, rows) {
    const mine = ++rendering;
    const make = (from, to) => rows.slice(from, to).map((row) => row());
    delete document.body.dataset.table;
    body.replaceChildren(...make(0, FIRST_ROWS));
    const addFrom = (from) => {
      if (mine !== rendering) return;
      if (from >= rows.length) {
        document.body.dataset.table = 'complete';
        return;
      }
      body.append(...make(from, from + LATER_ROWS));
      setTimeout(() => addFrom(from + LATER_ROWS), 0);
    };
    addFrom(FIRST_ROWS);
  }

  // The previous logs of each model with their judgement, in time order.
  function logsOf(model) {
    return data.logs.filter((log) => log.model === model);
  }

  // A tenth of the values' span on either side; a steady series gets 5% of its value.
  function paddedRange(u, min, max) {
    if (min === null || max === null) return [0, 1];
    const pad = max > min ? (max - min) / 10 : Math.abs(min) / 20 || 1;
    return [min - pad, max + pad];
  }

  function trendChart(logs, figure, width) {
    const xs = logs.map((_, i) => i);
    const values = logs.map((log) => log[figure] ?? null);
    const usual = logs.map((log) => (log.usual && log.usual[figure]) || null);
    const standouts = logs.map((log, i) =>
      log.standouts.some((s) => s.figure === figure) ? values[i] : null);
    const shown = FIGURES[figure];
    const options = {
      width, height: 170,
      legend: { show: false },
      cursor: { points: { size: 8 } },
      scales: { x: { time: false }, y: { range: paddedRange } },
      axes: [
        { values: (u, ticks) => ticks.map((t) => (Number.isInteger(t) && logs[t] ?
          (logs[t].date || '').slice(5) : '')) },
        { size: 60, values: (u, ticks, axis, space, step) => ticks.map((t) =>
          (shown.clock ? totalTimeText(t) : numberText(t, stepDecimals(step)))) },
      ],
      series: [
        {},
        { stroke: COLOURS.point, width: 1.5, points: { show: true, size: 5 }, spanGaps: true },
        { stroke: COLOURS.median, width: 1, dash: [4, 4], points: { show: false } },
        { stroke: 'transparent', points: { show: false } },
        { stroke: 'transparent', points: { show: false } },
        { stroke: COLOURS.standout, width: 0, paths: () => null,
          points: { show: true, size: 11, width: 2, stroke: COLOURS.standout, fill: '#fff0f0' } },
      ],
      bands: [{ series: [4, 3], fill: COLOURS.band }],
    };
    const points = [xs, values, usual.map((u) => (u ? u[0] : null)),
      usual.map((u) => (u ? u[1] : null)), usual.map((u) => (u ? u[2] : null)), standouts];
    const holder = element('div', { class: 'trend', 'data-figure': figure }, [
      element('h4', {}, [texts['figure.' + figure] + (shown.unit ? ' (' + shown.unit + ')' : '')]),
    ]);
    const target = element('div', { class: 'trend-plot' });
    holder.append(target);
    options.hooks = { draw: [(u) => placeMarks(u, logs, figure)] };
    target.style.minHeight = options.height + 'px';
    laterCharts.add(holder, () => {
      const plot = new uPlot(options, points, target);
      // A click on a log's point opens its page.
      plot.over.addEventListener('click', () => {
        const i = plot.cursor.idx;
        if (i !== null && i !== undefined && logs[i] && logs[i].href) location.href = logs[i].href;
      });
    });
    return holder;
  }

  // Charts are drawn once the rest of the page shows: each as it nears the window, the others one
  // by one while the page is idle. A card of hundreds of logs shows its table at once.
  const laterCharts = {
    pending: new Map(),
    watcher: typeof IntersectionObserver === 'function' ? new IntersectionObserver((seen) => {
      for (const entry of seen) if (entry.isIntersecting) laterCharts.draw(entry.target);
    }, { rootMargin: '600px' }) : null,
    add(holder, draw) {
      this.pending.set(holder, draw);
      if (this.watcher) this.watcher.observe(holder);
    },
    draw(holder) {
      const draw = this.pending.get(holder);
      if (!draw) return;
      this.pending.delete(holder);
      if (this.watcher) this.watcher.unobserve(holder);
      draw();
    },
    drawRest() {
      const next = this.pending.keys().next();
      if (next.done) {
        document.body.dataset.charts = 'drawn';
        return;
      }
      this.draw(next.value);
      setTimeout(() => this.drawRest(), 0);
    },
  };

  // Marks over the chart at each point that stands out, as links a keyboard reaches too; placed
  // once the chart has its size, and again whenever it is drawn.
  function placeMarks(plot, logs, figure) {
    plot.over.querySelectorAll('.mark').forEach((mark) => mark.remove());
    logs.forEach((log, i) => {
      if (!log.standouts.some((s) => s.figure === figure)) return;
      const mark = element(log.href ? 'a' : 'span', { class: 'mark', 'data-standout': figure,
        'data-log': log.path, title: fileName(log.path) + ': ' + figureText(figure, log[figure]) });
      if (log.href) mark.setAttribute('href', log.href);
      mark.style.left = plot.valToPos(i, 'x') + 'px';
      mark.style.top = plot.valToPos(log[figure], 'y') + 'px';
      plot.over.append(mark);
    });
  }

  // Three charts to a row on a wide screen, one on a phone. The room is reckoned from the window
  // and the page's margins rather than measured, which would lay out the whole table first.
  function trends() {
    const node = section('trends', texts.trends, texts.trendsHint);
    main.append(node);
    const margins = window.innerWidth > PHONE_WIDTH ? 2 * 24 + 2 * 17 : 2 * 10 + 2 * 17;
    const room = Math.min(window.innerWidth, PAGE_WIDTH) - margins;
    const width = Math.floor(room >= 3 * 260 ? (room - 2 * 12) / 3 : Math.max(room, 220));
    for (const model of data.models) {
      const logs = logsOf(model.name);
      const grid = element('div', { class: 'trend-grid' });
      node.append(element('div', { class: 'trend-model', 'data-model': model.name },
        [element('h3', {}, [model.name]), grid]));
      for (const figure of data.figures) {
        if (!logs.some((log) => log[figure] !== null && log[figure] !== undefined)) continue;
        grid.append(trendChart(logs, figure, width));
      }
    }
    return node;
  }

  function standoutText(standout) {
    const figure = standout.figure;
    const unit = FIGURES[figure].unit;
    const bare = (v) => (FIGURES[figure].clock ? totalTimeText(v)
      : numberText(v, FIGURES[figure].decimals));
    return fill(texts.standoutLine, { figure: texts['figure.' + figure],
      value: figureText(figure, standout.value), low: bare(standout.usual_low),
      high: bare(standout.usual_high) + (unit ? ' ' + unit : ''),
      median: figureText(figure, standout.median), count: standout.earlier_logs });
  }

  function standoutList() {
    const node = section('standouts', texts.standouts);
    const list = element('ul', { class: 'standouts' });
    for (const log of [...data.logs].reverse()) {
      const where = log.model + ', ' + startText(log) + ': ';
      for (const standout of log.standouts) {
        list.append(element('li', { 'data-standout': standout.figure, 'data-log': log.path,
          'data-model': log.model }, [logLink(log, where), standoutText(standout)]));
      }
      if (log.verdict === 'red' || log.verdict === 'amber') {
        list.append(element('li', { 'data-verdict': log.verdict, 'data-log': log.path,
          'data-model': log.model }, [logLink(log, where), verdictBadge(log.verdict), ' ',
          log.first_event || '']));
      }
    }
    node.append(list.children.length ? list : element('p', {}, [texts.noStandouts]));
    return node;
  }

  function failedList() {
    const node = section('failed', texts.failed, texts.failedHint);
    node.append(element('ul', {}, data.failed.map((failed) =>
      element('li', { 'data-failed': failed.path }, [element('code', {}, [failed.path]), ': ',
        failed.reason]))));
    return node;
  }

  // The units of the values the rules state, by their keys in a limits file.
  const RULE_UNITS = { height: 'm', speed: 'km/h', join: 's', shortest: 's', gap: 's',
    fix_lost: 's', ends_above: 'm' };

  // A value as a limits file writes it ("3.0"), in the page's language.
  function ruleNumber(value) {
    return value.replace('.', health.decimal);
  }

  function ruleValue(key, value) {
    return RULE_UNITS[key] ? ruleNumber(value) + ' ' + RULE_UNITS[key] : ruleNumber(value);
  }

  function checkWords(check) {
    return health['check.' + check] || check;
  }

  // "gap in the records (gap): amber 1.0 s, red 5.0 s": a check's words, its setting's key and
  // the value or values it had.
  function checkSettingText(setting) {
    const [amber, red] = setting.values.map((value) => ruleValue(setting.key, value));
    const values = red === undefined ? amber : health['severity.amber'] + ' ' + amber +
      health.listSeparator + health['severity.red'] + ' ' + red;
    return checkWords(setting.check) + fill(health.asidePattern, { aside: setting.key }) +
      health.colon + values;
  }

  function offText(checks) {
    return fill(texts['rule.off'], { checks: checks.map(checkWords).join(health.listSeparator) });
  }

  // What a set of values has that `usual` has not: each [flights] value, check setting and check
  // turned off that differs.
  function differences(values, usual) {
    const parts = [];
    for (const [key, value] of Object.entries(values.flights)) {
      if (value !== usual.flights[key]) parts.push(key + ' ' + ruleValue(key, value));
    }
    for (const setting of values.checks) {
      const same = usual.checks.find((other) => other.key === setting.key);
      if (!same || same.values.join() !== setting.values.join()) {
        parts.push(checkSettingText(setting));
      }
    }
    const off = values.off.filter((check) => !usual.off.includes(check));
    if (off.length) parts.push(offText(off));
    return parts;
  }

  // The values most logs were judged by in the rules' words; the logs judged by others below,
  // with how they differ.
  function ruleValues(usual) {
    const flights = Object.fromEntries(Object.entries(usual.values.flights)
      .map(([key, value]) => [key, ruleNumber(value)]));
    const checks = element('ul', { class: 'rule-values', 'data-rules': '0' },
      usual.values.checks.map((setting) => element('li', { 'data-setting': setting.key },
        [checkSettingText(setting)])));
    if (usual.values.off.length) {
      checks.append(element('li', { 'data-off': '' }, [offText(usual.values.off)]));
    }
    const nodes = [element('p', { 'data-rule': 'flight' }, [fill(texts['rule.flight'], flights)]),
      element('p', { 'data-rule': 'checks' }, [texts['rule.checks']]), checks];
    if (data.rules.length > 1) {
      nodes.push(element('p', { 'data-rule': 'others' }, [texts['rule.others']]));
      nodes.push(element('ul', { class: 'rule-others' }, data.rules.slice(1).map((set, i) =>
        element('li', { 'data-rules': String(i + 1) }, [
          fill(texts['rule.logsOf'], { models: set.models.join(health.listSeparator),
            logs: set.logs, all: data.logs.length }) + health.colon,
          element('ul', {}, differences(set.values, usual.values)
            .map((part) => element('li', {}, [part])))]))));
    }
    return nodes;
  }

  function rules() {
    const values = data.rules.length ? ruleValues(data.rules[0]) : [];
    return element('footer', { class: 'rules', id: 'rules' }, [element('h2', {}, [texts.rules]),
      ...values, element('p', {}, [texts['rule.standout']]),
      element('p', {}, [texts['rule.model']]), element('p', { class: 'made-by' }, [texts.madeBy])]);
  }

  document.title = texts.title;
  const main = element('main', {}, [
    element('header', {}, [element('div', { class: 'kicker' }, [texts.kicker]),
      element('h1', {}, [texts.title])]),
  ]);
  document.body.append(main);
  main.append(glance(), modelCards(), flyingDays(), logbookTable());
  renderTable();
  trends();
  main.append(standoutList());
  if (data.failed.length) main.append(failedList());
  main.append(rules());
  document.body.dataset.ready = 'true';
  setTimeout(() => laterCharts.drawRest(), 0);
})();
