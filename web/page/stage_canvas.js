// ShowPage: the page's side of the show's stage (page_main.cpp calls it).
// The canvas is transparent where the desktop's stage is white, so the sky
// or the chosen colour behind it shows there. Everything is drawn in the
// show's logical pixels, scaled to the canvas's device pixels.
const ShowPage = (() => {
  const FONT_PX = 64;
  // Kai faces of Windows, macOS, Linux and Android's CJK serif, then a serif.
  const FONT = `bold ${FONT_PX}px KaiTi, "楷体", STKaiti, "Kaiti SC", "Kaiti TC", "AR PL UKai CN", "AR PL UKai TW", ` +
    `"AR PL KaitiM GB", "Noto Serif CJK SC", "Noto Serif SC", serif`;
  const TEXT_COLOUR = '#ff00ff';
  const ROSE_SIZE = 96;
  // Behind its timeline by more than this (a tab in the background), the
  // show goes on from where it is instead of rushing to catch up.
  const MAX_LAG_MS = 250;

  const test = window.showTest || null;
  let canvas, ctx, rose, screen, pixelRatio, texts, showModule;
  let due = null;
  let clockReadings = 0;
  let holding = false;
  let phaseNow = 0;
  // What the show drew and when, for the tests and the benchmarks.
  const record = {
    lines: [], stamps: {}, phases: {}, log: [], scrolled: 0, frames: { scatterLongest: 0, scatterCount: 0 },
  };

  function prepare(canvasElement, roseImage) {
    canvas = canvasElement;
    rose = roseImage;
  }

  // Sizes the canvas for the show on an area of cssWidth × cssHeight.
  function size(cssWidth, cssHeight) {
    screen = ShowScreen.logical(cssWidth, cssHeight);
    pixelRatio = window.devicePixelRatio || 1;
    const scale = screen.cssPerPixel * pixelRatio;
    canvas.width = Math.round(screen.width * scale);
    canvas.height = Math.round(screen.height * scale);
    fit(cssWidth, cssHeight);
    ctx = canvas.getContext('2d');
    ctx.setTransform(canvas.width / screen.width, 0, 0, canvas.height / screen.height, 0, 0);
    ctx.font = FONT;
    ctx.fillStyle = TEXT_COLOUR;
    ctx.textBaseline = 'alphabetic';
    record.screen = { ...screen, pixelRatio };
  }

  // A later change of the area (a phone turned, fullscreen left) keeps the
  // show's screen and what is drawn on it, scaled to fit the area, centred.
  function fit(cssWidth, cssHeight) {
    if (!screen) return;
    const k = Math.min(cssWidth / screen.width, cssHeight / screen.height);
    canvas.style.width = `${screen.width * k}px`;
    canvas.style.height = `${screen.height * k}px`;
    canvas.style.left = `${(cssWidth - screen.width * k) / 2}px`;
    canvas.style.top = `${(cssHeight - screen.height * k) / 2}px`;
  }

  function metrics(line) {
    const m = ctx.measureText(line);
    // The font's box when the browser gives it, as the desktop's line height
    // is the font's cell; else the em plus a Kai face's usual leading.
    const ascent = m.fontBoundingBoxAscent ?? FONT_PX * 0.9;
    const descent = m.fontBoundingBoxDescent ?? FONT_PX * 0.22;
    return { m, ascent, height: Math.ceil(ascent + descent) };
  }

  function run(slotTexts) {
    texts = slotTexts;
    due = null;
    if (test && test.frames) watchFrames();
    showModule._show_run(test && test.log ? 1 : 0);
  }

  function attach(module) {
    showModule = module;
  }

  function watchFrames() {
    let last = null;
    const tick = (t) => {
      if (record.phases[3] !== undefined && record.phases[4] === undefined && last !== null) {
        record.frames.scatterLongest = Math.max(record.frames.scatterLongest, t - last);
        record.frames.scatterCount++;
      }
      last = t;
      if (record.stamps.ended === undefined) requestAnimationFrame(tick);
    };
    requestAnimationFrame(tick);
  }

  return {
    prepare,
    size,
    fit,
    run,
    attach,
    record,
    width: () => screen.width,
    height: () => screen.height,
    lineHeight: (line) => metrics(line).height,
    drawText(line, x, y) {
      const { m, ascent, height } = metrics(line);
      ctx.fillText(line, x, y + ascent);
      // y moves with a scroll; drawnY is where the line was written.
      record.lines.push({
        text: line, x, y, drawnY: y, phase: phaseNow, width: m.width, height,
        glyphHeight: (m.actualBoundingBoxAscent ?? 0) + (m.actualBoundingBoxDescent ?? 0),
      });
    },
    scrollUp(d) {
      const rows = Math.min(Math.round(d * canvas.height / screen.height), canvas.height);
      ctx.save();
      ctx.setTransform(1, 0, 0, 1, 0, 0);
      ctx.globalCompositeOperation = 'copy';
      if (canvas.height - rows > 0) {
        ctx.drawImage(canvas, 0, rows, canvas.width, canvas.height - rows, 0, 0, canvas.width, canvas.height - rows);
      }
      ctx.clearRect(0, canvas.height - rows, canvas.width, rows);
      ctx.restore();
      for (const line of record.lines) line.y -= d;
      record.scrolled += d;
    },
    clear: (left, top, right, bottom) => ctx.clearRect(left, top, right - left, bottom - top),
    drawRose(x, y) {
      if (record.stamps.firstRose === undefined) record.stamps.firstRose = performance.now();
      ctx.drawImage(rose, x, y, ROSE_SIZE, ROSE_SIZE);
    },
    slotText(slot) {
      if (slot === 12) record.stamps.slot12 = performance.now();
      return String(texts[slot] ?? '');
    },
    // The waits keep to the show's timeline: each ends its own length after
    // the end of the one before, so neither drawing nor the timers' lateness
    // add up over the show's 1,400 waits.
    sleepFor(ms) {
      const now = performance.now();
      const scale = test && test.timeScale !== undefined ? test.timeScale : 1;
      due = (due === null ? now : due) + ms * scale;
      if (now - due > MAX_LAG_MS) due = now;
      return Math.max(0, Math.round(due - now));
    },
    phase(number) {
      record.phases[number] = performance.now();
      phaseNow = number;
      holding = Boolean(test && test.holdAt && test.holdAt.includes(number));
      return holding ? 1 : 0;
    },
    held: () => (holding ? 1 : 0),
    release() {
      holding = false;
    },
    // The system's milliseconds on the desktop; a test gives both shows the
    // same readings.
    clock: () => (test && test.clock ? test.clock.start + test.clock.step * clockReadings++ : performance.now()),
    log: (line) => record.log.push(line),
    ended() {
      record.stamps.ended = performance.now();
    },
  };
})();
