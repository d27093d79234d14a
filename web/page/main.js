// Which screen the page opens with: a link that carries a show opens to its
// start screen, anything else to the editor filled with the default texts.
(() => {
  const views = ['editor', 'welcome', 'stage'];
  function show(view) {
    for (const v of views) document.getElementById(v).hidden = v !== view;
  }

  const modulePromise = createShowModule();
  const rose = new Image();
  rose.src = SHOW_ASSETS.rose;

  async function startShow(texts, bg) {
    const stage = document.getElementById('stage');
    if (bg === 'sky') {
      stage.style.backgroundImage = `url(${SHOW_ASSETS.sky})`;
      stage.style.backgroundColor = '';
    } else {
      stage.style.backgroundImage = 'none';
      stage.style.backgroundColor = bg;
    }
    // Both need the tap that called us: fullscreen where the browser allows
    // it, and the music.
    const root = document.documentElement;
    const fullscreen = root.requestFullscreen || root.webkitRequestFullscreen;  // Safari before 16.4
    if (fullscreen) Promise.resolve(fullscreen.call(root)).catch(() => {});
    ShowMusic.start();
    show('stage');
    const [module] = await Promise.all([modulePromise, rose.decode().catch(() => {})]);
    // The fullscreen switch changes the area; it settles within a frame or two.
    await new Promise((resolve) => setTimeout(resolve, 150));
    const area = document.getElementById('show');
    ShowPage.prepare(area, rose);
    const box = area.parentElement.getBoundingClientRect();
    ShowPage.size(box.width, box.height);
    ShowPage.attach(module);
    addEventListener('resize', () => {
      const now = area.parentElement.getBoundingClientRect();
      ShowPage.fit(now.width, now.height);
    });
    ShowPage.run(texts);
  }

  document.getElementById('mute').onclick = (event) => {
    const muted = ShowMusic.toggleMute();
    event.currentTarget.textContent = muted ? '🔇 已静音' : '🔊 声音';
  };

  const shared = ShowLink.decode(location.hash);
  if (shared) {
    show('welcome');
    document.getElementById('welcome-start').onclick = () => startShow(shared.texts, shared.bg);
  } else {
    ShowEditor.build(SHOW_ASSETS.texts, { start: startShow });
    show('editor');
  }
  requestAnimationFrame(() => performance.mark('view-shown'));
})();
