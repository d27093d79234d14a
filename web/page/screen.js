// The show's logical screen for an area of the page: the area scaled up so
// that its shorter side has at least 720 logical pixels and its width at
// least 960. Below that width the heart's scale puts the start of slots 05
// and 06 left of the screen (as on an 800 × 600 desktop); above it, the
// longest default lines end inside it. The 64 px text still stays above
// 16 CSS pixels on a phone.
const ShowScreen = (() => {
  const MIN_SIDE = 720;
  const MIN_WIDTH = 960;

  function logical(cssWidth, cssHeight) {
    const w = Math.max(cssWidth, 1), h = Math.max(cssHeight, 1);
    const k = Math.max(1, MIN_SIDE / Math.min(w, h), MIN_WIDTH / w);
    return { width: Math.round(w * k), height: Math.round(h * k), cssPerPixel: 1 / k };
  }

  return { logical };
})();

if (typeof module !== 'undefined') module.exports = ShowScreen;
